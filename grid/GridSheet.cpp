#include "grid/GridSheet.h"

#include "grid/BiffWriter.h"

#include <QStringList>

namespace tolvi::grid {
namespace {

constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;
const QString kHiddenMark = QStringLiteral("*****");

bool hiddenColumn(const GridColumn& c) {
    return !c.visible || c.caption().contains(kHiddenMark);
}

enum class Cell { Blank, Text, EmptyText, Integer, Number };

Cell cellFor(const QVariant& value, FieldKind kind) {
    if (value.isNull() || !value.isValid())
        return Cell::Blank;
    switch (kind) {
    case FieldKind::Memo:
        return Cell::EmptyText;
    case FieldKind::Integer:
        return Cell::Integer;
    case FieldKind::Float:
        return Cell::Number;
    case FieldKind::Text:
        return Cell::Text;
    case FieldKind::Auto:
        break;
    }
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
        return Cell::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Cell::Number;
    case QMetaType::QByteArray:
        return Cell::EmptyText; // a blob
    default:
        return Cell::Text;
    }
}

QString valueText(const QVariant& value) {
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

} // namespace

QList<int> sheetFieldOrder(const SheetSource& source) {
    QList<int> order;
    if (!source.dataset)
        return order;
    QList<bool> taken(source.dataset->fieldNames().size(), false);
    for (const GridColumn& c : source.columns) {
        const int f = source.dataset->fieldIndex(c.fieldName);
        if (f >= 0 && !taken.at(f)) {
            taken[f] = true;
            order.append(f);
        }
    }
    for (int f = 0; f < taken.size(); ++f)
        if (!taken.at(f))
            order.append(f);
    return order;
}

bool writeGridSheet(QIODevice* device, const SheetSource& source,
                    const std::function<void(int)>& progress) {
    const db::Dataset* ds = source.dataset;
    if (!ds)
        return false;
    const QStringList names = ds->fieldNames();
    const QList<int> order = sheetFieldOrder(source);

    // Per field: hidden (blank cells) and how its values are written.
    QList<bool> hidden(names.size(), false);
    QList<FieldKind> kinds(names.size(), FieldKind::Auto);
    QList<int> sheetColumn(names.size(), -1);
    for (int i = 0; i < order.size(); ++i)
        sheetColumn[order.at(i)] = i;
    for (int f = 0; f < names.size(); ++f)
        kinds[f] = source.fieldKinds.value(names.at(f).toLower(), FieldKind::Auto);
    // Each visible title goes over its own field's cells, so a hidden column
    // in the middle does not shift the titles against the data.
    struct Titled {
        int sheetColumn;
        const GridColumn* column;
    };
    QList<Titled> titled;
    int levels = 0;
    for (const GridColumn& c : source.columns) {
        const int f = ds->fieldIndex(c.fieldName);
        if (f < 0)
            continue;
        if (hiddenColumn(c)) {
            hidden[f] = true;
            continue;
        }
        titled.append({sheetColumn.at(f), &c});
        levels = std::max(levels, int(c.caption().split(QLatin1Char('|')).size()));
    }

    const bool dates = !source.beginDate.isEmpty() || !source.endDate.isEmpty();
    const int records = ds->recordCount();
    const int firstRecordRow = 2 + (dates ? 1 : 0) + levels;
    if (firstRecordRow + records + 1 > kMaxRows || order.size() > kMaxColumns)
        return false;

    BiffWriter w(device);
    w.beginOfFile();
    w.text(0, 3, source.title);
    int row = 1;
    if (dates) {
        w.text(row, 0, source.beginDate);
        w.text(row, 5, source.endDate);
        ++row;
    }
    w.text(row, 0, QStringLiteral("制表人：") + source.operatorName);
    w.text(row, 5,
           QStringLiteral("制表时间：") +
               source.now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    ++row;

    for (int level = 0; level < levels; ++level) {
        for (const Titled& t : titled) {
            const QStringList parts = t.column->caption().split(QLatin1Char('|'));
            // A title with fewer levels repeats its last part below.
            w.text(row + level, t.sheetColumn, parts.at(std::min(level, int(parts.size()) - 1)));
        }
    }
    row += levels;

    for (int r = 0; r < records && w.ok(); ++r, ++row) {
        for (int i = 0; i < order.size(); ++i) {
            const int f = order.at(i);
            const QVariant v = ds->value(r, f);
            const Cell cell = hidden.at(f) ? Cell::Blank : cellFor(v, kinds.at(f));
            switch (cell) {
            case Cell::Blank:
                w.blank(row, i);
                break;
            case Cell::EmptyText:
                w.text(row, i, QString());
                break;
            case Cell::Integer: {
                bool ok = false;
                const qlonglong n = v.toLongLong(&ok);
                bool real = false;
                const double d = v.toDouble(&real);
                if (ok && (!real || double(n) == d))
                    w.integer(row, i, n);
                else if (real)
                    w.number(row, i, d);
                else
                    w.text(row, i, valueText(v));
                break;
            }
            case Cell::Number: {
                bool ok = false;
                const double d = v.toDouble(&ok);
                if (ok)
                    w.number(row, i, d);
                else
                    w.text(row, i, valueText(v));
                break;
            }
            case Cell::Text:
                w.text(row, i, valueText(v));
                break;
            }
        }
        if (progress)
            progress(r + 1);
    }

    for (const Titled& t : titled)
        if (!t.column->footerSum && !t.column->footerText.isEmpty())
            w.text(row, t.sheetColumn, t.column->footerText);
    w.endOfFile();
    return w.ok();
}

} // namespace tolvi::grid
