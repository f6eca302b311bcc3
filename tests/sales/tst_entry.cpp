// The sales entry panel: goods values from the list's current record, the
// live recomputations, the checks before anything is written, what a saved
// sale stores in `data` and `data1`, the one transaction, and the hooks.
#include "platform/SettingsStore.h"
#include "sales/GoodsFixture.h"
#include "sales/SaleMath.h"
#include "sales/StockSettings.h"
#include "sales/UpDownButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace tolvi;
using test::SalesFixture;

namespace {

// Opens the panel on the first goods row and fills a sale.
void fillSale(SalesFixture& f, const QString& price, const QString& quantity) {
    f.dm->ADOQuery15->first();
    QVERIFY(f.panel->openForGoodsRecord());
    f.panel->priceEdit()->setText(price);
    f.panel->quantityEdit()->setText(quantity);
    f.panel->customerNumberEdit()->setText(QStringLiteral("2024591"));
    f.panel->customerBox()->setEditText(QStringLiteral(" 张三 "));
    f.panel->addressEdit()->setText(QStringLiteral("杭州市 "));
    f.panel->contactEdit()->setText(QStringLiteral("13800000000"));
    f.panel->remarkEdit()->setText(QStringLiteral("送货上门"));
    f.panel->setSaleDate(QDate(2024, 5, 9));
}

QVariantList goodsRow(SalesFixture& f) {
    const db::ResultSet r = f.rows(QStringLiteral("select [5],[6],[7],[8] from data"));
    return r.rows.front().values;
}

} // namespace

class TestEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void goodsValuesComeFromTheCurrentRecord();
    void purchaseUnitPrice_data();
    void purchaseUnitPrice();
    void savedSaleWritesBothTablesAndFeedsTheWindows();
    void quantityAgainstStock_data();
    void quantityAgainstStock();
    void discountSetsThePrice_data();
    void discountSetsThePrice();
    void amountFollowsPriceAndQuantity();
    void negativeProfitIsStored();
    void badInputWritesNothing_data();
    void badInputWritesNothing();
    void failingAppendLeavesTheGoodsRecord();
    void confirmSaleSavesWithoutTheSlip();
    void customerNumbers();
    void keysAndEnterChain();
    void closeAndRights();
    void stockSettings();
};

void TestEntry::goodsValuesComeFromTheCurrentRecord() {
    SalesFixture f({test::apples(),
                    {QStringLiteral("香蕉"),
                     QStringLiteral("进口"),
                     QStringLiteral("B7"),
                     QStringLiteral("水果"),
                     4.0,
                     10.0,
                     {},
                     {},
                     {},
                     3.0,
                     7.5,
                     QStringLiteral("2024-04-02 10:11:12")}});
    f.dm->ADOQuery15->moveTo(1);
    QVERIFY(f.panel->openForGoodsRecord());
    QVERIFY(f.panel->isVisible() || !f.panel->isHidden());
    QCOMPARE(f.panel->nameLabel()->text(), QStringLiteral("香蕉"));
    QCOMPARE(f.panel->specLabel()->text(), QStringLiteral("进口"));
    QCOMPARE(f.panel->codeLabel()->text(), QStringLiteral("B7"));
    QCOMPARE(f.panel->categoryLabel()->text(), QStringLiteral("水果"));
    // NULL suggested price and sold counts: no price, counts 0.
    QCOMPARE(f.panel->suggestedPriceLabel()->text(), QString());
    QCOMPARE(f.panel->stockEdit()->text(), QStringLiteral("3"));
    QCOMPARE(f.panel->goods().purchasePrice, QStringLiteral("2.5"));
    QCOMPARE(f.panel->goods().quantitySold, QStringLiteral("0"));
    QCOMPARE(f.panel->goods().salesAmount, QStringLiteral("0"));
    QCOMPARE(f.panel->goods().inStockDate, QStringLiteral("2024-04-02 10:11:12"));
    QCOMPARE(f.panel->bookedRowid(), f.dm->ADOQuery15->rowid(1));

    f.dm->ADOQuery15->close();
    QVERIFY(!f.panel->openForGoodsRecord());
    QCOMPARE(f.env.platform()->messages.size(), 1);
}

