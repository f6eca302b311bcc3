// The import window against a real data.mdb, real .xls workbooks and real
// CSV reports in the shop's encodings.
#include "data/Schema.h"
#include "data/db/Connection.h"
#include "import/Texcell.h"
#include "import/WorkbookLoader.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tolvi;

namespace {

const QString kSuccess = QStringLiteral("批量EXCEL导入成功！请退出在主界面中点全部记录查看");
const QString kFailure = QStringLiteral("批量EXCEL导入失败！请联系官网技术QQ客服");
const QString kNoPath = QStringLiteral("请正确选择相关路径！");
const QString kNoAccess = QStringLiteral("连接ACCESS失败！请联系技术客服QQ:") + kSupportQq;

QString fixture(const QString& name) {
    return QStringLiteral(TOLVI_SOURCE_DIR "/tests/fixtures/import/") + name;
}

// Every column the import writes, in a fixed order, as stored.
QList<QVariantList> dataRows(const QString& mdb) {
    db::Connection c;
    c.open(mainConnectionString(mdb));
    const db::ResultSet rs =
        c.select(QStringLiteral("select a,b,c,d,g,[1],[2],h,i,j,k,day1,z,typeof(j) from data "
                                "order by rowid"));
    QList<QVariantList> out;
    for (const auto& row : rs.rows)
        out.append(row.values);
    return out;
}

void seedOneRecord(const QString& mdb) {
    db::Connection c;
    c.open(mainConnectionString(mdb));
    c.exec(QStringLiteral("insert into data (a,b,c,d,g,[1],[2]) values "
                          "('老客户','13000000000','上海市','申通快递','已打印',1,10)"));
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installWorkbookLoader(); }
    void windowLayout();
    void fileDialogsFillTheFields();
    void helpLinkOpensMakerSite();
    void importsEveryColumn_data();
    void importsEveryColumn();
    void failuresLeaveDataUnchanged_data();
    void failuresLeaveDataUnchanged();
    void importingTwiceStoresTwice();
};

void TestImport::windowLayout() {
    test::TestEnv env;
    Texcell w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Excel导入数据库"));
    QVERIFY(w.isModal());
    QCOMPARE(w.size(), QSize(419, 366));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.warningLabel->text(), QStringLiteral("警告：导入前请您务必先备份数据库"));
    QCOMPARE(w.workbookLabel->text(), QStringLiteral("Execl路径："));
    QCOMPARE(w.workbookPath->accessibleName(), QStringLiteral("Execl路径："));
    QCOMPARE(w.databasePath->accessibleName(), QStringLiteral("数据库路径："));
    QCOMPARE(w.openWorkbookButton->text(), QStringLiteral("打开Excel文件"));
    QCOMPARE(w.chooseDatabaseButton->text(), QStringLiteral("选择数据库"));
    QCOMPARE(w.importButton->accessibleName(), QStringLiteral("Excel自动导入"));
    QCOMPARE(w.instructions->title(), QStringLiteral("导入使用说明"));
    QStringList lines;
    for (const QLabel* l : w.instructions->findChildren<QLabel*>())
        lines.append(l->text());
    QCOMPARE(lines, QStringList(
                        {QStringLiteral("1、将淘宝中成功付款等待发货打印的订单生成报表保存到电脑上"
                                        "，文件为CSV格式"),
                         QStringLiteral("2、将文件用EXCEL打开，右键左下角的工作表重命名为brimvale，"
                                        "然后另存为普通的xls格式。"),
                         QStringLiteral("3、导入成功后，到主界面点“全部记录”进行查看，然后分别点批"
                                        "量导入下面的按钮进行优化。")}));
    // Every control lies inside the fixed client area.
    for (const QWidget* child : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(w.rect().contains(child->geometry()), qPrintable(child->objectName()));
}

void TestImport::fileDialogsFillTheFields() {
    test::TestEnv env;
    Texcell w;
    auto* p = env.platform();
    p->fileNames.enqueue(QStringLiteral("/tmp/a.xls"));
    w.openWorkbookButton->click();
    QCOMPARE(w.workbookPath->text(), QStringLiteral("/tmp/a.xls"));
    w.openWorkbookButton->click(); // cancelled: the field keeps its text
    QCOMPARE(w.workbookPath->text(), QStringLiteral("/tmp/a.xls"));
    p->fileNames.enqueue(QStringLiteral("/tmp/b.mdb"));
    w.chooseDatabaseButton->click();
    QCOMPARE(w.databasePath->text(), QStringLiteral("/tmp/b.mdb"));
    QCOMPARE(p->dialogTitles, QStringList({QStringLiteral("请选择相应的Excel文件"),
                                           QStringLiteral("请选择相应的Excel文件"),
                                           QStringLiteral("请选择相应的MDB文件")}));
    QVERIFY(p->dialogFilters.at(0).contains(QStringLiteral("*.xls")));
    QVERIFY(p->dialogFilters.at(0).contains(QStringLiteral("*.csv")));
    QCOMPARE(p->dialogFilters.at(2), QStringLiteral("access (*.mdb)"));
}

void TestImport::helpLinkOpensMakerSite() {
    test::TestEnv env;
    Texcell w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.helpLink, Qt::LeftButton, {}, QPoint(20, w.helpLink->height() / 2));
    QCOMPARE(env.platform()->openedUrls, QList<QUrl>({QUrl(kImportHelpUrl)}));
}

void TestImport::importsEveryColumn_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("xls") << "orders.xls";
    QTest::newRow("csv gbk") << "orders_gbk.csv";
    QTest::newRow("csv utf-8 bom") << "orders_utf8_bom.csv";
    QTest::newRow("csv utf-8") << "orders_utf8.csv";
}

