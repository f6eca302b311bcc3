// The entry panel and the sender panel against a real data.mdb.
#include "data/Dm.h"
#include "data/Schema.h"
#include "grid/DataGrid.h"
#include "shipments/EntryPanel.h"
#include "shipments/QuickQueryPanel.h"
#include "shipments/SenderPanel.h"
#include "shipments/ShipmentList.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tolvi;

namespace {

struct Fixture {
    test::TestEnv env;
    Tdmfm dm{mainConnectionString()};
    QWidget window;
    QuickQueryPanel* query = new QuickQueryPanel(&window);
    ShipmentList list{&dm, query, &window};
    QStringList tips;
    SenderPanel* sender;
    EntryPanel* entry;
    Fixture() {
        sender = new SenderPanel(
            dm.ADOQuery7, dm.ADOTable6, [this](const QString& t) { tips << t; }, &window);
        EntryPanel::Hooks hooks;
        hooks.defaultCourier = [this] { return sender->defaultCourier(); };
        hooks.showAllRecords = [this] { list.showAllRecords(); };
        hooks.showSuccessTip = [this](const QString& t) { tips << t; };
        hooks.selectedRows = [this] { return list.selectedRows(); };
        entry = new EntryPanel(dm.ADOQuery15, dm.ADOTable5, hooks, &window);
        window.resize(1000, 600);
        window.show();
        QApplication::setActiveWindow(&window);
        dm.ADOTable5->open();
    }
    db::ResultSet rows(const QString& sql) { return dm.ADOConnection1->select(sql); }
    void fill() {
        entry->nameEdit()->setText("  张三 ");
        entry->mobileEdit()->setText("13900001111");
        entry->addressEdit()->setText("广东省 广州市 天河区 体育西路1号");
        entry->courierBox()->setEditText("顺丰速运");
        entry->statusBox()->setEditText("未打印");
        entry->dateEdit()->setText("2024-05-06");
        entry->goodsEdit()->setText("T恤");
        entry->amountEdit()->setText("88.5");
        entry->quantityEdit()->setText("2");
        entry->memberEdit()->setText("buyer");
        entry->orderEdit()->setText("35153131473293579");
        entry->remarksEdit()->setText("加急");
    }
};

} // namespace

class TestEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newRecordLandsInItsColumns();
    void requiredFields_data();
    void requiredFields();
    void badNumberWritesNothing();
    void modifyKeepsBuyerMessage();
    void nullDateOpensWithEmptyDate();
    void emptyNameCannotBeModified();
    void deleteSelectedAfterConfirming();
    void keyFilterAndEnterChain();
    void senderProfileSaves();
    void senderUnsavedEditsReachNewRecords();
};

void TestEntry::newRecordLandsInItsColumns() {
    Fixture f;
    f.sender->courierBox()->setEditText("自定义快递");
    f.entry->openForNew();
    QCOMPARE(f.entry->courierBox()->currentText(), QStringLiteral("自定义快递"));
    QVERIFY(f.entry->newButton()->isVisible());
    QVERIFY(!f.entry->modifyButton()->isVisible());
    f.fill();
    f.entry->newButton()->click();
    const auto r = f.rows("select a,b,c,d,g,h,i,j,k,z,[1],[2],day1 from data");
    QCOMPARE(r.rows.size(), size_t(1));
    const QList<QVariant>& v = r.rows[0].values;
    QCOMPARE(v[0].toString(), QStringLiteral("张三"));
    QCOMPARE(v[1].toString(), QStringLiteral("13900001111"));
    QCOMPARE(v[2].toString(), QStringLiteral("广东省 广州市 天河区 体育西路1号"));
    QCOMPARE(v[3].toString(), QStringLiteral("顺丰速运"));
    QCOMPARE(v[4].toString(), QStringLiteral("未打印"));
    QCOMPARE(v[5].toString(), QStringLiteral("T恤"));
    QCOMPARE(v[6].toString(), QStringLiteral("buyer"));
    QCOMPARE(v[7].toString(), QStringLiteral("35153131473293579")); // text, all digits
    QVERIFY(v[8].isNull());
    QCOMPARE(v[9].toString(), QStringLiteral("加急"));
    QCOMPARE(v[10].toDouble(), 2.0);
    QCOMPARE(v[11].toDouble(), 88.5);
    QCOMPARE(v[12].toString(), QStringLiteral("2024-05-06"));
    QCOMPARE(f.tips, QStringList{"新建记录成功..."});
    // still open in new mode, cleared but for courier, status and date
    QVERIFY(f.entry->isVisible());
    QCOMPARE(f.entry->quantityEdit()->text(), QStringLiteral("1"));
    QCOMPARE(f.entry->amountEdit()->text(), QStringLiteral("0"));
    QVERIFY(f.entry->nameEdit()->text().isEmpty());
    QCOMPARE(f.entry->courierBox()->currentText(), QStringLiteral("顺丰速运"));
    QCOMPARE(f.entry->dateEdit()->text(), QStringLiteral("2024-05-06"));
    QVERIFY(!f.entry->modifyButton()->isEnabled());
    QCOMPARE(f.dm.ADOQuery15->recordCount(), 1);
    QCOMPARE(f.list.countText(), QStringLiteral("共1条记录"));
}

