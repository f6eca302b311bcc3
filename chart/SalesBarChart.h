#pragma once
// A bar chart fed by a query: one bar per result row, placed at the row's x
// value (month or day) on a numeric bottom axis and as high as its total,
// with the value written above it. No legend, no grid lines, flat bars.

#include "data/db/Dataset.h"

#include <QChartView>
#include <QList>
#include <QPointF>
#include <memory>

class QBarSeries;
class QBarSet;
class QScatterSeries;
class QValueAxis;

namespace tolvi::chart {

class SalesBarChart : public QChartView {
    Q_OBJECT
public:
    // axisMax: the bottom axis runs from 0 to it, labelled at every whole
    // value with the unit after the number ("5月").
    SalesBarChart(db::Connection* connection, const QString& title, int axisMax,
                  const QString& unit, QWidget* parent = nullptr);
    ~SalesBarChart() override;

    // Opens the query and draws its rows: x from xField, height from 总量.
    void runQuery(const QString& statement, const QString& xField);
    // Closes the query and empties the chart.
    void deactivate();
    bool isActive() const;

    // The bars drawn: x and height, in the query's order.
    const QList<QPointF>& bars() const { return bars_; }
    QString title() const;
    db::Dataset* query() const { return query_.get(); }

private:
    void redraw();

    std::unique_ptr<db::Dataset> query_;
    int axisMax_;
    QBarSeries* series_;
    QBarSet* set_;
    QScatterSeries* labels_;
    QValueAxis* axisX_; // a category axis with a label at each whole value
    QValueAxis* axisY_;
    QList<QPointF> bars_;
};

} // namespace tolvi::chart
