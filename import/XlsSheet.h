#pragma once
// One sheet of an Excel 97-2003 workbook, read with FreeXL.

#include "data/db/Connection.h"

#include <QString>

namespace tolvi {

// The sheet (name compared without regard to case, as Excel does) with row 1
// as titles. Whole numbers come as integers, so that an order or telephone
// number stored in a number cell reaches a text column as its digits; dates
// as "yyyy-mm-dd[ hh:mm:ss]". Rows without any value are left out. Throws
// DbError when the file cannot be read or has no such sheet.
// Cells of columns that wanted rejects come back empty.
db::ExternalTable readXlsSheet(const QString& path, const QString& sheet,
                               const db::ColumnFilter& wanted = {});

} // namespace tolvi
