#include "chart/SalesBarChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace tolvi::chart {

SalesBarChart::SalesBarChart(db::Connection* connection, const QString& title, int axisMax,
                             const QString& unit, QWidget* parent)
    : QChartView(parent), query_(std::make_unique<db::Dataset>(connection)), axisMax_(axisMax) {
    auto* c = new QChart;
    c->setTitle(title);
    c->setAnimationOptions(QChart::NoAnimation);
    c->legend()->hide();
    setChart(c);
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(title);

    // One slot per whole x value, so that a bar stands at its month or day.
    set_ = new QBarSet(title);
    set_->setColor(QColor(0, 102, 204));
    series_ = new QBarSeries;
    series_->append(set_);
    series_->setBarWidth(0.15);
    // The values above the bars; a hidden marker carries each label.
    labels_ = new QScatterSeries;
    labels_->setMarkerSize(1);
    labels_->setColor(Qt::transparent);
    labels_->setBorderColor(Qt::transparent);
    labels_->setPointLabelsVisible(true);
    labels_->setPointLabelsFormat(QStringLiteral("@yPoint"));
    labels_->setPointLabelsClipping(false);
    c->addSeries(series_);
    c->addSeries(labels_);

    // The labels ("5月") are categories at each whole value: a value axis's
    // printf-style label format cannot carry the Chinese unit.
    auto* axisX = new QCategoryAxis;
    // Days are labelled every other one, so that each label has room.
    const int step = axisMax > 12 ? 2 : 1;
    for (int i = 0; i <= axisMax; i += step)
        axisX->append(QString::number(i) + unit, i);
    axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisX->setRange(0, axisMax);
    QFont small = axisX->labelsFont();
    small.setPointSizeF(8);
    axisX->setLabelsFont(small);
    axisX_ = axisX;
    axisY_ = new QValueAxis;
    axisY_->setLabelFormat(QStringLiteral("%g"));
    c->addAxis(axisX_, Qt::AlignBottom);
    c->addAxis(axisY_, Qt::AlignLeft);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(series_), static_cast<QAbstractSeries*>(labels_)}) {
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
    }
    redraw();
}

SalesBarChart::~SalesBarChart() = default;

QString SalesBarChart::title() const {
    return chart()->title();
}

bool SalesBarChart::isActive() const {
    return query_->isOpen();
}

void SalesBarChart::runQuery(const QString& statement, const QString& xField) {
    chart()->legend()->hide();
    axisX_->setGridLineVisible(false);
    axisY_->setGridLineVisible(false);
    query_->close();
    query_->setSql(statement);
    query_->open();
    bars_.clear();
    const int xi = query_->fieldIndex(xField);
    const int vi = query_->fieldIndex(QStringLiteral("总量"));
    for (int r = 0; r < query_->recordCount(); ++r) {
        const QVariant x = xi >= 0 ? query_->value(r, xi) : QVariant();
        if (x.isNull())
            continue; // a sale without a readable date has no place on the axis
        bars_.append(QPointF(x.toDouble(), vi >= 0 ? query_->value(r, vi).toDouble() : 0));
    }
    redraw();
}

void SalesBarChart::deactivate() {
    query_->close();
    bars_.clear();
    redraw();
}

void SalesBarChart::redraw() {
    QList<qreal> heights(axisMax_ + 1, 0);
    labels_->clear();
    double top = 0, low = 0;
    for (const QPointF& b : bars_) {
        const int slot = static_cast<int>(std::lround(b.x()));
        if (slot < 0 || slot > axisMax_)
            continue;
        heights[slot] += b.y();
        top = std::max(top, heights[slot]);
        low = std::min(low, heights[slot]);
    }
    set_->remove(0, set_->count());
    set_->append(heights);
    for (int slot = 0; slot <= axisMax_; ++slot)
        if (heights[slot] != 0)
            labels_->append(slot, heights[slot]);
    axisY_->setRange(low, top > 0 ? top * 1.15 : 1);
    axisY_->applyNiceNumbers();
    axisX_->setGridLineVisible(false);
    axisY_->setGridLineVisible(false);
}

} // namespace tolvi::chart
