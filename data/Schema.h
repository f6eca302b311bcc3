#pragma once

#include <QString>
#include <QStringList>

namespace tolvi {

// The database password of data.mdb.
inline const QString kDatabasePassword = QStringLiteral("qvzmtr.kox");
// Given to new operators and by a password reset; shown in the login hint.
inline const QString kInitialPassword = QStringLiteral("888");
inline const QString kSuperAdministrator = QStringLiteral("超级管理员");

// The connection string of the data module (data.mdb in the current directory).
QString mainConnectionString(const QString& dataSource = QStringLiteral("data.mdb"));

// Writes a new database: every table, the super administrator with the
// initial password, an empty post. Fails (DbError) when path exists.
void createNewDatabase(const QString& path);

namespace db {
class Connection;
}
// The tables this program needs that the open file lacks.
QStringList missingTables(const db::Connection& connection);

} // namespace tolvi
