#pragma once
// The database connection: a SQLCipher file opened with its password, running
// statements written in the Jet dialect (see JetDialect.h).

#include "data/db/DbError.h"
#include "data/db/PackedRow.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tolvi::db {

struct Row {
    qint64 rowid = 0; // 0 when the statement's rows come from no single table
    QList<QVariant> values;
};

struct ResultSet {
    QStringList columns;
    std::vector<Row> rows;
    QString table; // the one table the rows can be edited in, or empty
};

// The same rows packed, for the client-side datasets that keep them.
struct PackedResultSet {
    QStringList columns;
    std::vector<PackedRow> rows;
    QString table;
};

// A sheet read from outside (a workbook or a CSV): titles and rows of values.
struct ExternalTable {
    QStringList columns;
    std::vector<QList<QVariant>> rows;
};

// The columns, by index and title, that a statement can use. A loader may
// leave the cells of the others empty (a shop report has many more columns
// than an import reads); when it wants none, every column is read. An empty
// filter wants every column.
using ColumnFilter = std::function<bool(int column, const QString& title)>;

// Loads the named sheet ("brimvale", without "$") of the file at path; throws
// DbError when the file or the sheet cannot be read.
using ExternalTableLoader = std::function<ExternalTable(const QString& path, const QString& sheet,
                                                        const ColumnFilter& wanted)>;

class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    // ADO-style: reads "Data Source" and "Jet OLEDB:Database Password"; other
    // properties are accepted and ignored. Relative paths are taken from the
    // current directory.
    void open(const QString& connectionString);
    void openFile(const QString& path, const QString& password);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    // Creates a new encrypted database file; fails when path exists.
    static void createFile(const QString& path, const QString& password);

    // Runs a statement that returns no rows; returns the number of rows changed.
    int exec(const QString& jetSql);
    // Runs a query and returns all its rows. With editable set, a plain
    // "select … from <one table> …" also fetches each row's rowid.
    ResultSet select(const QString& jetSql, bool editable = false);
    PackedResultSet selectPacked(const QString& jetSql, bool editable = false);
    // Statements with bound values, in SQLite's own dialect (used by the
    // dataset's edit/append/delete).
    int execBound(const QString& sqliteSql, const QList<QVariant>& values);
    ResultSet selectBound(const QString& sqliteSql, const QList<QVariant>& values);
    qint64 lastInsertRowid() const;
    bool hasTable(const QString& name) const;

    void begin();
    void commit();
    void rollback();

    sqlite3* handle() const { return db_; }

    static void setExternalTableLoader(ExternalTableLoader loader);

Q_SIGNALS:
    void aboutToClose();
    void opened();

private:
    void requireOpen() const;
    // Prepares the statement (fetching rowids when editable and possible),
    // fills columns and table and hands every row to onRow; first is the
    // first value column.
    void query(const QString& jetSql, bool editable, QStringList* columns, QString* table,
               const std::function<void(sqlite3_stmt*, int first)>& onRow);
    void registerFunctions();
    void attachWorkbooks(const QString& sql, QStringList* attached);
    void detach(const QStringList& attached);
    QString errorText() const;
    // The bound statements repeat (a dataset posts the same UPDATE for every
    // row it edits), so the last few stay prepared; reset after every use.
    sqlite3_stmt* prepareBound(const QString& sqliteSql);
    void finalizeBound();
    std::vector<std::pair<QByteArray, sqlite3_stmt*>> bound_;
    std::unique_ptr<class SheetTables> sheets_;

    sqlite3* db_ = nullptr;
    QString path_;
};

// Parses "Key=Value;Key2=Value2" (values may be quoted); keys compared
// case-insensitively, returned lower-case.
QList<std::pair<QString, QString>> parseConnectionString(const QString& text);

} // namespace tolvi::db