void TestEntry::purchaseUnitPrice_data() {
    QTest::addColumn<double>("purchaseQty");
    QTest::addColumn<double>("purchaseAmount");
    QTest::addColumn<double>("stockQty");
    QTest::addColumn<double>("stockAmount");
    QTest::addColumn<double>("price");
    QTest::newRow("purchase amount over quantity") << 10.0 << 50.0 << 8.0 << 48.0 << 5.0;
    QTest::newRow("no purchase: stock amount over stock") << 0.0 << 0.0 << 4.0 << 12.0 << 3.0;
    QTest::newRow("nothing known") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
}

void TestEntry::purchaseUnitPrice() {
    QFETCH(double, purchaseQty);
    QFETCH(double, purchaseAmount);
    QFETCH(double, stockQty);
    QFETCH(double, stockAmount);
    QFETCH(double, price);
    QCOMPARE(tolvi::purchaseUnitPrice(purchaseQty, purchaseAmount, stockQty, stockAmount), price);
}

void TestEntry::savedSaleWritesBothTablesAndFeedsTheWindows() {
    SalesFixture f;
    fillSale(f, QStringLiteral("12"), QStringLiteral("3"));
    f.panel->saveButton()->click();
    QCOMPARE(f.env.platform()->texts(), QStringList());

    // Goods record: sold 2+3, amount 16+36, stock 8-3, stock amount 5*5.
    QCOMPARE(goodsRow(f), (QVariantList{5.0, 52.0, 5.0, 25.0}));

    const db::ResultSet r = f.rows(
        QStringLiteral("select a,b,c,d,z,[1],[2],[3],[4],a5,[6],day1,day2,e,f,g,h,i,j from data1"));
    QCOMPARE(r.rows.size(), size_t(1));
    const QVariantList expected{QStringLiteral("苹果"),
                                QStringLiteral("红富士"),
                                QStringLiteral("A001"),
                                QStringLiteral("水果"),
                                QStringLiteral("2024591"),
                                5.0,
                                12.0,
                                3.0,
                                36.0,
                                21.0,
                                0.0,
                                QStringLiteral("2024-05-09"),
                                QStringLiteral("2024-03-01"),
                                QStringLiteral("pg"),
                                QStringLiteral("hfs"),
                                QStringLiteral("张三"),
                                QStringLiteral("杭州市"),
                                QStringLiteral("13800000000"),
                                QStringLiteral("送货上门")};
    QCOMPARE(r.rows.front().values, expected);

    QVERIFY(f.panel->isHidden());
    QCOMPARE(f.tip, QStringLiteral("销售数据保存成功..."));
    QCOMPARE(f.calls, (QStringList{QStringLiteral("showAllRecords"), QStringLiteral("tip"),
                                   QStringLiteral("slip"), QStringLiteral("customer"),
                                   QStringLiteral("summary"), QStringLiteral("month")}));
    QCOMPARE(f.slip.size(), 1);
    const SlipItem& item = f.slip.front();
    QCOMPARE(
        (QStringList{item.name, item.model, item.code, item.quantity, item.unitPrice, item.amount}),
        (QStringList{QStringLiteral("苹果"), QStringLiteral("红富士"), QStringLiteral("A001"),
                     QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("36.00")}));
    QCOMPARE(f.slipCustomer, QStringLiteral(" 张三 "));
    QCOMPARE(f.slipNumber, QStringLiteral("2024591"));

    // Cleared for the next sale; the customer names were refilled from data1.
    QCOMPARE(f.panel->quantityEdit()->text(), QStringLiteral("1"));
    QCOMPARE(f.panel->debtEdit()->text(), QStringLiteral("0"));
    QCOMPARE(f.panel->priceEdit()->text(), QString());
    QCOMPARE(f.panel->addressEdit()->text(), QString());
    QCOMPARE(f.panel->contactEdit()->text(), QString());
    QCOMPARE(f.panel->remarkEdit()->text(), QString());
    QCOMPARE(f.panel->discountEdit()->text(), QStringLiteral("100"));
    QCOMPARE(f.panel->customerNumberEdit()->text(), QStringLiteral("2024591"));
    QVERIFY(f.panel->customerBox()->findText(QStringLiteral("张三")) >= 0);
}

