// The database layer against a real encrypted data.mdb.
#include "data/Schema.h"
#include "data/db/Connection.h"
#include "data/db/Dataset.h"
#include "data/db/JetDialect.h"
#include "support/TestEnv.h"

#include <QDate>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <sqlcipher/sqlite3.h>

using namespace tolvi;
using namespace tolvi::db;

class TestDb : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithConnectionString();
    void openFailures_data();
    void openFailures();
    void plainSqliteCannotReadTheFile();
    void jetDialect_data();
    void jetDialect();
    void datasetNavigationAndFields();
    void disabledControlsHearOnlyTheEnd();
    void keptStatementsHoldNoLock();
    void editPostAndDeleteByRowid();
    void appendThroughTableCursor();
    void sortInMemory();
    void numberColumnsRefuseText();
    void oneStatementAtATime();
    void workbookReferenceUsesLoader();
};

void TestDb::opensWithConnectionString() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    QVERIFY(c.isOpen());
    QCOMPARE(c.path(), QFileInfo(env.dataMdb()).absoluteFilePath());
    const ResultSet users = c.select(QStringLiteral("select * from userdb"));
    QCOMPARE(users.rows.size(), size_t(1));
    QCOMPARE(users.rows[0].values.at(0).toString(), kSuperAdministrator);
}

void TestDb::openFailures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing") << "nothere.mdb" << kDatabasePassword << "找不到数据库文件";
    QTest::newRow("wrong password") << "data.mdb"
                                    << "wrong"
                                    << "数据库密码不正确";
    QTest::newRow("garbage") << "garbage.mdb" << kDatabasePassword << "数据库密码不正确";
    QTest::newRow("empty file") << "empty.mdb" << kDatabasePassword << "文件为空";
}

void TestDb::openFailures() {
    QFETCH(QString, file);
    QFETCH(QString, password);
    QFETCH(QString, expected);
    test::TestEnv env;
    QFile g(env.path(QStringLiteral("garbage.mdb")));
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write(QByteArray(8192, 'x'));
    g.close();
    QFile e(env.path(QStringLiteral("empty.mdb")));
    QVERIFY(e.open(QIODevice::WriteOnly));
    e.close();
    const QByteArray before = QFile::exists(file) ? [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }() : QByteArray();
    Connection c;
    try {
        c.openFile(file, password);
        QFAIL("opened");
    } catch (const DbError& err) {
        QVERIFY2(err.message().contains(expected), qPrintable(err.message()));
    }
    QVERIFY(!c.isOpen());
    // a failed open never creates or changes a file
    QCOMPARE(QFile::exists(file), !before.isEmpty() || file == QLatin1String("empty.mdb"));
    if (!before.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
}

void TestDb::plainSqliteCannotReadTheFile() {
    test::TestEnv env;
    sqlite3* db = nullptr;
    QCOMPARE(
        sqlite3_open_v2(env.dataMdb().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
        SQLITE_OK);
    const int rc =
        sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QCOMPARE(rc, SQLITE_NOTADB);
}

void TestDb::jetDialect_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("expected"); // first column of every row
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QTest::newRow("Date()") << "select Date() as d" << QStringList{today};
    QTest::newRow("year = quoted")
        << "select a from data1 where year([day1])='2024'" << QStringList{"x", "y"};
    QTest::newRow("month = quoted, no zero")
        << "select a from data1 where month([day1])='3'" << QStringList{"x"};
    QTest::newRow("day = number") << "select a from data1 where day(day1)=9" << QStringList{"y"};
    QTest::newRow("month group") << "select month([day1]) as 月份,sum(a5) as 总量 from data1 "
                                    "where year([day1])='2024' group by month([day1])"
                                 << QStringList{"11", "3"};
    QTest::newRow("date literal") << "select a from data1 where day1>=#2024-11-01#"
                                  << QStringList{"y"};
    QTest::newRow("us date literal")
        << "select a from data1 where day1<#11/1/2024#" << QStringList{"x", "z"};
    QTest::newRow("like on dates") << "select a from data1 where day1 like '2024-%' and day1 like "
                                      "'%-03-%' order by day1"
                                   << QStringList{"x"};
    QTest::newRow("brackets and quote-where")
        << "select a from data1 where [2]=5 and a='x'" + QString() + "or a='z'"
        << QStringList{"x", "z"};
}

void TestDb::jetDialect() {
    QFETCH(QString, statement);
    QFETCH(QStringList, expected);
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    c.exec("insert into data1 (a,[2],a5,day1) values ('x',5,1.5,'2024-03-05')");
    c.exec("insert into data1 (a,[2],a5,day1) values ('y',6,2,'2024-11-09 10:00:00')");
    c.exec("insert into data1 (a,[2],a5,day1) values ('z',7,3,'2023-12-31')");
    const ResultSet r = c.select(statement);
    QStringList got;
    for (const Row& row : r.rows)
        got.append(Field({}, row.values.at(0)).asString());
    if (QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("month group"))
        got.sort();
    QCOMPARE(got, expected);
}

void TestDb::datasetNavigationAndFields() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    c.exec("insert into data (a,[1],[2]) values ('张三',2,12.5)");
    c.exec("insert into data (a,d,g) values ('李四',NULL,NULL)");
    Dataset d(&c);
    d.setSql("select * from data");
    d.open();
    QCOMPARE(d.recordCount(), 2);
    QCOMPARE(d.fieldByName("a").asString(), QStringLiteral("张三"));
    QCOMPARE(d.fieldByName("2").asFloat(), 12.5);
    d.next();
    QVERIFY(!d.eof());
    QCOMPARE(d.fieldByName("d").asString(), QString()); // NULL reads as empty text
    QVERIFY(d.fieldByName("g").isNull());
    d.next();
    QVERIFY(d.eof());
    QVERIFY_THROWS_EXCEPTION(DbError, d.fieldByName("nope"));
    // A value with an apostrophe round-trips through a quoted literal
    c.exec("insert into data (a) values ('O''Brien')");
    d.open();
    d.last();
    QCOMPARE(d.fieldByName("a").asString(), QStringLiteral("O'Brien"));
}

