// The main window's life: first show, login hand-over, tip, timers, close.
#include "app/MainForm.h"
#include "app/ProgramFixture.h"
#include "app/Startup.h"
#include "data/Dm.h"
#include "data/Schema.h"
#include "grid/DataGrid.h"
#include "operators/OperatorSession.h"
#include "operators/Tloginfm.h"
#include "platform/SettingsStore.h"
#include "shipments/EntryPanel.h"
#include "shipments/SenderPanel.h"
#include "shipments/ShipmentList.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

using namespace tolvi;

namespace {

using test::Program;

} // namespace

class OneWindow : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
};

class TestMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        int argc = 0;
        Q_UNUSED(argc);
        initialiseApplication(*qApp);
    }
    void layoutAndFirstShow();
    void loginShowsNameAndClosingStampsTheSessionRow();
    void cancelledLoginWritesNothing();
    void ordinaryOperatorLosesEntries();
    void successTipStaysTwoSeconds();
    void timer1RefillsAnEmptiedDate();
    void openSingleWindowKeepsOne();
    void statusBarClickOpensSite();
    void qtDialogsSpeakChinese();
    void exportAndPrintTheList();
};

void TestMain::layoutAndFirstShow() {
    Program p;
    QCOMPARE(p.main->windowTitle(), QStringLiteral("Tolvi快递单打印软件 V2.1"));
    QCOMPARE(p.main->size(), QSize(1058, 636));
    QCOMPARE(p.main->statusPanel(1)->text(), QStringLiteral("操作员："));
    QCOMPARE(p.main->statusPanel(2)->text(),
             QStringLiteral("今天：") + QDate::currentDate().toString("yyyy-MM-dd"));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(p.main->statusPanel(i)->width(), (QList<int>{350, 200, 200, 300}[i]));
    QStringList captions;
    for (QAction* a : p.main->toolBar()->actions())
        captions << a->text();
    QCOMPARE(captions, (QStringList{"批量导入", "新建记录", "网点查询", "数据备份", "寄件人",
                                    "设 置", "技术支持", "销售管理"}));
    QStringList entries;
    for (QAction* a : p.main->listMenu()->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, (QStringList{"单张打印", "批量打印", "-", "批量导入", "新建记录", "修 改",
                                   "删 除", "全部记录", "导出Excel", "打印全部清单",
                                   "销售此商品...", "-", "隐藏商品信息"}));
    QVERIFY(!p.main->entryPanel()->isVisible());
    QVERIFY(!p.main->successTip()->isVisible());
    // The list stays empty until the login closes.
    QVERIFY(!p.dm->ADOQuery15->isOpen());
    QVERIFY(p.dm->ADOTable5->isOpen() && p.dm->ADOTable6->isOpen() && p.dm->ADOTable2->isOpen());
    // Maximising gives the list the room; the command area stays visible.
    const int before = p.main->shipmentList()->view()->height();
    p.main->resize(1200, 800);
    QCOMPARE(p.main->shipmentList()->view()->height(), before + 164);
}

void TestMain::loginShowsNameAndClosingStampsTheSessionRow() {
    Program p;
    p.dm->ADOConnection1->exec("insert into rz (username,btime) values ('old','2020-01-01')");
    p.dm->ADOConnection1->exec(
        "insert into data (a,b,c,d,g) values ('王五','139','地址','申通快递','未打印')");
    p.login(kSuperAdministrator, kInitialPassword);
    QCOMPARE(p.main->statusPanel(1)->text(), kSuperAdministrator);
    const int id = p.main->sessionId();
    QVERIFY(id > 1);
    QCOMPARE(p.dm->ADOQuery15->recordCount(), 1); // the login loaded the list
    p.main->close();
    const auto rz = p.dm->ADOConnection1->select("select id, jtime from rz order by id");
    QCOMPARE(rz.rows.size(), size_t(2));
    QVERIFY(rz.rows[0].values[1].isNull());
    QCOMPARE(rz.rows[1].values[0].toInt(), id);
    QVERIFY(
        rz.rows[1].values[1].toString().startsWith(QDate::currentDate().toString("yyyy-MM-dd")));
}

void TestMain::cancelledLoginWritesNothing() {
    Program p;
    {
        Tloginfm login(p.main.get(), p.main.get());
        login.show();
        login.reject();
    }
    QVERIFY(!p.main->isVisible());
    QCOMPARE(p.main->sessionId(), 0);
    QCOMPARE(p.dm->ADOConnection1->select("select count(*) from rz").rows[0].values[0].toInt(), 0);
}

