#include "chart/SalesChartQueries.h"

#include "data/Mylib.h"

namespace tolvi::chart {
namespace {

QString sumOf(SalesMeasure measure) {
    return measure == SalesMeasure::Profit ? QStringLiteral("sum(a5)") : QStringLiteral("sum([4])");
}

} // namespace

QString monthlyChartStatement(const QString& year, SalesMeasure measure) {
    return QStringLiteral("select month([day1]) as 月份,") + sumOf(measure) +
           QStringLiteral(" as 总量 from data1 where year([day1])='") + sqlText(year) +
           QStringLiteral("' group by month([day1])");
}

QString dailyChartStatement(const QString& year, const QString& month, SalesMeasure measure) {
    return QStringLiteral("select day([day1]) as 日期,") + sumOf(measure) +
           QStringLiteral(" as 总量 from data1 where month([day1])='") + sqlText(month) +
           QStringLiteral("' and year([day1])='") + sqlText(year) +
           QStringLiteral("'  group by day1 order by day1");
}

} // namespace tolvi::chart
