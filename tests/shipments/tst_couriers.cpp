// The courier box the list fills when it shows every record: the distinct
// couriers of data in the order the grouped statement gives them, NULL as
// an empty first entry.
#include "data/Dm.h"
#include "data/Schema.h"
#include "shipments/QuickQueryPanel.h"
#include "shipments/ShipmentList.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QTest>

using namespace tolvi;

class TestCouriers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void courierBoxMatchesGroupedStatement_data();
    void courierBoxMatchesGroupedStatement();
};

void TestCouriers::courierBoxMatchesGroupedStatement_data() {
    QTest::addColumn<QStringList>("couriers"); // one record each; "NULL" stores NULL
    QTest::newRow("empty table") << QStringList{};
    QTest::newRow("duplicates and chinese order")
        << QStringList{"顺丰", "申通", "EMS", "申通", "圆通", "ems", "顺丰"};
    QTest::newRow("null and empty text")
        << QStringList{"中通", "NULL", "", "韵达", "NULL", "Ems", "123"};
}

void TestCouriers::courierBoxMatchesGroupedStatement() {
    QFETCH(QStringList, couriers);
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    QWidget window;
    auto* query = new QuickQueryPanel(&window);
    ShipmentList list(&dm, query, &window);
    for (const QString& c : couriers)
        dm.ADOConnection1->execBound(QStringLiteral("insert into data (a, d) values ('张三', ?)"),
                                     {c == QLatin1String("NULL") ? QVariant() : QVariant(c)});
    QStringList expected;
    for (const auto& row :
         dm.ADOConnection1->select(QStringLiteral("select d from data group by d order by d")).rows)
        expected.append(row.values.value(0).toString());

    query->courierBox()->addItem(QStringLiteral("旧的"));
    list.showAllRecords();
    QStringList shown;
    for (int i = 0; i < query->courierBox()->count(); ++i)
        shown.append(query->courierBox()->itemText(i));
    QCOMPARE(shown, expected);
    QCOMPARE(query->courierBox()->currentIndex(), -1);
    QCOMPARE(dm.ADOQuery15->recordCount(), int(couriers.size()));
}

QTEST_MAIN(TestCouriers)
#include "tst_couriers.moc"