void TestEntry::requiredFields_data() {
    QTest::addColumn<QString>("blank");
    QTest::addColumn<QString>("message");
    QTest::newRow("courier") << "courier"
                             << "默认快递必须输入！";
    QTest::newRow("status") << "status"
                            << "打印状态必须输入！";
    QTest::newRow("name") << "name"
                          << "收件人姓名必须输入！";
    QTest::newRow("mobile") << "mobile"
                            << "收件人手机必须输入！";
    QTest::newRow("address") << "address"
                             << "收件人地址必须输入！";
    QTest::newRow("date") << "date"
                          << "日期必须输入";
}

void TestEntry::requiredFields() {
    QFETCH(QString, blank);
    QFETCH(QString, message);
    Fixture f;
    f.entry->openForNew();
    f.fill();
    QWidget* box = nullptr;
    if (blank == "courier") {
        f.entry->courierBox()->setEditText(" ");
        box = f.entry->courierBox();
    } else if (blank == "status") {
        f.entry->statusBox()->setEditText("");
        box = f.entry->statusBox();
    } else if (blank == "name") {
        f.entry->nameEdit()->setText("\t");
        box = f.entry->nameEdit();
    } else if (blank == "mobile") {
        f.entry->mobileEdit()->clear();
        box = f.entry->mobileEdit();
    } else if (blank == "address") {
        f.entry->addressEdit()->setText("   ");
        box = f.entry->addressEdit();
    } else {
        f.entry->dateEdit()->clear();
    }
    f.entry->newButton()->click();
    QCOMPARE(f.env.platform()->texts(), QStringList{message});
    if (box)
        QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(f.rows("select count(*) from data").rows[0].values[0].toInt(), 0);
}

void TestEntry::badNumberWritesNothing() {
    Fixture f;
    f.entry->openForNew();
    for (const char* bad : {"", ".", "1.2.3"}) {
        f.fill();
        f.entry->amountEdit()->setText(QString::fromLatin1(bad));
        f.entry->newButton()->click();
        QCOMPARE(f.env.platform()->lastText(),
                 QStringLiteral("'%1' is not a valid floating point value").arg(bad));
        QCOMPARE(f.env.platform()->messages.last().kind, test::Message::Error);
        QCOMPARE(f.entry->nameEdit()->text(), QStringLiteral("  张三 ")); // panel keeps its content
    }
    QCOMPARE(f.rows("select count(*) from data").rows[0].values[0].toInt(), 0);
}

