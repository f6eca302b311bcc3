#include "import/XlsSheet.h"

#include "data/db/DbError.h"
#include "import/CsvTable.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <freexl.h>

namespace tolvi {
namespace {

struct Workbook {
    const void* handle = nullptr;
    ~Workbook() {
        if (handle)
            freexl_close(handle);
    }
};

QVariant cellValue(const FreeXL_CellValue& cell) {
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QVariant(static_cast<qlonglong>(cell.value.int_value));
    case FREEXL_CELL_DOUBLE: {
        const double d = cell.value.double_value;
        if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 9.0e18)
            return QVariant(static_cast<qlonglong>(d));
        return QVariant(d);
    }
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        const QString text = QString::fromUtf8(cell.value.text_value);
        if (text.isEmpty())
            return QVariant();
        // A report pasted into the sheet as text keeps the shop's wrappers.
        return QVariant(unwrapShopCell(text));
    }
    default:
        return QVariant();
    }
}

} // namespace

db::ExternalTable readXlsSheet(const QString& path, const QString& sheet) {
    const QString shown = QDir::toNativeSeparators(path);
    Workbook book;
    if (freexl_open(QFile::encodeName(path).constData(), &book.handle) != FREEXL_OK)
        throw db::DbError(QStringLiteral("无法读取Excel文件“%1”。").arg(shown));
    unsigned int sheets = 0;
    freexl_get_info(book.handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    int found = -1;
    for (unsigned int i = 0; i < sheets && found < 0; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(book.handle, static_cast<unsigned short>(i), &name) ==
                FREEXL_OK &&
            name && QString::fromUtf8(name).compare(sheet, Qt::CaseInsensitive) == 0)
            found = static_cast<int>(i);
    }
    if (found < 0)
        throw db::DbError(
            QStringLiteral("Excel文件“%1”中没有名为“%2”的工作表。").arg(shown, sheet));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(book.handle, static_cast<unsigned short>(found)) !=
            FREEXL_OK ||
        freexl_worksheet_dimensions(book.handle, &rows, &columns) != FREEXL_OK)
        throw db::DbError(QStringLiteral("无法读取Excel文件“%1”的工作表“%2”。").arg(shown, sheet));

    db::ExternalTable table;
    for (unsigned int r = 0; r < rows; ++r) {
        QList<QVariant> values;
        values.reserve(columns);
        bool any = false;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(book.handle, r, c, &cell) != FREEXL_OK)
                throw db::DbError(QStringLiteral("无法读取Excel文件“%1”的单元格。").arg(shown));
            const QVariant v = cellValue(cell);
            any = any || !v.isNull();
            values.append(v);
        }
        if (r == 0) {
            for (const QVariant& v : values)
                table.columns.append(v.toString());
            continue;
        }
        if (any)
            table.rows.push_back(std::move(values));
    }
    return table;
}

} // namespace tolvi
