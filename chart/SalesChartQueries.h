#pragma once
// The statements behind the monthly and daily sales charts: one row per
// month or day with its total (总量) of profit (a5) or sales amount ([4]).

#include <QString>

namespace tolvi::chart {

enum class SalesMeasure { Profit, Amount };

QString monthlyChartStatement(const QString& year, SalesMeasure measure);
QString dailyChartStatement(const QString& year, const QString& month, SalesMeasure measure);

} // namespace tolvi::chart
