// Backup and restore of data.mdb through the backup window, on real files.
#include "data/Dm.h"
#include "data/Schema.h"
#include "maintenance/Trepair.h"
#include "platform/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace tolvi;

namespace {

QString savedPath() {
    return SettingsStore::read(kKeyNembraJxc, QStringLiteral("save"));
}

// Names in table data, read through a connection of its own.
QStringList names(const QString& file = QStringLiteral("data.mdb")) {
    db::Connection c;
    c.openFile(file, kDatabasePassword);
    QStringList n;
    for (const auto& r : c.select(QStringLiteral("select a from data order by a")).rows)
        n.append(r.values.at(0).toString());
    return n;
}

void addName(const QString& name, const QString& file = QStringLiteral("data.mdb")) {
    db::Connection c;
    c.openFile(file, kDatabasePassword);
    c.execBound(QStringLiteral("insert into data (a) values (?)"), {name});
}

QByteArray bytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& content) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

struct Fixture {
    test::TestEnv env;
    Tdmfm dm{mainConnectionString()};
    int reopened = 0; // calls of the main window's callback
    QPointer<Trepair> window;

    Fixture() { open(); }
    ~Fixture() { delete window; }
    void open() {
        window = new Trepair(nullptr, [this] { ++reopened; });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    test::ScriptedPlatform* p() const { return env.platform(); }
    void click(QPushButton* b) {
        p()->clear();
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showClosesTheConnectionAndShowsTheBackupSection();
    void backupPathIsKeptInTheSettings();
    void backupRestoreRoundTrip();
    void backupTargets_data();
    void backupTargets();
    void secondBackupToTheSamePathAsks();
    void refusedRestoreSources_data();
    void refusedRestoreSources();
    void declinedReplaceLeavesTheDatabase();
    void openBackupFileRemembersTheLastChoice();
    void closeWithoutADatabaseStaysOpenUntilAValidRestore();
};

void TestBackup::showClosesTheConnectionAndShowsTheBackupSection() {
    Fixture f;
    QCOMPARE(f.window->windowTitle(), QStringLiteral("数据库备份"));
    QVERIFY(!f.dm.ADOConnection1->isOpen());
    QCOMPARE(f.window->size(), QSize(345, 137));
    QVERIFY(f.window->scrollArea->verticalScrollBar()->isVisible());
    QVERIFY(f.window->scrollArea->verticalScrollBar()->maximum() > 0);
    QCOMPARE(f.window->backupPathBox->accessibleName(), QStringLiteral("备份数据的目录:"));
    QCOMPARE(f.window->restorePathBox->text(), QStringLiteral("beifen.mdb"));

    QVERIFY(f.window->close());
    QVERIFY(f.dm.ADOConnection1->isOpen());
    QVERIFY(f.dm.ADOTable5->isOpen());
    QVERIFY(f.dm.ADOTable2->isOpen());
    QCOMPARE(f.reopened, 1);
    QTRY_VERIFY(f.window.isNull());
}

void TestBackup::backupPathIsKeptInTheSettings() {
    Fixture f;
    QCOMPARE(f.window->backupPathBox->text(), QStringLiteral("D:\\beifen.mdb"));
    QVERIFY(!SettingsStore::keyExists(kKeyNembraJxc));
    f.click(f.window->defaultButton); // already the default: nothing is written
    QVERIFY(!SettingsStore::keyExists(kKeyNembraJxc));

    f.window->backupPathBox->selectAll();
    test::typeText(f.window->backupPathBox, QStringLiteral("/备份/a.mdb"));
    QCOMPARE(savedPath(), QStringLiteral("/备份/a.mdb"));
    QVERIFY(f.window->close());

    // A new window, as after a restart, starts from the stored path.
    f.open();
    QCOMPARE(f.window->backupPathBox->text(), QStringLiteral("/备份/a.mdb"));
    f.click(f.window->defaultButton);
    QCOMPARE(f.window->backupPathBox->text(), QStringLiteral("D:\\beifen.mdb"));
    QCOMPARE(savedPath(), QStringLiteral("D:\\beifen.mdb"));
}

void TestBackup::backupRestoreRoundTrip() {
    Fixture f;
    QVERIFY(f.window->close());
    addName(QStringLiteral("张三"));
    f.open();
    const QString copy = f.env.path(QStringLiteral("beifen.mdb"));
    f.window->backupPathBox->setText(copy);
    f.click(f.window->backupButton);
    QCOMPARE(f.p()->texts(), QStringList{QStringLiteral("数据库备份成功！")});
    QCOMPARE(names(copy), QStringList{QStringLiteral("张三")});

    addName(QStringLiteral("李四")); // work after the backup, to be undone
    QCOMPARE(names().size(), 2);

    f.p()->answers.enqueue(MsgButton::Yes); // replace data.mdb
    f.click(f.window->restoreButton);       // "beifen.mdb" of the working directory
    QCOMPARE(f.p()->texts().size(), 2);
    QCOMPARE(f.p()->messages[0].kind, test::Message::Question);
    QCOMPARE(f.p()->lastText(), QStringLiteral("数据库恢复成功！"));
    QVERIFY2(QFileInfo::exists(copy), "the backup is copied, not moved");

    QVERIFY(f.window->close());
    QCOMPARE(f.reopened, 2); // the first window and this one
    db::Dataset fresh(f.dm.ADOConnection1);
    fresh.setSql(QStringLiteral("select a from data"));
    fresh.open();
    QCOMPARE(fresh.recordCount(), 1);
    QCOMPARE(fresh.fieldByName(QStringLiteral("a")).asString(), QStringLiteral("张三"));
    QVERIFY(f.dm.ADOTable5->isOpen());
    const QStringList leftovers =
        QDir(f.env.dir()).entryList({QStringLiteral("data.mdb*")}, QDir::Files);
    QCOMPARE(leftovers, QStringList{QStringLiteral("data.mdb")});
}

void TestBackup::backupTargets_data() {
    QTest::addColumn<QString>("target");   // relative to the test directory
    QTest::addColumn<QString>("expected"); // where the copy lands, or "" for none
    QTest::addColumn<QString>("message");
    QTest::newRow("file") << "copy.mdb"
                          << "copy.mdb"
                          << "数据库备份成功！";
    QTest::newRow("existing folder") << "folder"
                                     << "folder/data.mdb"
                                     << "数据库备份成功！";
    QTest::newRow("missing folder") << "nowhere/copy.mdb"
                                    << ""
                                    << "数据库备份失败！";
}

void TestBackup::backupTargets() {
    QFETCH(QString, target);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    Fixture f;
    QDir(f.env.dir()).mkdir(QStringLiteral("folder"));
    f.window->backupPathBox->setText(f.env.path(target));
    f.click(f.window->backupButton);
    QCOMPARE(f.p()->texts().size(), 1);
    QCOMPARE(f.p()->lastText().section(QLatin1Char('\n'), 0, 0), message);
    if (!expected.isEmpty())
        QCOMPARE(bytes(f.env.path(expected)), bytes(f.env.dataMdb()));
    QVERIFY(!QFileInfo::exists(f.env.path(QStringLiteral("nowhere"))));
}

void TestBackup::secondBackupToTheSamePathAsks() {
    Fixture f;
    const QString copy = f.env.path(QStringLiteral("copy.mdb"));
    f.window->backupPathBox->setText(copy);
    f.click(f.window->backupButton);
    QCOMPARE(f.p()->texts(), QStringList{QStringLiteral("数据库备份成功！")});
    addName(QStringLiteral("王五"));

    f.p()->answers.enqueue(MsgButton::No);
    f.click(f.window->backupButton);
    QCOMPARE(f.p()->messages.size(), 2);
    QCOMPARE(f.p()->messages[0].kind, test::Message::Question);
    QCOMPARE(f.p()->lastText(), QStringLiteral("数据库备份失败！"));
    QCOMPARE(names(copy), QStringList{});

    f.p()->answers.enqueue(MsgButton::Yes);
    f.click(f.window->backupButton);
    QCOMPARE(f.p()->lastText(), QStringLiteral("数据库备份成功！"));
    QCOMPARE(names(copy), QStringList{QStringLiteral("王五")});
}

void TestBackup::refusedRestoreSources_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "nothere.mdb"
                             << "备份数据库没找到!";
    QTest::newRow("empty path") << ""
                                << "备份数据库没找到!";
    QTest::newRow("a folder") << "folder"
                              << "备份数据库没找到!";
    QTest::newRow("text file") << "notes.txt"
                               << "数据库恢复失败！";
    QTest::newRow("empty file") << "empty.mdb"
                                << "数据库恢复失败！";
    QTest::newRow("other password") << "other.mdb"
                                    << "数据库恢复失败！";
    QTest::newRow("other tables") << "foreign.mdb"
                                  << "数据库恢复失败！";
}

void TestBackup::refusedRestoreSources() {
    QFETCH(QString, source);
    QFETCH(QString, message);
    Fixture f;
    addName(QStringLiteral("张三"));
    QDir(f.env.dir()).mkdir(QStringLiteral("folder"));
    writeFile(f.env.path(QStringLiteral("notes.txt")), "not a database\n");
    writeFile(f.env.path(QStringLiteral("empty.mdb")), {});
    db::Connection::createFile(f.env.path(QStringLiteral("other.mdb")), QStringLiteral("secret"));
    db::Connection::createFile(f.env.path(QStringLiteral("foreign.mdb")), kDatabasePassword);
    {
        db::Connection c;
        c.openFile(f.env.path(QStringLiteral("foreign.mdb")), kDatabasePassword);
        c.exec(QStringLiteral("create table data (a text)"));
    }
    const QByteArray before = bytes(f.env.dataMdb());
    f.p()->answers.enqueue(MsgButton::Yes); // would allow a replace
    f.window->restorePathBox->setText(source);
    f.click(f.window->restoreButton);
    QCOMPARE(f.p()->texts().size(), 1);
    QCOMPARE(f.p()->lastText().section(QLatin1Char('\n'), 0, 0), message);
    QCOMPARE(bytes(f.env.dataMdb()), before);

    QVERIFY(f.window->close());
    QCOMPARE(f.reopened, 1);
    QCOMPARE(f.dm.ADOConnection1->select(QStringLiteral("select a from data")).rows.size(),
             size_t(1));
}

void TestBackup::declinedReplaceLeavesTheDatabase() {
    Fixture f;
    const QString copy = f.env.path(QStringLiteral("copy.mdb"));
    f.window->backupPathBox->setText(copy);
    f.click(f.window->backupButton);
    addName(QStringLiteral("李四"));
    f.window->restorePathBox->setText(copy);
    f.p()->answers.enqueue(MsgButton::No);
    f.click(f.window->restoreButton);
    QCOMPARE(f.p()->lastText(), QStringLiteral("数据库恢复失败！"));
    QCOMPARE(names(), QStringList{QStringLiteral("李四")});
}

void TestBackup::openBackupFileRemembersTheLastChoice() {
    Fixture f;
    f.click(f.window->openBackupButton);
    QCOMPARE(f.window->restorePathBox->text(), QString());
    QCOMPARE(f.p()->dialogFilters, QStringList{QString()});
    f.p()->fileNames.enqueue(QStringLiteral("/x/first.mdb"));
    f.click(f.window->openBackupButton);
    QCOMPARE(f.window->restorePathBox->text(), QStringLiteral("/x/first.mdb"));
    f.window->restorePathBox->setText(QStringLiteral("typed.mdb"));
    f.click(f.window->openBackupButton); // cancelled
    QCOMPARE(f.window->restorePathBox->text(), QStringLiteral("/x/first.mdb"));
}

void TestBackup::closeWithoutADatabaseStaysOpenUntilAValidRestore() {
    Fixture f;
    const QString copy = f.env.path(QStringLiteral("copy.mdb"));
    f.window->backupPathBox->setText(copy);
    f.click(f.window->backupButton);
    // Someone else spoils the live file while the connection is closed.
    writeFile(f.env.dataMdb(), "spoilt");

    f.p()->clear();
    QVERIFY(!f.window->close());
    QCOMPARE(f.p()->messages.size(), 1);
    QCOMPARE(f.p()->messages[0].kind, test::Message::Error);
    QVERIFY(f.window && f.window->isVisible());
    QCOMPARE(f.reopened, 0);

    f.window->restorePathBox->setText(copy);
    f.p()->answers.enqueue(MsgButton::Yes);
    f.click(f.window->restoreButton);
    QCOMPARE(f.p()->lastText(), QStringLiteral("数据库恢复成功！"));
    QVERIFY(f.window->close());
    QCOMPARE(f.reopened, 1);
    QVERIFY(f.dm.ADOConnection1->isOpen());
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
