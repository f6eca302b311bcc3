// The sales detail window: its queries, column choices, the record panel's
// modify and delete, sorting and print.
#include "DetailFixture.h"
#include "chart/SalesBarChart.h"
#include "data/Mylib.h"
#include "grid/BiffReadBack.h"
#include "grid/DataGrid.h"
#include "platform/SettingsStore.h"
#include "sales/SalesQueries.h"
#include "sales/SalesRecordPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace tolvi;
using test::DetailFixture;

namespace {

QString today() {
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QStringList comboItems(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

QList<QVariant> goodsRow(db::Connection* c, qint64 rowid) {
    db::Dataset d(c);
    d.setSql(QStringLiteral("select [5],[6],[7],[8] from data where rowid=%1").arg(rowid));
    d.open();
    return {d.value(0, 0), d.value(0, 1), d.value(0, 2), d.value(0, 3)};
}

void insertGoods(db::Connection* c, const QString& name, double sold, double soldAmount,
                 double stock, double stockAmount) {
    c->execBound(QStringLiteral("INSERT INTO data (a,b,c,d,day1,\"5\",\"6\",\"7\",\"8\") VALUES "
                                "(?,?,?,?,?,?,?,?,?)"),
                 {name, QStringLiteral("标准"), QStringLiteral("C-") + name, QStringLiteral("水果"),
                  QStringLiteral("2024-03-01"), sold, soldAmount, stock, stockAmount});
}

} // namespace

class TestDetail : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void thisMonthStatement_data();
    void thisMonthStatement();
    void thisMonthMatchesOnlyThatMonth();
    void runThisMonthRefillsListsAndGoesToTheLastRow();
    void combinedStatement_data();
    void combinedStatement();
    void typedConditionsFilterTheList();
    void columnChoicesToggleAndSave();
    void showAllAndCustomerInfoKeepCheckMarks();
    void restoreColumnChoices();
    void restrictedOperatorNeverSeesProfit();
    void modifyStoresDebtAndCustomer();
    void modifyWithBadDebtWritesNothing();
    void deleteReturnsStockToTheFirstMatchingGoods();
    void deleteWithoutMatchingGoodsStillDeletes();
    void titleClicksAlternateTheOrder();
    void printShowsHeadingAndOperator();
    void exportWritesTheSalesTitle();
    void showLoadsCompanyAndAddress();
};

void TestDetail::thisMonthStatement_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("statement");
    QTest::newRow("May") << QDate(2024, 5, 9)
                         << "select * from data1 where day1 like '2024-%' and day1 like "
                            "'%-05-%' order by day1";
    QTest::newRow("November") << QDate(2025, 11, 30)
                              << "select * from data1 where day1 like '2025-%' and day1 like "
                                 "'%-11-%' order by day1";
}

void TestDetail::thisMonthStatement() {
    QFETCH(QDate, date);
    QFETCH(QString, statement);
    QCOMPARE(xstj::thisMonthStatement(date), statement);
}

void TestDetail::thisMonthMatchesOnlyThatMonth() {
    DetailFixture f;
    for (const char* day : {"2024-05-01", "2024-05-31 18:30:00", "2024-06-05", "2023-05-09",
                            "2024-10-05", "2024-01-05"})
        test::insertSale(f.connection(),
                         test::sale(QString::fromLatin1(day), QString::fromLatin1(day)));
    openQuery(f.detail(), xstj::thisMonthStatement(QDate(2024, 5, 20)));
    QCOMPARE(f.column(QStringLiteral("a")),
             (QStringList{QStringLiteral("2024-05-01"), QStringLiteral("2024-05-31 18:30:00")}));
}