void TestDb::disabledControlsHearOnlyTheEnd() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    for (int i = 0; i < 3; ++i)
        c.exec("insert into data (a) values ('x')");
    Dataset d(&c);
    d.setSql("select * from data");
    d.open();
    QSignalSpy moved(&d, &Dataset::currentChanged);
    {
        const ControlsDisabled outer(&d);
        d.next();
        {
            const ControlsDisabled inner(&d);
            d.next();
        }
        QCOMPARE(moved.count(), 0); // still disabled by the outer scope
        d.prior();
    }
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toInt(), 1);
    d.next();
    QCOMPARE(moved.count(), 2);
}

// Bound statements stay prepared between uses: more of them than are kept, a
// failed one, another connection writing in between, close and reopen.
void TestDb::keptStatementsHoldNoLock() {
    test::TestEnv env;
    Connection a, b;
    a.open(mainConnectionString());
    b.open(mainConnectionString());
    for (int i = 0; i < 3; ++i)
        a.execBound(QStringLiteral("insert into data (a) values (?)"), {QStringLiteral("x")});
    for (int i = 0; i < 12; ++i) { // more statements than are kept
        const ResultSet r = a.selectBound(
            QStringLiteral("select a from data where rowid > ? limit %1").arg(i % 10 + 1), {0});
        QVERIFY(!r.rows.empty());
        QCOMPARE(b.execBound(QStringLiteral("update data set k=? where rowid=1"), {i}), 1);
    }
    // A failed step leaves the kept statement usable.
    const QString bad = QStringLiteral("insert into data ([1]) values (?)");
    QVERIFY_THROWS_EXCEPTION(DbError, a.execBound(bad, {QStringLiteral("不是数字")}));
    QCOMPARE(a.execBound(bad, {2}), 1);
    QCOMPARE(b.execBound(QStringLiteral("delete from data where rowid=?"), {1}), 1);
    a.close();
    QVERIFY(!a.isOpen());
    a.open(mainConnectionString());
    QCOMPARE(
        a.selectBound(QStringLiteral("select count(*) from data"), {}).rows[0].values[0].toInt(),
        3);
}

void TestDb::editPostAndDeleteByRowid() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    // two identical rows: only the current one may change
    c.exec("insert into data (a,k) values ('same','keep')");
    c.exec("insert into data (a,k) values ('same','keep')");
    Dataset d(&c);
    d.setSql("select * from data");
    d.open();
    QSignalSpy updated(&d, &Dataset::rowUpdated);
    QSignalSpy removed(&d, &Dataset::rowRemoved);
    d.last();
    d.edit();
    d.setValue("a", "changed");
    d.setValue("1", 3.0);
    d.post();
    QCOMPARE(updated.count(), 1);
    QCOMPARE(d.fieldByName("a").asString(), QStringLiteral("changed"));
    ResultSet r = c.select("select a,k from data order by rowid");
    QCOMPARE(r.rows[0].values.at(0).toString(), QStringLiteral("same"));
    QCOMPARE(r.rows[1].values.at(0).toString(), QStringLiteral("changed"));
    QCOMPARE(r.rows[1].values.at(1).toString(), QStringLiteral("keep"));
    d.first();
    d.deleteCurrent();
    QCOMPARE(removed.count(), 1);
    QCOMPARE(d.recordCount(), 1);
    r = c.select("select a from data");
    QCOMPARE(r.rows.size(), size_t(1));
    QCOMPARE(r.rows[0].values.at(0).toString(), QStringLiteral("changed"));
}

