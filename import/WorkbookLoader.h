#pragma once
// Reads the file named in "[excel 8.0;database=PATH].[SHEET$]" for the
// database layer: an Excel 97-2003 workbook or the shop's CSV report.

#include "data/db/Connection.h"

#include <QString>

namespace tolvi {

// An .xls workbook (recognised by its content) gives the named sheet; a text
// file gives its CSV table whatever sheet is named, since a CSV has only one.
// Throws DbError for a missing file, an unknown format or a missing sheet.
db::ExternalTable loadOrderSheet(const QString& path, const QString& sheet,
                                 const db::ColumnFilter& wanted = {});

// Registers loadOrderSheet with the database layer; harmless to repeat.
void installWorkbookLoader();

} // namespace tolvi