void TestEntry::quantityAgainstStock_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("quantityAfter");
    QTest::addColumn<QVariantList>("goods"); // [5],[6],[7],[8] afterwards
    const QVariantList untouched{2.0, 16.0, 8.0, 40.0};
    QTest::newRow("zero") << "0"
                          << "销售数量不能为0"
                          << "0" << untouched;
    QTest::newRow("above stock") << "9"
                                 << "库存不足"
                                 << "8" << untouched;
    QTest::newRow("equal to stock")
        << "8" << QString() << "1" << QVariantList{10.0, 96.0, 0.0, 0.0};
}

void TestEntry::quantityAgainstStock() {
    QFETCH(QString, quantity);
    QFETCH(QString, message);
    QFETCH(QString, quantityAfter);
    QFETCH(QVariantList, goods);
    SalesFixture f;
    fillSale(f, QStringLiteral("10"), quantity);
    if (message.isEmpty()) {
        QVERIFY(f.panel->computeSale());
        QCOMPARE(f.panel->newStockQuantity(), QStringLiteral("0.00"));
    }
    f.panel->saveSale();
    QCOMPARE(f.env.platform()->texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.panel->quantityEdit()->text(), quantityAfter);
    QCOMPARE(goodsRow(f), goods);
    QCOMPARE(f.salesCount(), message.isEmpty() ? 1 : 0);
    QCOMPARE(f.panel->isHidden(), message.isEmpty());
}

void TestEntry::discountSetsThePrice_data() {
    QTest::addColumn<QString>("discount");
    QTest::addColumn<QString>("price");
    QTest::newRow("100 gives the suggested price") << "100"
                                                   << "8";
    QTest::newRow("95 percent") << "95"
                                << "7.6";
    QTest::newRow("empty leaves the price") << ""
                                            << "9";
}

void TestEntry::discountSetsThePrice() {
    QFETCH(QString, discount);
    QFETCH(QString, price);
    SalesFixture f;
    fillSale(f, QString(), QStringLiteral("2"));
    f.panel->discountEdit()->clear(); // an empty discount changes nothing
    f.panel->priceEdit()->setText(QStringLiteral("9"));
    f.panel->discountEdit()->setText(discount);
    QCOMPARE(f.panel->priceEdit()->text(), price);
    QCOMPARE(f.panel->amountEdit()->text(), generalNumber(price.toDouble() * 2));
}

void TestEntry::amountFollowsPriceAndQuantity() {
    SalesFixture f;
    fillSale(f, QStringLiteral("2.5"), QStringLiteral("4"));
    QCOMPARE(f.panel->amountEdit()->text(), QStringLiteral("10"));
    f.panel->quantityEdit()->clear();
    QCOMPARE(f.panel->amountEdit()->text(), QStringLiteral("10"));
    QVERIFY(f.panel->computeSale());
    QCOMPARE(f.panel->profit(), QString()); // computeSale did nothing
    f.panel->quantityEdit()->setText(QStringLiteral("3"));
    QCOMPARE(f.panel->amountEdit()->text(), QStringLiteral("7.5"));

    // The up-down steps: 5 for the discount (at most 100), 1 for the quantity.
    f.panel->discountEdit()->setText(QStringLiteral("95"));
    f.panel->discountUpDown()->upButton()->click();
    QCOMPARE(f.panel->discountEdit()->text(), QStringLiteral("100"));
    f.panel->discountUpDown()->upButton()->click();
    QCOMPARE(f.panel->discountEdit()->text(), QStringLiteral("100"));
    f.panel->discountUpDown()->downButton()->click();
    QCOMPARE(f.panel->discountEdit()->text(), QStringLiteral("95"));
    QCOMPARE(f.panel->priceEdit()->text(), QStringLiteral("7.6"));
    f.panel->quantityUpDown()->upButton()->click();
    QCOMPARE(f.panel->quantityEdit()->text(), QStringLiteral("4"));
}

