#include "sales/SalesDetailColumns.h"

namespace tolvi::xstj {

QList<grid::GridColumn> salesDetailColumns() {
    struct Def {
        const char* field;
        const char* caption;
        int width;
        const char* format;
        bool sum;
    };
    const Def defs[] = {
        {"a", "商 品 信 息| 名 称", 80, "", false},
        {"b", "商 品 信 息|规格型号", 70, "", false},
        {"c", "商 品 信 息| 编 码", 70, "", false},
        {"d", "商 品 信 息|类 别", 55, "", false},
        {"2", "销 售 信 息|单 价", 55, "", false},
        {"3", "销 售 信 息|数 量", 50, "#.###", true},
        {"4", "销 售 信 息|金 额", 60, "#.##", true},
        {"day1", "销 售 信 息|日 期", 96, "", false},
        {"6", "销 售 信 息|欠款额", 55, "#.##", true},
        {"a5", "销 售 信 息|净利润", 55, "", true},
        {"z", "客 户|编 号", 70, "", false},
        {"g", "客 户|名 称", 70, "", false},
        {"i", "客 户|联系方式", 75, "", false},
        {"h", "客 户|地 址", 80, "", false},
        {"j", "客 户|备 注", 55, "", false},
    };
    QList<grid::GridColumn> columns;
    for (const Def& d : defs) {
        grid::GridColumn c = grid::GridColumn::fromCaption(QString::fromLatin1(d.field),
                                                           QString::fromUtf8(d.caption));
        c.width = d.width;
        c.displayFormat = QString::fromLatin1(d.format);
        c.footerSum = d.sum;
        c.alignment = Qt::AlignLeft | Qt::AlignVCenter;
        c.footerAlignment = Qt::AlignRight | Qt::AlignVCenter;
        columns.append(c);
    }
    for (int i : {4, 5, 6, 8, 9})
        columns[i].alignment = Qt::AlignRight | Qt::AlignVCenter;
    columns[0].footerText = QStringLiteral("合计");
    columns[0].footerAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
    columns[7].alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    columns[10].visible = false;
    return columns;
}

} // namespace tolvi::xstj
