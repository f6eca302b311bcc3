#include "data/Dm.h"

#include "data/Schema.h"

#include <QDir>
#include <sqlcipher/sqlite3.h>

namespace tolvi {
namespace {
Tdmfm* current = nullptr;

// SQLite opens a write-protected file for reading without a word; every save
// would then fail one by one. Better to say so once, before any window shows.
void refuseReadOnlyFile(db::Connection& c) {
    if (sqlite3_db_readonly(c.handle(), "main") != 1)
        return;
    const QString path = QDir::toNativeSeparators(c.path());
    c.close();
    throw db::DbError(
        QStringLiteral("数据库文件“%1”是只读的，无法保存数据。请去掉文件的只读属性或检查文件权限。")
            .arg(path));
}
} // namespace

Tdmfm::Tdmfm(const QString& connectionString, QObject* parent)
    : QObject(parent), connectionString_(connectionString) {
    ADOConnection1 = new db::Connection(this);
    ADOConnection1->open(connectionString);
    refuseReadOnlyFile(*ADOConnection1);
    const QStringList missing = missingTables(*ADOConnection1);
    if (!missing.isEmpty()) {
        const QString path = ADOConnection1->path();
        ADOConnection1->close();
        throw db::DbError(QStringLiteral("“%1”不是本程序的数据库文件（缺少数据表：%2）。")
                              .arg(path, missing.join(QStringLiteral("、"))));
    }
    auto make = [this](const QString& sql) {
        auto* d = new db::Dataset(ADOConnection1, this);
        if (!sql.isEmpty())
            d->setSql(sql);
        return d;
    };
    ADOQuery15 = make(QStringLiteral("select * from data"));
    ADOTable5 = make({});
    ADOTable5->setTableName(QStringLiteral("data"), true);
    ADOQuery7 = make(QStringLiteral("select * from post"));
    ADOTable6 = make({});
    ADOTable6->setTableName(QStringLiteral("post"));
    ADOQuery1 = make(QStringLiteral("select * from data1"));
    ADOTable2 = make({});
    ADOTable2->setTableName(QStringLiteral("data1"), true);
    ADOQuery13 = make(QStringLiteral("SELECT * from data1"));
    ADOQuery12 = make({});
    current = this;
}

Tdmfm::~Tdmfm() {
    if (current == this)
        current = nullptr;
}

Tdmfm* Tdmfm::instance() {
    return current;
}

void Tdmfm::reopen() {
    ADOConnection1->open(connectionString_);
    refuseReadOnlyFile(*ADOConnection1);
}

} // namespace tolvi