void TestEntry::negativeProfitIsStored() {
    SalesFixture f;
    fillSale(f, QStringLiteral("4.2"), QStringLiteral("2"));
    f.panel->saveSale();
    QCOMPARE(f.panel->profit(), QStringLiteral("-1.60"));
    QCOMPARE(f.one(QStringLiteral("select a5 from data1")).toDouble(), -1.6);
    QCOMPARE(f.one(QStringLiteral("select [4] from data1")).toDouble(), 8.4);
}

void TestEntry::badInputWritesNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty price") << "price"
                                 << ""
                                 << "实际销售价必须输入！";
    QTest::newRow("empty quantity") << "quantity"
                                    << ""
                                    << "销售数量必须输入！";
    QTest::newRow("empty debt") << "debt"
                                << " "
                                << "欠款金额必须输入！";
    QTest::newRow("debt no number") << "debt"
                                    << "abc"
                                    << "欠款金额不是有效的数字：abc";
    QTest::newRow("price no number") << "price"
                                     << "1.2.3"
                                     << "实际销售价不是有效的数字：1.2.3";
    QTest::newRow("quantity no number") << "quantity"
                                        << "."
                                        << "销售数量不是有效的数字：.";
    QTest::newRow("empty date") << "date"
                                << ""
                                << "销售日期必须输入";
    QTest::newRow("impossible date") << "date"
                                     << "2024-13-40"
                                     << "销售日期不是有效的日期：2024-13-40";
}

void TestEntry::badInputWritesNothing() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    SalesFixture f;
    fillSale(f, QStringLiteral("10"), QStringLiteral("2"));
    QLineEdit* box = field == QLatin1String("price")      ? f.panel->priceEdit()
                     : field == QLatin1String("quantity") ? f.panel->quantityEdit()
                     : field == QLatin1String("debt")     ? f.panel->debtEdit()
                                                          : f.panel->saleDateEdit();
    box->setText(value);
    f.panel->saveSale();
    QCOMPARE(f.env.platform()->texts(), QStringList{message});
    QCOMPARE(goodsRow(f), (QVariantList{2.0, 16.0, 8.0, 40.0}));
    QCOMPARE(f.salesCount(), 0);
    QVERIFY(!f.panel->isHidden());
    QVERIFY(f.calls.isEmpty());
}

void TestEntry::failingAppendLeavesTheGoodsRecord() {
    SalesFixture f;
    f.dm->ADOConnection1->execBound(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON data1 BEGIN SELECT "
                       "RAISE(ABORT, 'disk full'); END"),
        {});
    fillSale(f, QStringLiteral("12"), QStringLiteral("3"));
    f.panel->saveButton()->click(); // the error ends the command in the error box
    QCOMPARE(f.env.platform()->messages.size(), 1);
    QCOMPARE(f.env.platform()->messages.front().kind, test::Message::Error);
    QVERIFY(f.env.platform()->lastText().contains(QStringLiteral("disk full")));
    QCOMPARE(goodsRow(f), (QVariantList{2.0, 16.0, 8.0, 40.0}));
    QCOMPARE(f.salesCount(), 0);
    // The list in memory shows what is stored; the panel stays for another try.
    QCOMPARE(f.dm->ADOQuery15->fieldByName(QStringLiteral("7")).asFloat(), 8.0);
    QVERIFY(!f.panel->isHidden());
    QVERIFY(!f.calls.contains(QStringLiteral("tip")));

    f.dm->ADOConnection1->execBound(QStringLiteral("DROP TRIGGER refuse"), {});
    f.panel->saveSale();
    QCOMPARE(goodsRow(f), (QVariantList{5.0, 52.0, 5.0, 25.0}));
    QCOMPARE(f.salesCount(), 1);
}