void TestMain::ordinaryOperatorLosesEntries() {
    Program p;
    p.dm->ADOConnection1->exec("insert into userdb values ('店员','123')");
    p.login("店员", "123");
    QCOMPARE(p.main->statusPanel(1)->text(), QStringLiteral("店员"));
    QStringList visible;
    for (QAction* a : p.main->listMenu()->actions())
        if (a->isVisible() && !a->isSeparator())
            visible << a->text();
    QCOMPARE(visible, (QStringList{"单张打印", "批量打印", "批量导入", "全部记录", "导出Excel",
                                   "打印全部清单", "销售此商品..."}));
    QVERIFY(!p.main->action("修改密码")->isVisible());
    QVERIFY(p.main->action("用户管理")->isVisible());
    auto* grid = p.main->shipmentList()->grid();
    for (const char* f : {"day1", "h", "z"})
        QVERIFY(!grid->isColumnVisible(grid->columnOfField(f)));
    for (const char* f : {"a", "1", "2", "i", "j"})
        QVERIFY(grid->isColumnVisible(grid->columnOfField(f)));
    // the toolbar's new record stays available
    QVERIFY(p.main->action("新建记录")->isVisible());
}

void TestMain::successTipStaysTwoSeconds() {
    Program p;
    p.main->showSuccessTip("新建记录成功...");
    QVERIFY(p.main->successTip()->isVisible());
    QTest::qWait(1000);
    p.main->showSuccessTip("修改记录成功...");
    QCOMPARE(p.main->successTip()->text(), QStringLiteral("修改记录成功..."));
    // the running timer is not restarted: hidden about two seconds after the first
    QTRY_VERIFY_WITH_TIMEOUT(!p.main->successTip()->isVisible(), 1500);
    QVERIFY(!p.main->timer2()->isActive());
}

void TestMain::timer1RefillsAnEmptiedDate() {
    Program p;
    QLineEdit* date = p.main->entryPanel()->dateEdit();
    date->clear();
    QVERIFY(p.main->entryPanel()->dateIsEmpty());
    QCOMPARE(date->displayText(), QStringLiteral("    -  -  "));
    QTRY_COMPARE_WITH_TIMEOUT(date->text(), QDate::currentDate().toString("yyyy-MM-dd"), 700);
}

void TestMain::openSingleWindowKeepsOne() {
    Program p;
    int made = 0;
    auto make = [&](QWidget* parent) {
        ++made;
        auto* w = new OneWindow(parent);
        w->setWindowTitle("one");
        return w;
    };
    OneWindow* first = p.main->openSingleWindow<OneWindow>(make);
    first->hide();
    OneWindow* second = p.main->openSingleWindow<OneWindow>(make);
    QCOMPARE(second, first);
    QCOMPARE(made, 1);
    QVERIFY(second->isVisible());
    second->close(); // destroyed on close
    QTRY_VERIFY(p.main->findChildren<OneWindow*>().isEmpty());
    p.main->openSingleWindow<OneWindow>(make)->close();
    QCOMPARE(made, 2);
}

// Qt's file and print dialogs and standard buttons come in Chinese.
void TestMain::qtDialogsSpeakChinese() {
    QTranslator* translator = installQtTranslation(*qApp);
    QVERIFY2(translator, "Qt's zh_CN translations are not installed");
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    const QString open = QCoreApplication::translate("QFileDialog", "Look in:");
    QCoreApplication::removeTranslator(translator);
    delete translator;
    QCOMPARE(cancel, QStringLiteral("取消"));
    QVERIFY2(open != QLatin1String("Look in:"), qPrintable(open));
}

void TestMain::statusBarClickOpensSite() {
    Program p;
    QTest::mouseClick(p.main->statusPanel(3), Qt::LeftButton);
    QCOMPARE(p.env.platform()->openedUrls.size(), 1);
    QCOMPARE(p.env.platform()->openedUrls[0].host(), QStringLiteral("www.tolvi.example"));
}

void TestMain::exportAndPrintTheList() {
    Program p;
    p.dm->ADOConnection1->exec("insert into data (a,b,c,d,g,[1],[2]) values "
                               "('王五','13700003333','北京市 朝阳区','申通快递','未打印',2,30)");
    p.dm->ADOConnection1->exec(
        "insert into data (a,b,c,d,g,[1],[2]) values "
        "('赵六','13600004444','上海市 浦东新区','圆通速递','已打印',1,12.5)");
    p.login(kSuperAdministrator, kInitialPassword);
    const QString xls = p.env.path("清单.xls");
    p.env.platform()->fileNames.enqueue(xls);
    p.main->action("导出Excel")->trigger();
    QVERIFY(QFileInfo(xls).size() > 0);
    QCOMPARE(p.env.platform()->openedUrls.last(), QUrl::fromLocalFile(xls));
    const QString pdf = p.env.path("list.pdf");
    p.env.platform()->previewPdfPaths.enqueue(pdf);
    p.main->action("打印全部清单")->trigger();
    // pdftotext loosens letter-spaced and wrapped text: compare without blanks
    QString text = test::readPdfText(pdf);
    text.remove(QRegularExpression("\\s"));
    for (const char* expected :
         {"快递单打印清单", "收货信息", "王五", "赵六", "制表人：", "Page.1", "共2条记录"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(text.contains(kSuperAdministrator));
}

QTEST_MAIN(TestMain)
#include "tst_main.moc"
