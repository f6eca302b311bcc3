// Faults of the database file and of the process: a missing, truncated or
// overwritten data.mdb at start-up, a full disk during a save and a backup,
// and the process killed in the middle of an import.
#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/Dm.h"
#include "data/Schema.h"
#include "export/ExportGridToExcel.h"
#include "grid/DataGrid.h"
#include "grid/ListFixture.h"
#include "import/Texcell.h"
#include "maintenance/Trepair.h"
#include "operators/OperatorSession.h"
#include "operators/Tloginfm.h"
#include "shipments/EntryPanel.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <sqlcipher/sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace tolvi;

namespace {

constexpr int kImportRows = 60000;

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// runProgram on a file it must refuse; should it open the file anyway, the
// message loop is ended after a while instead of hanging the test.
int runProgramExpectingRefusal() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    return runProgram(*qApp);
}

QStringList messagesOf(const test::ScriptedPlatform* p, test::Message::Kind kind) {
    QStringList out;
    for (const test::Message& m : p->messages)
        if (m.kind == kind)
            out << m.text;
    return out;
}

// While alive, no file of this process may grow: writes fail as on a full
// disk (EFBIG instead of ENOSPC; SIGXFSZ is ignored so that write returns).
class DiskFull {
public:
    DiskFull() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit none = saved_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

// PRAGMA integrity_check of the file with the program's password.
QString integrity(const QString& path) {
    db::Connection c;
    c.openFile(path, kDatabasePassword);
    return c.select("PRAGMA integrity_check").rows.at(0).values.at(0).toString();
}

int dataRows(const QString& path) {
    db::Connection c;
    c.openFile(path, kDatabasePassword);
    return c.select("select count(*) from data").rows.at(0).values.at(0).toInt();
}

void writeOrdersCsv(const QString& path, int rows) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("订单编号,买家会员名,买家实际支付金额,订单状态,买家留言,收货人姓名,收货地址,运送方式,"
            "联系手机,订单付款时间,宝贝标题,宝贝总数量\n");
    QByteArray chunk;
    for (int i = 0; i < rows; ++i) {
        chunk += QStringLiteral("%1,tb_%1,12.50,买家已付款，等待卖家发货,请尽快发货,张三%1,"
                                "广东省 深圳市 南山区 科技园%1号,快递,139%2,2024-05-06 10:11:12,"
                                "纯棉T恤,1\n")
                     .arg(i)
                     .arg(i, 8, 10, QLatin1Char('0'))
                     .toUtf8();
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
}

// The child's side of the killed import: the real import window on the files
// in dir, run until the parent kills it.
int importChild(const QString& dir) {
    test::ScriptedPlatform::install();
    QDir::setCurrent(dir);
    Texcell window;
    window.workbookPath->setText(QDir(dir).filePath("orders.csv"));
    window.databasePath->setText(QDir(dir).filePath("data.mdb"));
    std::fputs("importing\n", stdout);
    std::fflush(stdout);
    window.importOrders();
    std::fputs("done\n", stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initialiseApplication(*qApp); }
    void brokenDatabaseFileStopsStartUp_data();
    void brokenDatabaseFileStopsStartUp();
    void readOnlyDatabaseFileStopsStartUp();
    void fullDiskDuringSaveKeepsTheDatabase();
    void fullDiskDuringBackupReportsAndKeepsTheDatabase();
    void fullDiskDuringExportLeavesNoFile();
    void killedImportStoresAllOrNothing_data();
    void killedImportStoresAllOrNothing();
};

void TestFaults::brokenDatabaseFileStopsStartUp_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("expected"); // part of the message
    QTest::newRow("missing") << "missing" << QStringLiteral("找不到数据库文件");
    QTest::newRow("empty") << "empty" << QStringLiteral("文件为空");
    QTest::newRow("truncated to its first page") << "truncated" << QStringLiteral("data.mdb");
    QTest::newRow("garbage at the start") << "garbage head" << QStringLiteral("data.mdb");
    QTest::newRow("all garbage") << "garbage" << QStringLiteral("data.mdb");
    QTest::newRow("a plain SQLite file") << "plain" << QStringLiteral("data.mdb");
}