void TestDetail::runThisMonthRefillsListsAndGoesToTheLastRow() {
    DetailFixture f;
    QComboBox customers;
    f.window->setCustomerBox(&customers);
    const QDate d = QDate::currentDate();
    auto s1 = test::sale(QStringLiteral("苹果"), today());
    auto s2 =
        test::sale(QStringLiteral("香蕉"), d.addYears(-1).toString(QStringLiteral("yyyy-MM-dd")));
    s2.category = QStringLiteral("零食");
    s2.customer = QStringLiteral("小李");
    auto s3 = test::sale(QStringLiteral("梨"), today());
    for (const auto& s : {s1, s2, s3})
        test::insertSale(f.connection(), s);
    f.window->runThisMonth();
    QCOMPARE(f.column(QStringLiteral("a")),
             (QStringList{QStringLiteral("苹果"), QStringLiteral("梨")}));
    QCOMPARE(f.detail()->recNo(), 1);
    QCOMPARE(comboItems(f.window->categoryBox()),
             (QStringList{QStringLiteral("水果"), QStringLiteral("零食")}));
    QCOMPARE(comboItems(&customers), (QStringList{QStringLiteral("小李"), QStringLiteral("老王")}));
    // Refilling the category list ran no other query.
    QCOMPARE(f.detail()->recordCount(), 2);
    QCOMPARE(f.window->grid()->footerDisplayText(6), QStringLiteral("20"));
}

void TestDetail::combinedStatement_data() {
    QTest::addColumn<QStringList>("fields"); // category, name, code, model, customer, remark
    QTest::addColumn<bool>("dated");
    QTest::addColumn<QString>("statement");
    const QString base = QStringLiteral("select * from data1 where [3]>0 ");
    QTest::newRow("nothing") << QStringList(6) << false << base;
    QTest::newRow("category") << QStringList{"水", "", "", "", "", ""} << false
                              << base + " and d like '%水%'";
    QTest::newRow("untrimmed name and remark") << QStringList{"", " pg", "", "", "", "急 "} << false
                                               << base + " and e like '% pg%' and j like '%急 %'";
    QTest::newRow("everything") << QStringList{"水果", "pg", "C1", "bz", "老王", "送"} << true
                                << base + " and d like '%水果%' and e like '%pg%' and c like "
                                          "'%C1%' and f like '%bz%' and g like '%老王%' and j "
                                          "like '%送%' and day1>=#2024-05-01# and "
                                          "day1<=#2024-05-31#";
    QTest::newRow("apostrophe") << QStringList{"", "", "", "", "O'Neil", ""} << false
                                << base + " and g like '%O''Neil%'";
}

void TestDetail::combinedStatement() {
    QFETCH(QStringList, fields);
    QFETCH(bool, dated);
    QFETCH(QString, statement);
    xstj::SalesConditions c{fields[0],
                            fields[1],
                            fields[2],
                            fields[3],
                            fields[4],
                            fields[5],
                            dated,
                            QStringLiteral("2024-05-01"),
                            QStringLiteral("2024-05-31")};
    QCOMPARE(xstj::combinedStatement(c), statement);
}

void TestDetail::typedConditionsFilterTheList() {
    DetailFixture f;
    auto apple = test::sale(QStringLiteral("苹果"), QStringLiteral("2024-05-01"));
    auto pear = test::sale(QStringLiteral("梨子"), QStringLiteral("2024-05-20"));
    pear.customer = QStringLiteral("O'Neil");
    auto returned = test::sale(QStringLiteral("橙子"), QStringLiteral("2024-05-02"), 0, 0);
    returned.quantity = 0;
    for (const auto& s : {apple, pear, returned})
        test::insertSale(f.connection(), s);
    f.window->runCombinedQuery();
    QCOMPARE(f.column(QStringLiteral("a")),
             (QStringList{QStringLiteral("苹果"), QStringLiteral("梨子")}));
    test::typeText(f.window->customerNameEdit(), QStringLiteral("O'N"));
    QCOMPARE(f.column(QStringLiteral("a")), QStringList{QStringLiteral("梨子")});
    f.window->customerNameEdit()->clear();
    f.window->fromDate()->setDate(QDate(2024, 5, 1));
    f.window->toDate()->setDate(QDate(2024, 5, 10));
    f.window->dateCheck()->setChecked(true);
    f.window->runCombinedQuery();
    QCOMPARE(f.column(QStringLiteral("a")), QStringList{QStringLiteral("苹果")});
    // "清空条件" leaves the date box unticked, and the next query lists every sale.
    f.window->clearConditions();
    QVERIFY(!f.window->dateCheck()->isChecked());
    f.window->runCombinedQuery();
    QCOMPARE(f.detail()->recordCount(), 2);
    // "当 天" ticks the box and uses the pickers as they stand.
    f.window->runToday();
    QVERIFY(f.window->dateCheck()->isChecked());
    QCOMPARE(f.column(QStringLiteral("a")), QStringList{QStringLiteral("苹果")});
}