void TestDb::appendThroughTableCursor() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    Dataset t(&c);
    t.setTableName("post");
    t.open();
    QCOMPARE(t.recordCount(), 0);
    t.append();
    t.setValue("a", "寄件人");
    t.setValue("d", "申通快递");
    t.post();
    QCOMPARE(t.recordCount(), 1);
    t.first();
    t.edit();
    t.setValue("b", "13900000000");
    t.post();
    const ResultSet r = c.select("select a,b,d from post");
    QCOMPARE(r.rows.size(), size_t(1));
    QCOMPARE(r.rows[0].values.at(1).toString(), QStringLiteral("13900000000"));
    // execQuery-style statements report their changes
    QCOMPARE(c.exec("update post set a='x' where a='nobody'"), 0);
    QCOMPARE(c.exec("update post set a='x'"), 1);
}

void TestDb::sortInMemory() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    for (const char* v : {"2", "10", "1", "NULL"})
        c.exec(QStringLiteral("insert into data (a,[1]) values ('n',%1)").arg(QLatin1String(v)));
    Dataset d(&c);
    d.setSql("select * from data");
    d.open();
    QSignalSpy reset(&d, &Dataset::reset);
    d.sort("1 DESC");
    QCOMPARE(reset.count(), 1);
    QStringList got;
    for (int i = 0; i < d.recordCount(); ++i)
        got.append(Field({}, d.value(i, d.fieldIndex("1"))).asString());
    QCOMPARE(got, (QStringList{"10", "2", "1", ""}));
    d.sort("[1]");
    QCOMPARE(Field({}, d.value(3, d.fieldIndex("1"))).asString(), QStringLiteral("10"));
    // sorted rows stay editable by their own rowid
    d.first();
    d.deleteCurrent();
    QCOMPARE(c.select("select count(*) from data where [1] is null").rows[0].values[0].toInt(), 0);
}

void TestDb::numberColumnsRefuseText() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    QCOMPARE(c.exec("insert into data (a,[1],[2]) values ('a','3','201.12')"), 1);
    QVERIFY_THROWS_EXCEPTION(DbError, c.exec("insert into data (a,[1]) values ('b','abc')"));
    QCOMPARE(c.select("select [2] from data").rows[0].values[0].toDouble(), 201.12);
}

void TestDb::oneStatementAtATime() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    QVERIFY_THROWS_EXCEPTION(DbError, c.exec("delete from data; drop table userdb"));
    QVERIFY(c.hasTable("userdb"));
}

void TestDb::workbookReferenceUsesLoader() {
    test::TestEnv env;
    Connection c;
    c.open(mainConnectionString());
    QString askedPath, askedSheet;
    QList<bool> wants;
    Connection::setExternalTableLoader(
        [&](const QString& path, const QString& sheet, const ColumnFilter& wanted) {
            askedPath = path;
            askedSheet = sheet;
            // Named columns by trimmed title, untitled ones as F<n>, others not.
            wants = {wanted(0, QStringLiteral(" 收货人姓名 ")), wanted(1, QStringLiteral("数量")),
                     wanted(2, QStringLiteral("买家留言")), wanted(3, QString())};
            ExternalTable t;
            t.columns = {QStringLiteral(" 收货人姓名 "), QStringLiteral("数量")};
            t.rows.push_back({QStringLiteral("王五"), 2.0});
            return t;
        });
    const int n = c.exec("INSERT INTO data (a,[1]) SELECT 收货人姓名, 数量 FROM "
                         "[excel 8.0;database=C:\\x y\\orders.xls].[brimvale$]");
    Connection::setExternalTableLoader({});
    QCOMPARE(n, 1);
    QCOMPARE(askedPath, QStringLiteral("C:\\x y\\orders.xls"));
    QCOMPARE(askedSheet, QStringLiteral("brimvale"));
    QCOMPARE(wants, (QList<bool>{true, true, false, false}));
    QCOMPARE(c.select("select a from data").rows[0].values[0].toString(), QStringLiteral("王五"));
    // nothing stays attached
    QCOMPARE(c.select("PRAGMA database_list").rows.size(), size_t(1));

    // A query reads the sheet with its conditions; a short row reads as NULL.
    Connection::setExternalTableLoader([](const QString&, const QString&, const ColumnFilter&) {
        ExternalTable t;
        t.columns = {QStringLiteral("名"), QStringLiteral("数量")};
        t.rows = {{QStringLiteral("甲"), 1}, {QStringLiteral("乙"), 2.5}, {QStringLiteral("丙")}};
        return t;
    });
    const ResultSet r = c.select("select 名, 数量 from [excel 8.0;database=o.xls].[s$] where "
                                 "数量 > 1 or 数量 is null order by 名");
    Connection::setExternalTableLoader({});
    QCOMPARE(r.rows.size(), size_t(2));
    QCOMPARE(r.rows[0].values, (QList<QVariant>{QStringLiteral("丙"), QVariant()}));
    QCOMPARE(r.rows[1].values, (QList<QVariant>{QStringLiteral("乙"), 2.5}));
    // Such tables are made by the program only, never by a typed statement.
    QVERIFY_THROWS_EXCEPTION(DbError, c.exec("create virtual table t using tolvi_sheet(0)"));
    QVERIFY(!c.hasTable(QStringLiteral("t")));
}

QTEST_GUILESS_MAIN(TestDb)
#include "tst_db.moc"