// runProgram ends with the message before any window shows; the file on disk
// stays what it was (never replaced by a new, empty database).
void TestFaults::brokenDatabaseFileStopsStartUp() {
    QFETCH(QString, fault);
    QFETCH(QString, expected);
    test::TestEnv env;
    const QString mdb = env.dataMdb();
    const QByteArray good = fileBytes(mdb);
    QVERIFY(good.size() > 4096);
    if (fault == "missing") {
        QVERIFY(QFile::remove(mdb));
    } else if (fault == "empty") {
        writeBytes(mdb, {});
    } else if (fault == "truncated") {
        writeBytes(mdb, good.left(1024));
    } else if (fault == "garbage head") {
        QByteArray b = good;
        for (int i = 0; i < 4096; ++i)
            b[i] = char(i * 37 + 11);
        writeBytes(mdb, b);
    } else if (fault == "garbage") {
        writeBytes(mdb, QByteArray(good.size(), 'x'));
    } else {
        QVERIFY(QFile::remove(mdb));
        sqlite3* plain = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(mdb).constData(), &plain), SQLITE_OK);
        sqlite3_exec(plain, "create table data(a)", nullptr, nullptr, nullptr);
        sqlite3_close(plain);
    }
    const QByteArray before = fileBytes(mdb);
    const bool existed = QFile::exists(mdb);

    QCOMPARE(runProgramExpectingRefusal(), 1);
    const QStringList errors = messagesOf(env.platform(), test::Message::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(expected), qPrintable(errors[0]));
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
    QCOMPARE(QFile::exists(mdb), existed);
    QCOMPARE(fileBytes(mdb), before);
}

