#include "data/Schema.h"

#include "data/db/Connection.h"

#include <QStringList>

namespace tolvi {
namespace {

QString numberColumn(const QString& name) {
    // Jet refuses text in a number column; so does this check.
    // The check sees the value before REAL affinity converts numeric text.
    return QStringLiteral("\"%1\" REAL CHECK (\"%1\" IS NULL OR typeof(\"%1\") IN "
                          "('real','integer') OR (trim(\"%1\") GLOB '*[0-9]*' AND NOT "
                          "trim(\"%1\") GLOB '*[^0-9.eE+-]*'))")
        .arg(name);
}

QString dataTable() {
    QStringList cols;
    for (char c = 'a'; c <= 'z'; ++c)
        cols.append(QStringLiteral("\"%1\" TEXT").arg(QLatin1Char(c)));
    for (int n = 1; n <= 9; ++n)
        cols.append(numberColumn(QString::number(n)));
    for (int d = 1; d <= 6; ++d)
        cols.append(QStringLiteral("day%1 TEXT").arg(d));
    return QStringLiteral("CREATE TABLE data (%1)").arg(cols.join(QStringLiteral(", ")));
}

QString data1Table() {
    QStringList cols{QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT")};
    for (char c = 'a'; c <= 'z'; ++c)
        cols.append(QStringLiteral("\"%1\" TEXT").arg(QLatin1Char(c)));
    for (const char* n : {"1", "2", "3", "4", "a5", "6", "7", "8", "9"})
        cols.append(numberColumn(QString::fromLatin1(n)));
    for (int d = 1; d <= 6; ++d)
        cols.append(QStringLiteral("day%1 TEXT").arg(d));
    return QStringLiteral("CREATE TABLE data1 (%1)").arg(cols.join(QStringLiteral(", ")));
}

} // namespace

QString mainConnectionString(const QString& dataSource) {
    return QStringLiteral(
               "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=%1;Mode=ReadWrite;"
               "Persist Security Info=False;Jet OLEDB:System database=\"\";"
               "Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=%2;"
               "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;"
               "Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk Transactions=1;"
               "Jet OLEDB:New Database Password=\"\";Jet OLEDB:Create System Database=False;"
               "Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy Locale on Compact=False;"
               "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False")
        .arg(dataSource, kDatabasePassword);
}

void createNewDatabase(const QString& path) {
    db::Connection::createFile(path, kDatabasePassword);
    db::Connection c;
    c.openFile(path, kDatabasePassword);
    c.begin();
    try {
        c.execBound(dataTable(), {});
        c.execBound(data1Table(), {});
        c.execBound(QStringLiteral("CREATE TABLE post (a TEXT, b TEXT, c TEXT, d TEXT)"), {});
        c.execBound(QStringLiteral("CREATE TABLE rz (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                   "username TEXT, btime TEXT, jtime TEXT)"),
                    {});
        c.execBound(QStringLiteral("CREATE TABLE userdb (username TEXT, passwd TEXT)"), {});
        c.execBound(QStringLiteral("INSERT INTO userdb VALUES (?, ?)"),
                    {kSuperAdministrator, kInitialPassword});
        c.commit();
    } catch (...) {
        c.rollback();
        throw;
    }
}

QStringList missingTables(const db::Connection& c) {
    QStringList missing;
    for (const char* t : {"data", "data1", "post", "rz", "userdb"})
        if (!c.hasTable(QString::fromLatin1(t)))
            missing.append(QString::fromLatin1(t));
    return missing;
}

} // namespace tolvi