void TestDetail::columnChoicesToggleAndSave() {
    DetailFixture f;
    auto* grid = f.window->grid();
    QVERIFY(!grid->isColumnVisible(10));
    const struct {
        int choice;
        QList<int> columns;
        bool hidesWhenChecked;
    } cases[] = {{1, {4}, true},
                 {2, {7}, true},
                 {3, {8}, true},
                 {4, {9}, true},
                 {5, {11, 12, 13, 14}, true},
                 {6, {10}, false},
                 {7, {11}, true},
                 {8, {12}, true},
                 {9, {13}, true},
                 {10, {14}, true}};
    for (const auto& c : cases) {
        const QString name = QStringLiteral("xiaoshouyin%1").arg(c.choice);
        for (bool check : {true, false}) {
            f.window->toggleColumnChoice(c.choice);
            QCOMPARE(f.window->choiceAction(c.choice)->isChecked(), check);
            QCOMPARE(SettingsStore::read(kKeyJxc, name),
                     check ? QStringLiteral("yes") : QStringLiteral("no"));
            for (int col : c.columns)
                QCOMPARE(grid->isColumnVisible(col), check != c.hidesWhenChecked);
        }
    }
}

void TestDetail::showAllAndCustomerInfoKeepCheckMarks() {
    DetailFixture f;
    auto* grid = f.window->grid();
    f.window->toggleColumnChoice(7); // name hidden, checked
    f.window->toggleColumnChoice(5); // all customer columns hidden
    QVERIFY(f.window->choiceAction(7)->isChecked());
    f.window->toggleColumnChoice(5); // all four shown again, 7 keeps its mark
    QVERIFY(grid->isColumnVisible(11));
    QVERIFY(f.window->choiceAction(7)->isChecked());
    QVERIFY(!f.window->choiceAction(5)->isChecked());

    f.window->toggleColumnChoice(1);
    f.window->toggleColumnChoice(4);
    f.window->showAllColumns();
    for (int c = 1; c < 15; ++c)
        QCOMPARE(grid->isColumnVisible(c), c != 10);
    QVERIFY(f.window->choiceAction(1)->isChecked());
    QVERIFY(f.window->choiceAction(4)->isChecked());
    // The next click on a checked item shows its column and unchecks it.
    f.window->toggleColumnChoice(1);
    QVERIFY(grid->isColumnVisible(4));
    QVERIFY(!f.window->choiceAction(1)->isChecked());
    QCOMPARE(SettingsStore::read(kKeyJxc, QStringLiteral("xiaoshouyin1")), QStringLiteral("no"));
    // A shown customer number stays shown.
    f.window->toggleColumnChoice(6);
    f.window->showAllColumns();
    QVERIFY(grid->isColumnVisible(10));
}

void TestDetail::restoreColumnChoices() {
    DetailFixture f;
    const QList<std::pair<int, QString>> values{{1, "yes"}, {3, "no"},  {5, "yes"},
                                                {6, "yes"}, {7, "abc"}, {9, "no"}};
    for (const auto& [choice, value] : values)
        SettingsStore::write(kKeyJxc, QStringLiteral("xiaoshouyin%1").arg(choice), value);
    f.window->restoreColumnChoices();
    auto* grid = f.window->grid();
    const QList<bool> checked{true, false, false, false, true, true, false, false, false, false};
    for (int choice = 1; choice <= 10; ++choice)
        QCOMPARE(f.window->choiceAction(choice)->isChecked(), checked[choice - 1]);
    const QList<int> hidden{4, 11, 12, 14}; // "no" for 9 shows 13 again
    for (int c = 0; c < 15; ++c)
        QCOMPARE(grid->isColumnVisible(c), !hidden.contains(c));

    // No key at all: the design state.
    DetailFixture fresh;
    fresh.window->restoreColumnChoices();
    for (int c = 0; c < 15; ++c)
        QCOMPARE(fresh.window->grid()->isColumnVisible(c), c != 10);
}

