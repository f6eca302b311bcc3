// The shipment list: columns, footer, quick query, sorting, colours, goods toggle.
#include "data/Dm.h"
#include "data/Schema.h"
#include "grid/DataGrid.h"
#include "grid/GridModel.h"
#include "platform/SettingsStore.h"
#include "shipments/QuickQueryPanel.h"
#include "shipments/ShipmentList.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tolvi;

namespace {

struct Fixture {
    test::TestEnv env;
    Tdmfm dm{mainConnectionString()};
    QWidget window;
    QuickQueryPanel* query = new QuickQueryPanel(&window);
    ShipmentList list{&dm, query, &window};
    Fixture() {
        auto add = [&](const char* values) {
            dm.ADOConnection1->exec(
                QStringLiteral("insert into data (a,b,c,d,g,h,i,j,z,[1],[2],day1) values (%1)")
                    .arg(QString::fromUtf8(values)));
        };
        add("'王小明','13900001111','广东省 广州市 越秀区 "
            "环市东路1号','申通快递','未打印','T恤','buyer1','1001','',2,12.5,'2024-03-05'");
        add("'李四','13800002222','浙江省 杭州市 西湖区 "
            "文三路','圆通速递','已打印','裤子','buyer2','1002','备注',1,0.5,'2024-03-06 "
            "10:00:00'");
        add("'王五','13700003333','北京市 北京市 朝阳区 "
            "建国路','申通快递','未打印','鞋','buyer3','1003','',3,0,'2024-03-07'");
        add("'','13900004444','无名地址','中通速递','未打印','','','1004','',1,1,'2024-03-08'");
        window.resize(1000, 400);
        list.view()->resize(1000, 300);
        window.show();
    }
    QStringList names() const {
        QStringList n;
        for (int i = 0; i < dm.ADOQuery15->recordCount(); ++i)
            n << dm.ADOQuery15->value(i, dm.ADOQuery15->fieldIndex("a")).toString();
        return n;
    }
};

} // namespace

class TestList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnsAndFooter();
    void quickQueryBoxes_data();
    void quickQueryBoxes();
    void quickQueryKeepsCountAndHidesEmptyNames();
    void clearConditions();
    void titleClicksAlternate();
    void printedRowsAreRed();
    void goodsToggleAndRestart();
};

void TestList::columnsAndFooter() {
    Fixture f;
    f.list.showAllRecords();
    auto* grid = f.list.grid();
    QStringList titles, fields;
    for (const auto& c : grid->columns()) {
        titles << c.upperTitle + "|" + c.title;
        fields << c.fieldName;
    }
    QCOMPARE(fields, (QStringList{"a", "b", "c", "d", "g", "day1", "h", "1", "2", "i", "j", "z"}));
    QCOMPARE(titles.first(), QStringLiteral("收 货 信 息|姓 名"));
    QCOMPARE(titles.at(4), QStringLiteral("打 印| 状 态"));
    QCOMPARE(titles.last(), QStringLiteral("商 品 信 息|备 注"));
    QCOMPARE(grid->footerDisplayText(0), QStringLiteral("总计"));
    QCOMPARE(f.list.countText(), QStringLiteral("共4条记录"));
    QCOMPARE(grid->footerSum(7), 7.0);
    QCOMPARE(grid->footerDisplayText(8), QStringLiteral("14"));
    // the cursor stands on the last row; the courier box lists what data holds
    QCOMPARE(f.dm.ADOQuery15->recNo(), 3);
    QComboBox* couriers = f.query->courierBox();
    QCOMPARE(couriers->currentText(), QString());
    QStringList items;
    for (int i = 0; i < couriers->count(); ++i)
        items << couriers->itemText(i);
    QCOMPARE(items.size(), 3);
    QVERIFY(items.contains("申通快递") && items.contains("中通速递"));
    // "#.##": 12.5, .5 and nothing for 0
    auto* model = grid->model();
    QCOMPARE(model->data(model->index(0, 8), Qt::DisplayRole).toString(), QStringLiteral("12.5"));
    QCOMPARE(model->data(model->index(1, 8), Qt::DisplayRole).toString(), QStringLiteral(".5"));
    QCOMPARE(model->data(model->index(2, 8), Qt::DisplayRole).toString(), QString());
    // an imported payment time shows with its time
    QCOMPARE(model->data(model->index(1, 5), Qt::DisplayRole).toString(),
             QStringLiteral("2024-03-06 10:00:00"));
}

void TestList::quickQueryBoxes_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("mobile 13") << "mobile"
                               << "13" << QStringList{"王小明", "李四", "王五"};
    QTest::newRow("mobile 139") << "mobile"
                                << "139" << QStringList{"王小明"};
    QTest::newRow("name") << "name"
                          << "王" << QStringList{"王小明", "王五"};
    QTest::newRow("address") << "address"
                             << "杭州" << QStringList{"李四"};
    QTest::newRow("member") << "member"
                            << "buyer3" << QStringList{"王五"};
    QTest::newRow("order") << "order"
                           << "100" << QStringList{"王小明", "李四", "王五"};
    QTest::newRow("courier") << "courier"
                             << "申通" << QStringList{"王小明", "王五"};
    QTest::newRow("status") << "status"
                            << "已打印" << QStringList{"李四"};
    QTest::newRow("apostrophe") << "name"
                                << "王'" << QStringList{};
}

void TestList::quickQueryBoxes() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    Fixture f;
    f.list.showAllRecords();
    QWidget* target = box == "mobile"    ? static_cast<QWidget*>(f.query->mobileBox())
                      : box == "name"    ? f.query->nameBox()
                      : box == "address" ? f.query->addressBox()
                      : box == "member"  ? f.query->memberBox()
                      : box == "order"   ? f.query->orderBox()
                      : box == "courier" ? f.query->courierBox()->lineEdit()
                                         : f.query->statusBox()->lineEdit();
    target->setFocus();
    test::typeText(target, text);
    QCOMPARE(f.names(), expected);
    QVERIFY(f.env.platform()->messages.isEmpty()); // an apostrophe is no provider error
}