void TestEntry::confirmSaleSavesWithoutTheSlip() {
    SalesFixture f;
    fillSale(f, QStringLiteral("12"), QStringLiteral("3"));
    f.panel->button(QStringLiteral("销售确认"))->click();
    QCOMPARE(f.env.platform()->texts(), QStringList{QStringLiteral("销售数据成功！")});
    QCOMPARE(goodsRow(f), (QVariantList{5.0, 52.0, 5.0, 25.0}));
    QCOMPARE(f.salesCount(), 1);
    QVERIFY(f.panel->isHidden());
    QCOMPARE(f.calls, QStringList{QStringLiteral("showAllRecords")});
    QCOMPARE(f.panel->priceEdit()->text(), QString());
}

void TestEntry::customerNumbers() {
    QCOMPARE(customerNumberFor(QDate(2024, 5, 9), 1), QStringLiteral("202459001"));
    QCOMPARE(customerNumberFor(QDate(2024, 12, 25), 1234), QStringLiteral("202412251234"));
    // Month and day are not padded: 11 January and 1 November share a prefix.
    QCOMPARE(customerNumberFor(QDate(2024, 1, 11), 2), customerNumberFor(QDate(2024, 11, 1), 2));

    SalesFixture f;
    const QDate today = QDate::currentDate();
    const QString prefix = QString::number(today.year()) + QString::number(today.month()) +
                           QString::number(today.day());
    f.panel->button(QStringLiteral("客户编号"))->click();
    QCOMPARE(f.panel->customerNumberEdit()->text(), prefix + QStringLiteral("001"));
    f.panel->plusButton()->click();
    f.panel->plusButton()->click();
    QCOMPARE(f.panel->customerCounter(), 3);
    QCOMPARE(f.panel->customerNumberEdit()->text(), prefix + QStringLiteral("003"));
    QCOMPARE(SettingsStore::read(kKeyKdd, QStringLiteral("ordernumber")), prefix + "003");

    SalesPanel restarted(f.dm.get());
    restarted.loadCustomerNumber();
    QCOMPARE(restarted.customerNumberEdit()->text(), prefix + QStringLiteral("003"));
    QCOMPARE(restarted.customerCounter(), 1);
}

void TestEntry::keysAndEnterChain() {
    SalesFixture f;
    QWidget host;
    f.panel->setParent(&host);
    host.resize(700, 320);
    host.show();
    f.dm->ADOQuery15->first();
    QVERIFY(f.panel->openForGoodsRecord());
    QVERIFY(QTest::qWaitForWindowActive(&host));

    f.panel->priceEdit()->setFocus();
    QTest::keyClicks(f.panel->priceEdit(), QStringLiteral("1a2-.5x"));
    QCOMPARE(f.panel->priceEdit()->text(), QStringLiteral("12.5"));

    const QList<QWidget*> chain{f.panel->priceEdit(), f.panel->discountEdit(),
                                f.panel->quantityEdit(), f.panel->debtEdit()};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        chain[i]->setFocus();
        QTest::keyClick(chain[i], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), chain[i + 1]);
    }
    const QList<QWidget*> customer{
        f.panel->saleDateEdit(), f.panel->customerNumberEdit(), f.panel->customerBox()->lineEdit(),
        f.panel->addressEdit(),  f.panel->contactEdit(),        f.panel->remarkEdit()};
    for (int i = 0; i + 1 < customer.size(); ++i) {
        customer[i]->setFocus();
        QTest::keyClick(customer[i], Qt::Key_Return);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY2(focused == customer[i + 1] || focused == f.panel->customerBox(),
                 qPrintable(QString::number(i)));
    }
    // Up and Down step the quantity in its box.
    f.panel->quantityEdit()->setFocus();
    QTest::keyClick(f.panel->quantityEdit(), Qt::Key_Up);
    QCOMPARE(f.panel->quantityEdit()->text(), QStringLiteral("2"));

    // Every input is found by its caption.
    for (QWidget* w : chain + customer)
        QVERIFY(!w->accessibleName().isEmpty());
    QCOMPARE(f.panel->priceEdit()->accessibleName(), QStringLiteral("实际销售价："));
    QCOMPARE(f.panel->priceEdit()->toolTip(), QStringLiteral("利用回车Enter键和Tab键进行切换"));
    f.panel->setParent(nullptr);
}