void TestFaults::readOnlyDatabaseFileStopsStartUp() {
    if (geteuid() == 0) {
        // Permissions do not bind root: run this case again as nobody.
        QProcess again;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", QDir::tempPath());
        env.insert("XDG_RUNTIME_DIR", QDir::tempPath());
        again.setProcessEnvironment(env);
        again.setWorkingDirectory(QDir::tempPath());
        again.start("setpriv",
                    {"--reuid=65534", "--regid=65534", "--clear-groups",
                     QCoreApplication::applicationFilePath(), "readOnlyDatabaseFileStopsStartUp"});
        if (!again.waitForFinished(120000))
            QSKIP("cannot run the case as another user");
        const QByteArray out = again.readAllStandardOutput();
        if (!out.contains("TestFaults::readOnlyDatabaseFileStopsStartUp"))
            QSKIP("cannot run the case as another user");
        QVERIFY2(again.exitCode() == 0 &&
                     out.contains("PASS   : TestFaults::readOnlyDatabaseFileStopsStartUp()"),
                 out.constData());
        return;
    }
    test::TestEnv env;
    const QString mdb = env.dataMdb();
    QVERIFY(QFile::setPermissions(mdb, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = fileBytes(mdb);
    QCOMPARE(runProgramExpectingRefusal(), 1);
    const QStringList errors = messagesOf(env.platform(), test::Message::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(QStringLiteral("只读")), qPrintable(errors[0]));
    QCOMPARE(fileBytes(mdb), before);
}

void TestFaults::fullDiskDuringSaveKeepsTheDatabase() {
    test::TestEnv env;
    operatorSession() = OperatorSession{};
    OperatorRights::instance().setRestricted(false);
    auto main = std::make_unique<TMainForm>();
    auto dm = std::make_unique<Tdmfm>(mainConnectionString());
    main->setDataModule(dm.get());
    installFeatureWindows(*main, *dm);
    main->show();
    dm->ADOConnection1->exec(
        "insert into data (a,b,c,d,g) values ('张三','139','北京','申通快递','未打印')");
    EntryPanel* e = main->entryPanel();
    e->openForNew();
    e->courierBox()->setEditText("申通快递");
    e->statusBox()->setEditText("未打印");
    e->nameEdit()->setText("李四");
    e->mobileEdit()->setText("138");
    e->addressEdit()->setText("上海");
    e->dateEdit()->setText("2024-05-06");
    {
        DiskFull full;
        e->newButton()->click();
    }
    const QStringList errors = messagesOf(env.platform(), test::Message::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY(!errors[0].isEmpty());
    QVERIFY(main->successTip()->isHidden());
    // The typed record waits in the panel for a second try.
    QCOMPARE(e->nameEdit()->text(), QStringLiteral("李四"));
    const auto names = dm->ADOConnection1->select("select a from data").rows;
    QCOMPARE(names.size(), size_t(1));
    QCOMPARE(names[0].values[0].toString(), QStringLiteral("张三"));
    e->newButton()->click();
    QCOMPARE(dm->ADOConnection1->select("select count(*) from data").rows[0].values[0].toInt(), 2);
    main.reset();
    dm.reset();
    QCOMPARE(integrity(env.dataMdb()), QStringLiteral("ok"));
}

void TestFaults::fullDiskDuringBackupReportsAndKeepsTheDatabase() {
    test::TestEnv env;
    Tdmfm dm{mainConnectionString()};
    dm.ADOConnection1->exec("insert into data (a) values ('张三')");
    const QByteArray before = fileBytes(env.dataMdb());
    const QString target = env.path("beifen.mdb");
    {
        Trepair window(nullptr, [] {});
        window.show();
        window.backupPathBox->setText(target);
        {
            DiskFull full;
            window.backupButton->click();
        }
        window.close();
    }
    const QStringList warnings = messagesOf(env.platform(), test::Message::Warning);
    QVERIFY2(warnings.size() == 1, qPrintable(env.platform()->texts().join('|')));
    QVERIFY2(warnings[0].startsWith(QStringLiteral("数据库备份失败！")), qPrintable(warnings[0]));
    QVERIFY(!QFile::exists(target)); // no half-written backup left behind
    QCOMPARE(fileBytes(env.dataMdb()), before);
    QVERIFY(dm.ADOConnection1->isOpen());
    QCOMPARE(dm.ADOConnection1->select("select a from data").rows.size(), size_t(1));
}

// A small list fits the file's write buffer: the failure shows only when the
// buffer is flushed at the end, and must still count as a failure.
void TestFaults::fullDiskDuringExportLeavesNoFile() {
    test::TestEnv env;
    db::Connection connection;
    connection.open(mainConnectionString());
    test::insertThreeShipments(connection);
    db::Dataset dataset{&connection};
    grid::DataGrid grid;
    grid.setColumns(test::shipmentColumns());
    grid.setDataset(&dataset);
    dataset.setSql(QStringLiteral("select * from data"));
    dataset.open();
    const QString path = env.path("list.xls");
    env.platform()->fileNames.enqueue(path);
    bool written = true;
    {
        DiskFull full;
        written =
            exportGridToExcel(&grid, QStringLiteral("快递单打印清单"), QStringLiteral("小王"));
    }
    QVERIFY(!written);
    QVERIFY(!QFile::exists(path));
    QVERIFY(env.platform()->openedUrls.isEmpty());
}

void TestFaults::killedImportStoresAllOrNothing_data() {
    QTest::addColumn<int>("delayMs"); // -1: as soon as the rows are being written
    QTest::newRow("while reading the report") << 100;
    QTest::newRow("while writing the rows") << -1;
}

void TestFaults::killedImportStoresAllOrNothing() {
    QFETCH(int, delayMs);
    test::TestEnv env;
    writeOrdersCsv(env.path("orders.csv"), kImportRows);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"--import-child", env.dir()});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(60000));
    QCOMPARE(child.readLine().trimmed(), QByteArray("importing"));
    if (delayMs >= 0) {
        QTest::qWait(delayMs);
    } else {
        // The rollback journal appears with the first row written to data.
        const QString journal = env.dataMdb() + "-journal";
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(journal) && child.state() == QProcess::Running &&
               waited.elapsed() < 120000)
            QThread::usleep(200);
        QVERIFY(QFile::exists(journal));
    }
    const bool finished = child.canReadLine() || child.state() == QProcess::NotRunning;
    child.kill(); // SIGKILL
    QVERIFY(child.waitForFinished(30000));
    qInfo("killed %s", finished ? "after the import finished" : "during the import");
    if (delayMs < 0) // killed inside the write: the next open must roll it back
        QVERIFY(!finished && QFile::exists(env.dataMdb() + "-journal"));
    QCOMPARE(integrity(env.dataMdb()), QStringLiteral("ok"));
    const int rows = dataRows(env.dataMdb());
    QVERIFY2(rows == 0 || rows == kImportRows, qPrintable(QString::number(rows)));
    qInfo("rows after the kill: %d", rows);
    // The program opens the file afterwards as usual.
    Tdmfm dm{mainConnectionString()};
    QVERIFY(dm.ADOConnection1->isOpen());
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--import-child") == 0)
        return importChild(QString::fromLocal8Bit(argv[2]));
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"
