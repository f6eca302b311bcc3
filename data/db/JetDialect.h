#pragma once
// Rewrites a statement in the Jet dialect into one SQLite runs with the same
// meaning. Only what differs is touched: "#...#" date literals become quoted
// ISO dates, and year()/month()/day() are wrapped so that their result
// compares with a quoted number as Jet compares it (year([day1])='2024').
// Brackets, like with %, Date() and '...'where are understood by SQLite as
// they are (Date() with no argument is registered as the local date).

#include <QList>
#include <QString>

namespace tolvi::db {

struct WorkbookRef {
    QString schema; // text inside the first brackets, e.g. "excel 8.0;database=C:\a.xls"
    QString path;   // the database= value, trimmed
    QString table;  // text inside the second brackets, e.g. "brimvale$"
};

struct RewrittenSql {
    QString sql;
    QList<WorkbookRef> workbooks;
};

RewrittenSql rewriteJetSql(const QString& jetSql);

// "2024-1-5", "2024/01/05", "1/5/2024" (Jet's US order) -> "2024-01-05"; with a
// time part "yyyy-mm-dd hh:mm:ss". Returns the input unchanged when it is no date.
QString normaliseDateLiteral(const QString& text);

} // namespace tolvi::db