void TestEntry::closeAndRights() {
    SalesFixture f;
    fillSale(f, QStringLiteral("12"), QStringLiteral("3"));
    f.panel->debtEdit()->setText(QStringLiteral("5"));
    QTest::mouseClick(f.panel->closePictureLabel(), Qt::LeftButton); // closeSalePanel
    QVERIFY(f.panel->isHidden());
    QCOMPARE(f.panel->priceEdit()->text(), QString());
    QCOMPARE(f.panel->debtEdit()->text(), QStringLiteral("0"));
    QCOMPARE(f.calls, QStringList{QStringLiteral("disableModify")});

    QVERIFY(!f.panel->saleDateIsEmpty());
    f.panel->setSaleDateReadOnly(true);
    QVERIFY(f.panel->saleDateEdit()->isReadOnly());
    QVERIFY(!f.panel->datePickerButton()->isEnabled());
    f.panel->setSaleDateReadOnly(false);
    QVERIFY(!f.panel->saleDateEdit()->isReadOnly());
    f.panel->saleDateEdit()->clear();
    QVERIFY(f.panel->saleDateIsEmpty());
}

void TestEntry::stockSettings() {
    test::TestEnv env;
    QWidget host;
    StockSettings s(&host);
    QStringList statements;
    int reloads = 0;
    s.setListBaseQuery = [&](const QString& sql, const QString& cond) {
        statements << sql << cond;
    };
    s.showAllRecords = [&] { ++reloads; };
    QCOMPARE(s.alarmEdit()->text(), QStringLiteral("5"));
    s.alarmEdit()->setText(QStringLiteral("12"));
    QCOMPARE(SettingsStore::read(kKeyKdd, QStringLiteral("number")), QStringLiteral("12"));
    s.alarmEdit()->clear();
    QCOMPARE(s.alarmEdit()->text(), QStringLiteral("0"));
    QCOMPARE(SettingsStore::read(kKeyKdd, QStringLiteral("number")), QStringLiteral("0"));

    s.zeroStockBox()->setChecked(true);
    QCOMPARE(SettingsStore::read(kKeyKdd, QStringLiteral("n0")), QStringLiteral("no"));
    s.zeroStockBox()->setChecked(false);
    QCOMPARE(SettingsStore::read(kKeyKdd, QStringLiteral("n0")), QStringLiteral("yes"));
    QCOMPARE(statements,
             (QStringList{QStringLiteral("select * from data where [7]<>0 order by day1"),
                          QStringLiteral("where [7]<>0"),
                          QStringLiteral("select * from data order by day1"),
                          QStringLiteral("where [2]>0")}));
    QCOMPARE(reloads, 2);

    SettingsStore::write(kKeyKdd, QStringLiteral("number"), QStringLiteral("7"));
    StockSettings again(&host);
    again.restore();
    QCOMPARE(again.alarmEdit()->text(), QStringLiteral("7"));
}

QTEST_MAIN(TestEntry)
#include "tst_entry.moc"
