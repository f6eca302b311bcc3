#pragma once
// The shop's order report as it leaves the shop: a CSV file in GBK or UTF-8.

#include "data/db/Connection.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace tolvi {

// UTF-8 when the bytes carry a UTF-8 byte-order mark or are valid UTF-8,
// otherwise GBK (what the shop and Excel write on Chinese Windows).
QString decodeCsvBytes(const QByteArray& bytes);

// Records of CSV text: fields separated by sep, quoted fields may hold the
// separator, doubled quotes and line breaks. Blank lines are skipped. Throws
// DbError on a quote that is never closed.
QList<QStringList> parseCsv(const QString& text, QChar sep = QLatin1Char(','));
// The same, handing each record over as it is parsed.
void forEachCsvRecord(const QString& text, QChar sep,
                      const std::function<void(const QStringList&)>& onRecord);

// Undoes the shop's ways of keeping spreadsheets from reading numbers:
// ="35153131473293579" and '13925130165 become their digits.
QString unwrapShopCell(const QString& cell);

// First record as titles, the others as rows; empty fields become NULL, as do
// the fields of columns that wanted rejects.
db::ExternalTable csvTableFromBytes(const QByteArray& bytes, const db::ColumnFilter& wanted = {});
db::ExternalTable readCsvTable(const QString& path, const db::ColumnFilter& wanted = {});

} // namespace tolvi
