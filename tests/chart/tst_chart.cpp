// The sales bar charts: their statements run unchanged on a small data set
// and give one bar per month or day, as high as its total.
#include "chart/SalesBarChart.h"
#include "chart/SalesChartQueries.h"
#include "data/Schema.h"
#include "support/TestEnv.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QTest>
#include <QValueAxis>

using namespace tolvi;
using chart::SalesMeasure;

class TestChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statements();
    void bars_data();
    void bars();
    void axesAndDeactivation();
};

void TestChart::statements() {
    QCOMPARE(chart::monthlyChartStatement(QStringLiteral("2024"), SalesMeasure::Profit),
             QStringLiteral("select month([day1]) as 月份,sum(a5) as 总量 from data1 where "
                            "year([day1])='2024' group by month([day1])"));
    QCOMPARE(chart::dailyChartStatement(QStringLiteral("2024"), QStringLiteral("5"),
                                        SalesMeasure::Amount),
             QStringLiteral("select day([day1]) as 日期,sum([4]) as 总量 from data1 where "
                            "month([day1])='5' and year([day1])='2024'  group by day1 order by "
                            "day1"));
    // A typed year cannot break out of its quotes.
    QVERIFY(chart::monthlyChartStatement(QStringLiteral("20'24"), SalesMeasure::Profit)
                .contains(QStringLiteral("='20''24'")));
}

void TestChart::bars_data() {
    QTest::addColumn<bool>("daily");
    QTest::addColumn<int>("measure");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QList<QPointF>>("expected");
    QTest::newRow("monthly profit") << false << int(SalesMeasure::Profit) << QString()
                                    << QList<QPointF>{{1, 5}, {5, 4}, {12, 1.5}};
    QTest::newRow("monthly amount") << false << int(SalesMeasure::Amount) << QString()
                                    << QList<QPointF>{{1, 30}, {5, 40}, {12, 8}};
    QTest::newRow("daily profit, January")
        << true << int(SalesMeasure::Profit) << QStringLiteral("1")
        << QList<QPointF>{{5, 3}, {20, 2}};
    QTest::newRow("daily amount, May")
        << true << int(SalesMeasure::Amount) << QStringLiteral("5") << QList<QPointF>{{31, 40}};
    QTest::newRow("daily, a month without sales")
        << true << int(SalesMeasure::Amount) << QStringLiteral("7") << QList<QPointF>{};
}

void TestChart::bars() {
    QFETCH(bool, daily);
    QFETCH(int, measure);
    QFETCH(QString, month);
    QFETCH(QList<QPointF>, expected);
    test::TestEnv env;
    db::Connection c;
    c.open(mainConnectionString());
    const struct {
        const char* day;
        double amount, profit;
    } sales[] = {{"2024-01-05", 10, 3},  {"2024-01-20", 20, 2},    {"2024-05-31 10:00:00", 40, 4},
                 {"2024-12-01", 8, 1.5}, {"2023-01-05", 100, 100}, {"2025-05-31", 7, 7}};
    for (const auto& s : sales)
        c.execBound(QStringLiteral("INSERT INTO data1 (a,day1,\"4\",a5) VALUES ('x',?,?,?)"),
                    {QString::fromLatin1(s.day), s.amount, s.profit});
    const auto m = static_cast<SalesMeasure>(measure);
    chart::SalesBarChart view(&c, QStringLiteral("t"), daily ? 32 : 12,
                              daily ? QStringLiteral("日") : QStringLiteral("月"));
    if (daily)
        view.runQuery(chart::dailyChartStatement(QStringLiteral("2024"), month, m),
                      QStringLiteral("日期"));
    else
        view.runQuery(chart::monthlyChartStatement(QStringLiteral("2024"), m),
                      QStringLiteral("月份"));
    QCOMPARE(view.bars(), expected);
    QVERIFY(view.isActive());
}

void TestChart::axesAndDeactivation() {
    test::TestEnv env;
    db::Connection c;
    c.open(mainConnectionString());
    c.execBound(QStringLiteral("INSERT INTO data1 (a,day1,a5) VALUES ('x','2024-03-02',5)"), {});
    chart::SalesBarChart view(&c, QStringLiteral("月销售报表统计"), 12, QStringLiteral("月"));
    view.runQuery(chart::monthlyChartStatement(QStringLiteral("2024"), SalesMeasure::Profit),
                  QStringLiteral("月份"));
    QCOMPARE(view.title(), QStringLiteral("月销售报表统计"));
    QVERIFY(!view.chart()->legend()->isVisible());
    const auto axes = view.chart()->axes(Qt::Horizontal);
    QCOMPARE(axes.size(), 1);
    auto* x = qobject_cast<QCategoryAxis*>(axes.first());
    QCOMPARE(x->min(), 0.0);
    QCOMPARE(x->max(), 12.0);
    QCOMPARE(x->categoriesLabels().size(), 13);
    QCOMPARE(x->categoriesLabels().at(5), QStringLiteral("5月"));
    QCOMPARE(x->endValue(QStringLiteral("5月")), 5.0);
    QVERIFY(!x->isGridLineVisible());
    QVERIFY(!view.chart()->axes(Qt::Vertical).first()->isGridLineVisible());
    auto* series = qobject_cast<QBarSeries*>(view.chart()->series().first());
    QCOMPARE(series->barWidth(), 0.15);
    QCOMPARE(series->barSets().first()->at(3), 5.0);
    view.deactivate();
    QVERIFY(!view.isActive());
    QVERIFY(view.bars().isEmpty());
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