void TestDetail::restrictedOperatorNeverSeesProfit() {
    DetailFixture f;
    SettingsStore::write(kKeyJxc, QStringLiteral("xiaoshouyin4"), QStringLiteral("no"));
    f.window->restoreColumnChoices();
    f.window->setRestricted(true);
    QVERIFY(!f.window->grid()->isColumnVisible(9));
    f.window->showAllColumns();
    QVERIFY(!f.window->grid()->isColumnVisible(9));
    QStringList visible;
    for (QAction* a : f.window->contextMenu()->actions())
        if (a->isVisible() && !a->isSeparator())
            visible.append(a->text());
    for (const char* gone : {"修 改 ", "删 除", "全部显示", "隐藏净利润"})
        QVERIFY2(!visible.contains(QString::fromUtf8(gone)), gone);
    QVERIFY(visible.contains(QStringLiteral("隐藏销售单价")));
    QVERIFY(!f.window->monthlyChart()->isVisibleTo(f.window.get()));
}

void TestDetail::modifyStoresDebtAndCustomer() {
    DetailFixture f;
    test::insertSale(f.connection(), test::sale(QStringLiteral("苹果"), today()));
    test::insertSale(f.connection(), test::sale(QStringLiteral("梨"), today()));
    f.window->runAll();
    f.detail()->moveTo(0);
    f.window->openModify();
    auto* panel = f.window->recordPanel();
    QVERIFY(panel->isVisibleTo(f.window.get()));
    QVERIFY(panel->modifyButton()->isVisibleTo(panel));
    QVERIFY(!panel->deleteButton()->isVisibleTo(panel));
    QCOMPARE(panel->shownName(), QStringLiteral("苹果"));
    QCOMPARE(panel->customerNameEdit()->text(), QStringLiteral("老王"));
    panel->debtEdit()->setText(QStringLiteral("12.5"));
    panel->customerNumberEdit()->setText(QStringLiteral(" 007 "));
    panel->customerNameEdit()->setText(QStringLiteral(" 张三 "));
    panel->addressEdit()->setText(QStringLiteral("上海 "));
    panel->contactEdit()->setText(QStringLiteral(" 138"));
    panel->remarkEdit()->setText(QStringLiteral("改过"));
    QTest::mouseClick(panel->modifyButton(), Qt::LeftButton);
    QVERIFY(panel->isVisibleTo(f.window.get()));
    QVERIFY(f.platform->messages.isEmpty());

    db::Dataset check(f.connection());
    check.setSql(QStringLiteral("select [6],z,g,h,i,j,a from data1 order by rowid"));
    check.open();
    QCOMPARE(check.value(0, 0).toDouble(), 12.5);
    QCOMPARE(check.value(0, 1).toString(), QStringLiteral("007"));
    QCOMPARE(check.value(0, 2).toString(), QStringLiteral("张三"));
    QCOMPARE(check.value(0, 3).toString(), QStringLiteral("上海"));
    QCOMPARE(check.value(0, 4).toString(), QStringLiteral("138"));
    QCOMPARE(check.value(0, 5).toString(), QStringLiteral("改过"));
    QCOMPARE(check.value(1, 2).toString(), QStringLiteral("老王"));
    // A row without a name opens nothing.
    f.window->recordPanel()->hide();
    f.connection()->execBound(QStringLiteral("UPDATE data1 SET a='' WHERE a='梨'"), {});
    f.window->runAll();
    f.detail()->moveTo(1);
    f.window->openModify();
    QVERIFY(!panel->isVisibleTo(f.window.get()));
}

