#pragma once
// A shipment list for grid and export tests: the twelve columns of the main
// window's list and a few rows in a fresh data.mdb.

#include "data/Schema.h"
#include "data/db/Connection.h"
#include "data/db/Dataset.h"
#include "grid/GridColumn.h"

#include <QList>
#include <QVariant>

namespace tolvi::test {

inline QList<grid::GridColumn> shipmentColumns() {
    const QColor teal(0, 128, 128), sky(166, 202, 240);
    struct Def {
        const char* field;
        const char* upper;
        const char* title;
        Qt::Alignment align;
        int width;
    };
    const Def defs[] = {
        {"a", "收 货 信 息", "姓 名", Qt::AlignLeft, 66},
        {"b", "收 货 信 息", "手 机", Qt::AlignLeft, 85},
        {"c", "收 货 信 息", "地 址", Qt::AlignLeft, 240},
        {"d", "打 印", " 快 递", Qt::AlignHCenter, 66},
        {"g", "打 印", " 状 态", Qt::AlignHCenter, 64},
        {"day1", "商 品 信 息", "付款日期", Qt::AlignHCenter, 64},
        {"h", "商 品 信 息", "名 称", Qt::AlignLeft, 64},
        {"1", "商 品 信 息", "数量", Qt::AlignRight, 40},
        {"2", "商 品 信 息", "金额", Qt::AlignRight, 40},
        {"i", "商 品 信 息", "会员名", Qt::AlignLeft, 64},
        {"j", "商 品 信 息", "订单编号", Qt::AlignLeft, 64},
        {"z", "商 品 信 息", "备 注", Qt::AlignLeft, 64},
    };
    QList<grid::GridColumn> cols;
    for (int i = 0; i < 12; ++i) {
        grid::GridColumn c;
        c.fieldName = QString::fromUtf8(defs[i].field);
        c.upperTitle = QString::fromUtf8(defs[i].upper);
        c.title = QString::fromUtf8(defs[i].title);
        c.alignment = defs[i].align;
        c.width = defs[i].width;
        c.titleColor = i < 5 ? teal : sky;
        c.titleTextColor = i < 5 ? QColor(Qt::white) : QColor(Qt::black);
        cols.append(c);
    }
    cols[8].displayFormat = QStringLiteral("#.##");
    cols[0].footerText = QStringLiteral("总计");
    cols[0].footerAlignment = Qt::AlignHCenter;
    cols[7].footerSum = true;
    cols[7].footerAlignment = Qt::AlignHCenter;
    cols[8].footerSum = true;
    cols[8].footerAlignment = Qt::AlignRight;
    return cols;
}

struct Shipment {
    QVariant a, b, c, d, g, day1, h, qty, amount, i, j, z;
};

inline void insertShipment(db::Connection& c, const Shipment& s) {
    c.execBound(QStringLiteral("INSERT INTO data (a,b,c,d,g,day1,h,\"1\",\"2\",i,j,z) VALUES "
                               "(?,?,?,?,?,?,?,?,?,?,?,?)"),
                {s.a, s.b, s.c, s.d, s.g, s.day1, s.h, s.qty, s.amount, s.i, s.j, s.z});
}

// Three rows: one printed, one with NULLs, one with a long address.
inline void insertThreeShipments(db::Connection& c) {
    insertShipment(c,
                   {QStringLiteral("张三"), QStringLiteral("13800000001"),
                    QStringLiteral("北京市海淀区"), QStringLiteral("申通"),
                    QStringLiteral("已打印"), QStringLiteral("2024-05-01"), QStringLiteral("T恤"),
                    2, 12.5, QStringLiteral("zs"), QStringLiteral("1001"), QStringLiteral("加急")});
    insertShipment(c,
                   {QStringLiteral("李四"), QStringLiteral("13900000002"), QVariant(),
                    QStringLiteral("圆通"), QStringLiteral("未打印"), QStringLiteral("2024-05-02"),
                    QVariant(), 1, 0.5, QVariant(), QVariant(), QVariant()});
    insertShipment(c,
                   {QStringLiteral("王五"), QStringLiteral("13700000003"),
                    QStringLiteral("上海市浦东新区世纪大道一百号"), QStringLiteral("申通"),
                    QStringLiteral("未打印"), QStringLiteral("2024-05-03"), QStringLiteral("帽子"),
                    3, 0, QStringLiteral("ww"), QStringLiteral("1003"), QString()});
}

} // namespace tolvi::test