void TestList::quickQueryKeepsCountAndHidesEmptyNames() {
    Fixture f;
    f.list.showAllRecords();
    QSignalSpy hide(&f.list, &ShipmentList::hideEntryPanel);
    test::typeText(f.query->courierBox()->lineEdit(), "申通");
    test::typeText(f.query->nameBox(), "王");
    QCOMPARE(
        f.dm.ADOQuery15->sql().join(""),
        QStringLiteral("select * from data where [a]<>'' and d like '%申通%' and a like '%王%'"));
    QCOMPARE(f.names(), (QStringList{"王小明", "王五"}));
    QCOMPARE(f.list.countText(), QStringLiteral("共4条记录"));
    QCOMPARE(f.dm.ADOQuery15->recNo(), 0);
    QVERIFY(hide.count() >= 1);
    // footer sums follow the listed rows
    QCOMPARE(f.list.grid()->footerSum(7), 5.0);
    // the empty-name row appears only in the whole list
    f.query->nameBox()->clear();
    f.query->courierBox()->setEditText("");
    test::typeText(f.query->mobileBox(), "1");
    QCOMPARE(f.names().size(), 3);
}

void TestList::clearConditions() {
    Fixture f;
    f.list.showAllRecords();
    // only the courier held text: clearing leaves the filtered rows
    test::typeText(f.query->courierBox()->lineEdit(), "圆通");
    QCOMPARE(f.names(), QStringList{"李四"});
    f.query->clearButton()->click();
    QCOMPARE(f.query->courierBox()->currentText(), QString());
    QCOMPARE(f.names(), QStringList{"李四"});
    // a text box that held text re-runs the query as it empties
    test::typeText(f.query->nameBox(), "王五");
    QCOMPARE(f.names(), QStringList{"王五"});
    f.query->clearButton()->click();
    QCOMPARE(f.names(), (QStringList{"王小明", "李四", "王五"}));
    f.query->allButton()->click();
    QCOMPARE(f.names().size(), 4);
}

void TestList::titleClicksAlternate() {
    Fixture f;
    f.list.showAllRecords();
    auto quantities = [&] {
        QList<double> q;
        for (int i = 0; i < f.dm.ADOQuery15->recordCount(); ++i)
            q << f.dm.ADOQuery15->value(i, f.dm.ADOQuery15->fieldIndex("1")).toDouble();
        return q;
    };
    f.list.sortByTitle("1");
    QCOMPARE(quantities(), (QList<double>{3, 2, 1, 1}));
    f.list.sortByTitle("1");
    QCOMPARE(quantities(), (QList<double>{1, 1, 2, 3}));
    f.list.sortByTitle("1");
    QCOMPARE(quantities(), (QList<double>{3, 2, 1, 1}));
    // another title starts descending again
    f.list.sortByTitle("a");
    QCOMPARE(f.names().first(), QStringLiteral("王小明"));
    f.list.showAllRecords(); // back to the stored order
    QCOMPARE(f.names().first(), QStringLiteral("王小明"));
    QCOMPARE(f.names().at(1), QStringLiteral("李四"));
}

void TestList::printedRowsAreRed() {
    Fixture f;
    f.list.showAllRecords();
    auto* model = f.list.grid()->model();
    auto colour = [&](int row) {
        return model->data(model->index(row, 0), Qt::ForegroundRole).value<QColor>();
    };
    QCOMPARE(colour(1), QColor(Qt::red));
    QVERIFY(colour(0) != QColor(Qt::red));
    f.dm.ADOQuery15->moveTo(1);
    f.dm.ADOQuery15->edit();
    f.dm.ADOQuery15->setValue("g", "未打印");
    f.dm.ADOQuery15->post();
    QVERIFY(colour(1) != QColor(Qt::red));
}

void TestList::goodsToggleAndRestart() {
    Fixture f;
    f.list.showAllRecords();
    auto* grid = f.list.grid();
    auto visibleGoods = [&] {
        QStringList v;
        for (const char* field : {"day1", "h", "1", "2", "i", "j", "z"})
            if (grid->isColumnVisible(grid->columnOfField(field)))
                v << field;
        return v;
    };
    QSignalSpy ticks(&f.list, &ShipmentList::goodsHiddenChanged);
    f.list.toggleGoodsColumns();
    QVERIFY(visibleGoods().isEmpty());
    QVERIFY(f.list.goodsHidden());
    QCOMPARE(SettingsStore::read(kKeyKdd, "rukuyin1"), QStringLiteral("yes"));
    // a "restart": only 付款日期 hidden, the entry ticked
    {
        QWidget w2;
        QuickQueryPanel q2(&w2);
        ShipmentList again(&f.dm, &q2, &w2);
        again.restoreColumns();
        QVERIFY(again.goodsHidden());
        auto* g2 = again.grid();
        QVERIFY(!g2->isColumnVisible(g2->columnOfField("day1")));
        QVERIFY(g2->isColumnVisible(g2->columnOfField("h")));
        again.toggleGoodsColumns(); // shows all seven, saves no
        QVERIFY(g2->isColumnVisible(g2->columnOfField("day1")));
        QCOMPARE(SettingsStore::read(kKeyKdd, "rukuyin1"), QStringLiteral("no"));
    }
    f.list.toggleGoodsColumns();
    QCOMPARE(visibleGoods().size(), 7);
    QCOMPARE(ticks.count(), 2);
}

QTEST_MAIN(TestList)
#include "tst_list.moc"