void TestEntry::modifyKeepsBuyerMessage() {
    Fixture f;
    f.dm.ADOConnection1->exec(
        "insert into data (a,b,c,d,g,k,[5],[7],day1,[1],[2]) values "
        "('李四','138','旧地址','申通快递','已打印','请尽快发货',3,9,'2024-01-02 08:00:00',1,10)");
    f.list.showAllRecords();
    f.entry->openForModify(true);
    QVERIFY(f.entry->isVisible());
    QVERIFY(!f.entry->newButton()->isVisible());
    QVERIFY(f.entry->modifyButton()->isEnabled());
    QCOMPARE(f.entry->nameEdit()->text(), QStringLiteral("李四"));
    QCOMPARE(f.entry->statusBox()->currentText(), QStringLiteral("已打印"));
    QCOMPARE(f.entry->dateEdit()->text(), QStringLiteral("2024-01-02"));
    f.entry->addressEdit()->setText("新地址");
    f.entry->statusBox()->setEditText("未打印");
    f.entry->modifyButton()->click();
    const auto r = f.rows("select c,g,k,[5],[7],day1,[2] from data");
    QCOMPARE(r.rows.size(), size_t(1));
    QCOMPARE(r.rows[0].values[0].toString(), QStringLiteral("新地址"));
    QCOMPARE(r.rows[0].values[1].toString(), QStringLiteral("未打印"));
    QCOMPARE(r.rows[0].values[2].toString(), QStringLiteral("请尽快发货"));
    QCOMPARE(r.rows[0].values[3].toDouble(), 3.0);
    QCOMPARE(r.rows[0].values[4].toDouble(), 9.0);
    QCOMPARE(r.rows[0].values[5].toString(), QStringLiteral("2024-01-02"));
    QCOMPARE(r.rows[0].values[6].toDouble(), 10.0);
    QVERIFY(!f.entry->isVisible());
    QCOMPARE(f.tips, QStringList{"修改记录成功..."});
}

void TestEntry::nullDateOpensWithEmptyDate() {
    Fixture f;
    f.dm.ADOConnection1->exec(
        "insert into data (a,b,c,d,g) values ('王五','137','地址','韵达快运','未打印')");
    f.list.showAllRecords();
    f.entry->openForModify(false);
    QVERIFY(f.env.platform()->messages.isEmpty());
    QVERIFY(f.entry->dateIsEmpty());
    QCOMPARE(f.entry->nameEdit()->text(), QStringLiteral("王五"));
    QVERIFY(f.entry->modifyButton()->isEnabled());
}

void TestEntry::emptyNameCannotBeModified() {
    Fixture f;
    f.dm.ADOConnection1->exec("insert into data (a,b) values ('','137')");
    f.list.showAllRecords();
    f.entry->openForModify(true);
    QVERIFY(!f.entry->isVisible());
    f.entry->openForModify(false);
    QVERIFY(!f.entry->isVisible());
    QVERIFY(f.entry->mobileEdit()->text().isEmpty());
}

void TestEntry::deleteSelectedAfterConfirming() {
    Fixture f;
    for (int i = 0; i < 5; ++i)
        f.dm.ADOConnection1->exec(
            QStringLiteral("insert into data (a,[1]) values ('n%1',%1)").arg(i));
    f.list.showAllRecords();
    auto* grid = f.list.grid();
    grid->selectRow(0);
    grid->selectRow(2, true);
    grid->selectRow(4, true);
    QCOMPARE(f.list.selectedRows(), (QList<int>{0, 2, 4}));
    // Cancel (the default) removes nothing and shows no tip
    f.entry->deleteSelected();
    QCOMPARE(f.env.platform()->messages.last().caption, QStringLiteral("警告！"));
    QCOMPARE(f.env.platform()->lastText(), QStringLiteral("你真的要删除选中资料吗？"));
    QCOMPARE(f.rows("select count(*) from data").rows[0].values[0].toInt(), 5);
    QVERIFY(f.tips.isEmpty());
    f.env.platform()->answers.enqueue(MsgButton::Ok);
    f.entry->deleteSelected();
    const auto left = f.rows("select a from data order by a");
    QCOMPARE(left.rows.size(), size_t(2));
    QCOMPARE(left.rows[0].values[0].toString(), QStringLiteral("n1"));
    QCOMPARE(left.rows[1].values[0].toString(), QStringLiteral("n3"));
    QCOMPARE(f.tips, QStringList{"删除记录成功..."});
    QCOMPARE(f.dm.ADOQuery15->recordCount(), 2);
    QCOMPARE(grid->footerSum(7), 4.0);                         // sums follow the deleted rows
    QCOMPARE(f.list.countText(), QStringLiteral("共5条记录")); // until the next 全部记录
}