void TestImport::importsEveryColumn() {
    QFETCH(QString, file);
    test::TestEnv env;
    // A path with a blank inside, typed with blanks around it.
    const QString copy = env.path(QStringLiteral("我的 订单.") + QFileInfo(file).suffix());
    QVERIFY(QFile::copy(fixture(file), copy));
    int reloads = 0;
    Texcell w([&] { ++reloads; });
    w.workbookPath->setText(QStringLiteral("  ") + copy + QStringLiteral(" "));
    w.databasePath->setText(QStringLiteral(" ") + env.dataMdb() + QStringLiteral("  "));
    w.importButton->click();
    QCOMPARE(env.platform()->texts(), QStringList{kSuccess});
    QCOMPARE(env.platform()->messages.at(0).caption, QStringLiteral("警告"));
    QCOMPARE(reloads, 1);

    const QString status = QStringLiteral("买家已付款，等待卖家发货");
    const QList<QVariantList> expected = {
        {QStringLiteral("张三"), QStringLiteral("13925130165"),
         QStringLiteral("广东省 广州市 越秀区 黄花岗街道环市东路3101号(510180)"),
         QStringLiteral("快递"), status, 1.0, 201.12, QStringLiteral("纯棉T恤 \"白色\" XL"),
         QStringLiteral("tb_小明"), QStringLiteral("35153131473293579"),
         QStringLiteral("请发顺丰,\n谢谢"), QStringLiteral("2017-07-08 00:42:39"), status,
         QStringLiteral("text")},
        {QStringLiteral("李四"), QStringLiteral("13800138000"),
         QStringLiteral("浙江省 杭州市 西湖区 浙江省杭州市西湖区某某路8号"), QStringLiteral("快递"),
         status, 2.0, 88.0, QStringLiteral("帆布鞋"), QStringLiteral("李四2017"),
         QStringLiteral("35153131473293580"), QVariant(), QStringLiteral("2017-07-09 10:05:00"),
         status, QStringLiteral("text")},
    };
    const QList<QVariantList> rows = dataRows(env.dataMdb());
    QCOMPARE(rows.size(), expected.size());
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < expected.at(r).size(); ++c)
            QVERIFY2(rows.at(r).at(c) == expected.at(r).at(c),
                     qPrintable(QStringLiteral("row %1 column %2: %3")
                                    .arg(r)
                                    .arg(c)
                                    .arg(rows.at(r).at(c).toString())));
}

void TestImport::failuresLeaveDataUnchanged_data() {
    QTest::addColumn<QString>("workbook"); // a fixture, "dir:" a file of the test, "text:" as typed
    QTest::addColumn<QString>("database"); // "data.mdb", "other.mdb" (another password)...
    QTest::addColumn<QString>("message");
    QTest::newRow("sheet not named brimvale") << "wrong_sheet.xls"
                                              << "data.mdb" << kFailure;
    QTest::newRow("no 买家留言 column") << "no_message.xls"
                                        << "data.mdb" << kFailure;
    QTest::newRow("quantity not a number") << "bad_number.xls"
                                           << "data.mdb" << kFailure;
    QTest::newRow("workbook missing") << "dir:nothere.xls"
                                      << "data.mdb" << kFailure;
    QTest::newRow("unclosed quote in csv") << "dir:broken.csv"
                                           << "data.mdb" << kFailure;
    QTest::newRow("other password") << "orders.xls"
                                    << "other.mdb" << kNoAccess;
    QTest::newRow("database missing") << "orders.xls"
                                      << "missing.mdb" << kNoAccess;
    QTest::newRow("workbook path blank") << "text:   "
                                         << "data.mdb" << kNoPath;
    QTest::newRow("database path empty") << "orders.xls"
                                         << "" << kNoPath;
}

void TestImport::failuresLeaveDataUnchanged() {
    QFETCH(QString, workbook);
    QFETCH(QString, database);
    QFETCH(QString, message);
    test::TestEnv env;
    seedOneRecord(env.dataMdb());
    const QList<QVariantList> before = dataRows(env.dataMdb());
    db::Connection::createFile(env.path(QStringLiteral("other.mdb")), QStringLiteral("wrong"));
    QFile broken(env.path(QStringLiteral("broken.csv")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("\"收货人姓名\",\"联系手机\"\r\n\"张三,13925130165\r\n");
    broken.close();

    int reloads = 0;
    Texcell w([&] { ++reloads; });
    if (workbook.startsWith(QLatin1String("dir:")))
        w.workbookPath->setText(env.path(workbook.mid(4)));
    else if (workbook.startsWith(QLatin1String("text:")))
        w.workbookPath->setText(workbook.mid(5));
    else
        w.workbookPath->setText(fixture(workbook));
    w.databasePath->setText(database.isEmpty() ? QString() : env.path(database));
    w.importButton->click();
    QCOMPARE(env.platform()->texts(), QStringList{message});
    QCOMPARE(env.platform()->messages.at(0).caption, QStringLiteral("警告"));
    QCOMPARE(reloads, 0);
    QCOMPARE(dataRows(env.dataMdb()), before);
}

void TestImport::importingTwiceStoresTwice() {
    test::TestEnv env;
    Texcell w;
    w.workbookPath->setText(fixture(QStringLiteral("orders_gbk.csv")));
    w.databasePath->setText(env.dataMdb());
    w.importButton->click();
    w.importButton->click();
    QCOMPARE(env.platform()->texts(), QStringList({kSuccess, kSuccess}));
    const QList<QVariantList> rows = dataRows(env.dataMdb());
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(2), rows.at(0));
    QCOMPARE(rows.at(3), rows.at(1));
    // The window keeps its connection until it closes.
    QVERIFY(w.ADOConnection1->isOpen());
    w.show();
    w.close();
    QVERIFY(!w.ADOConnection1->isOpen());
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