void TestDetail::modifyWithBadDebtWritesNothing() {
    DetailFixture f;
    test::insertSale(f.connection(), test::sale(QStringLiteral("苹果"), today()));
    f.window->runAll();
    f.window->openModify();
    auto* panel = f.window->recordPanel();
    panel->debtEdit()->setText(QStringLiteral("1.2."));
    panel->customerNameEdit()->setText(QStringLiteral("张三"));
    QTest::mouseClick(panel->modifyButton(), Qt::LeftButton);
    QCOMPARE(f.platform->messages.size(), 1);
    QCOMPARE(f.platform->messages[0].kind, test::Message::Error);
    db::Dataset check(f.connection());
    check.setSql(QStringLiteral("select g from data1"));
    check.open();
    QCOMPARE(check.value(0, 0).toString(), QStringLiteral("老王"));
}

void TestDetail::deleteReturnsStockToTheFirstMatchingGoods() {
    DetailFixture f;
    insertGoods(f.connection(), QStringLiteral("梨"), 9, 90, 1, 6);
    insertGoods(f.connection(), QStringLiteral("苹果"), 5, 50, 3, 18);
    insertGoods(f.connection(), QStringLiteral("苹果"), 7, 70, 4, 24);
    test::insertSale(f.connection(), test::sale(QStringLiteral("梨"), today()));
    test::insertSale(f.connection(), test::sale(QStringLiteral("苹果"), today(), 2, 20));
    f.window->runAll();
    f.detail()->moveTo(1);
    f.window->openDelete();
    auto* panel = f.window->recordPanel();
    QVERIFY(panel->deleteButton()->isVisibleTo(panel));
    QVERIFY(!panel->modifyButton()->isVisibleTo(panel));
    QVERIFY(panel->customerNameEdit()->text().isEmpty()); // not loaded for a delete
    QTest::mouseClick(panel->deleteButton(), Qt::LeftButton);

    QCOMPARE(f.platform->texts(), QStringList{QStringLiteral("删除销售记录成功！")});
    QCOMPARE(goodsRow(f.connection(), 2), (QList<QVariant>{3.0, 30.0, 5.0, 30.0}));
    QCOMPARE(goodsRow(f.connection(), 3), (QList<QVariant>{7.0, 70.0, 4.0, 24.0}));
    QCOMPARE(goodsRow(f.connection(), 1), (QList<QVariant>{9.0, 90.0, 1.0, 6.0}));
    QCOMPARE(f.column(QStringLiteral("a")), QStringList{QStringLiteral("梨")}); // this month
    QVERIFY(!panel->isVisibleTo(f.window.get()));
    QVERIFY(panel->shownName().isEmpty());
}

void TestDetail::deleteWithoutMatchingGoodsStillDeletes() {
    DetailFixture f;
    insertGoods(f.connection(), QStringLiteral("梨"), 9, 90, 1, 6);
    test::insertSale(f.connection(), test::sale(QStringLiteral("苹果"), today(), 2, 20));
    f.window->runAll();
    f.window->openDelete();
    QTest::mouseClick(f.window->recordPanel()->deleteButton(), Qt::LeftButton);
    QCOMPARE(f.platform->texts(), QStringList{QStringLiteral("删除销售记录成功！")});
    QCOMPARE(f.detail()->recordCount(), 0);
    QCOMPARE(goodsRow(f.connection(), 1), (QList<QVariant>{9.0, 90.0, 1.0, 6.0}));
    db::Dataset left(f.connection());
    left.setSql(QStringLiteral("select count(*) from data1"));
    left.open();
    QCOMPARE(left.value(0, 0).toInt(), 0);
}