void TestEntry::keyFilterAndEnterChain() {
    Fixture f;
    f.entry->openForNew();
    f.entry->toggleExpanded();
    QCOMPARE(f.entry->height(), 320);
    QLineEdit* q = f.entry->quantityEdit();
    q->clear();
    q->setFocus();
    QTest::keyClicks(q, "1a2.-5 ");
    QCOMPARE(q->text(), QStringLiteral("12.5"));
    QTest::keyClick(q, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.entry->amountEdit());
    f.entry->nameEdit()->setFocus();
    QTest::keyClick(f.entry->nameEdit(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.entry->mobileEdit());
    QTest::keyClick(f.entry->mobileEdit(), Qt::Key_Return);
    QTest::keyClick(f.entry->addressEdit(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.entry->dateEdit());
    f.entry->remarksEdit()->setFocus();
    QTest::keyClick(f.entry->remarksEdit(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.entry->newButton());
    f.entry->toggleExpanded();
    QCOMPARE(f.entry->height(), 175);
}

void TestEntry::senderProfileSaves() {
    Fixture f;
    // empty post: empty fields, the first save inserts the row
    f.sender->loadSenderProfile();
    QVERIFY(f.sender->nameEdit()->text().isEmpty());
    f.sender->courierBox()->setEditText("申通快递");
    f.sender->nameEdit()->setText(" 卖家 ");
    f.sender->saveSenderProfile();
    QCOMPARE(f.env.platform()->texts(), QStringList{"寄件人手机必须输入！"});
    QCOMPARE(QApplication::focusWidget(), f.sender->mobileEdit());
    f.sender->mobileEdit()->setText("13000000000");
    f.sender->addressEdit()->setText("上海市 浦东新区");
    f.sender->show();
    f.sender->saveSenderProfile();
    QVERIFY(!f.sender->isVisible());
    QCOMPARE(f.tips, QStringList{"寄件人设置成功.."});
    auto r = f.rows("select a,b,c,d from post");
    QCOMPARE(r.rows.size(), size_t(1));
    QCOMPARE(r.rows[0].values[0].toString(), QStringLiteral("卖家"));
    // several rows: only the first changes
    f.dm.ADOConnection1->exec("insert into post values ('第二','2','2','2')");
    f.dm.ADOTable6->open();
    f.sender->nameEdit()->setText("新卖家");
    f.sender->saveSenderProfile();
    r = f.rows("select a from post order by rowid");
    QCOMPARE(r.rows.size(), size_t(2));
    QCOMPARE(r.rows[0].values[0].toString(), QStringLiteral("新卖家"));
    QCOMPARE(r.rows[1].values[0].toString(), QStringLiteral("第二"));
}

void TestEntry::senderUnsavedEditsReachNewRecords() {
    Fixture f;
    f.dm.ADOConnection1->exec("insert into post values ('卖家','130','地址','圆通速递')");
    f.sender->loadSenderProfile();
    QCOMPARE(f.sender->defaultCourier(), QStringLiteral("圆通速递"));
    f.sender->courierBox()->setEditText("中通速递");
    emit f.sender->closeClicked();
    f.entry->openForNew();
    QCOMPARE(f.entry->courierBox()->currentText(), QStringLiteral("中通速递"));
    f.sender->loadSenderProfile(); // "寄件人" brings the stored one back
    QCOMPARE(f.sender->defaultCourier(), QStringLiteral("圆通速递"));
}

QTEST_MAIN(TestEntry)
#include "tst_entry.moc"
