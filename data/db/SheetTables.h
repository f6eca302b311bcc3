#pragma once
// Sheets read from a workbook, offered to SQLite as read-only virtual tables
// for the length of one statement instead of being copied row by row into a
// table first.

#include "data/db/Connection.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct sqlite3;

namespace tolvi::db {

class SheetTables {
public:
    // Registers the module with a newly opened connection.
    static void install(sqlite3* db, SheetTables* tables);

    // Creates the virtual table target ("[schema].[table]") whose columns are
    // the given columns of the sheet, under the given names. The sheet stays
    // readable until clear(). Throws DbError.
    void create(sqlite3* db, const QString& target, ExternalTable sheet, const QList<int>& columns,
                const QStringList& names);
    void clear() { sources_.clear(); }

    struct Source {
        ExternalTable sheet;
        QList<int> columns;
        QStringList names;
    };
    // The source named by a table's argument. Creating is allowed only while
    // create() runs, so a typed statement cannot make such a table itself;
    // connecting (SQLite re-reading its schema) finds any live source.
    const Source* source(const char* arg, bool create) const;

private:
    std::vector<std::unique_ptr<Source>> sources_;
    bool creating_ = false;
};

} // namespace tolvi::db