void TestDetail::titleClicksAlternateTheOrder() {
    DetailFixture f;
    for (double amount : {20.0, 5.0, 12.0})
        test::insertSale(f.connection(), test::sale(QStringLiteral("苹果"), today(), 1, amount));
    f.window->runAll();
    f.window->openModify();
    f.window->sortByTitle(QStringLiteral("4"), 6);
    QVERIFY(!f.window->recordPanel()->isVisibleTo(f.window.get()));
    QCOMPARE(f.column(QStringLiteral("4")), (QStringList{"20", "12", "5"}));
    f.window->sortByTitle(QStringLiteral("4"), 6);
    QCOMPARE(f.column(QStringLiteral("4")), (QStringList{"5", "12", "20"}));
    f.window->sortByTitle(QStringLiteral("4"), 6);
    QCOMPARE(f.column(QStringLiteral("4")), (QStringList{"20", "12", "5"}));
}

void TestDetail::printShowsHeadingAndOperator() {
    DetailFixture f;
    test::insertSale(f.connection(), test::sale(QStringLiteral("苹果"), today(), 2, 20));
    f.window->setOperatorName(QStringLiteral("小张"));
    f.window->runAll();
    const QString pdf = f.env.path(QStringLiteral("sales.pdf"));
    f.platform->previewPdfPaths.enqueue(pdf);
    f.window->printList();
    QStringList words;
    for (const auto& w : test::readPdfWords(pdf))
        words.append(w.text);
    const QString text = words.join(QLatin1Char(' '));
    QVERIFY(text.contains(QStringLiteral("销 售 统 计 报 表")));
    QVERIFY(words.contains(QStringLiteral("制表人：小张")));
    QVERIFY(words.contains(QStringLiteral("日期：") + today()));
    QVERIFY(words.contains(QStringLiteral("苹果")));
    QVERIFY(words.contains(QStringLiteral("合计")));
}

void TestDetail::exportWritesTheSalesTitle() {
    DetailFixture f;
    test::insertSale(f.connection(), test::sale(QStringLiteral("苹果"), today(), 2, 20));
    f.window->setOperatorName(QStringLiteral("小张"));
    f.window->runAll();
    const QString file = f.env.path(QStringLiteral("sales.xls"));
    f.platform->fileNames.enqueue(file);
    f.window->exportList();
    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const test::BiffSheet sheet = test::readBiff(in.readAll());
    QCOMPARE(sheet.text(0, 3), QStringLiteral("销 售 报 表"));
    QCOMPARE(sheet.text(1, 0), QStringLiteral("制表人：小张"));
    QCOMPARE(sheet.text(4, 0), QStringLiteral("苹果"));
}

void TestDetail::showLoadsCompanyAndAddress() {
    DetailFixture f;
    // Only a column choice in the key: the defaults stay.
    SettingsStore::write(kKeyJxc, QStringLiteral("xiaoshouyin1"), QStringLiteral("yes"));
    f.window->show();
    QCOMPARE(f.window->companyName(), QStringLiteral("Tolvi进销存"));
    QVERIFY(!f.window->addressLine().isEmpty());
    f.window->hide();
    SettingsStore::write(kKeyJxc, QStringLiteral("company"), QStringLiteral("东城水果店"));
    SettingsStore::write(kKeyJxc, QStringLiteral("address"), QStringLiteral("电话：010-1234"));
    f.window->show();
    QCOMPARE(f.window->companyName(), QStringLiteral("东城水果店"));
    QCOMPARE(f.window->addressLine(), QStringLiteral("电话：010-1234"));
    // Showing also set the lists and pickers and ran the queries.
    QCOMPARE(f.window->monthlyYearBox()->currentText(),
             QString::number(QDate::currentDate().year()));
    QCOMPARE(f.window->fromDate()->date(), QDate::currentDate());
    QVERIFY(f.window->monthlyChart()->isActive());
    QVERIFY(f.detail()->isOpen());
    // Closing deactivates the charts, closes the list and reloads the main list.
    int reloads = 0;
    f.window->setOnClosed([&reloads] { ++reloads; });
    f.window->close();
    QCOMPARE(reloads, 1);
    QVERIFY(!f.window->monthlyChart()->isActive());
    QVERIFY(!f.detail()->isOpen());
}

QTEST_MAIN(TestDetail)
#include "tst_detail.moc"
