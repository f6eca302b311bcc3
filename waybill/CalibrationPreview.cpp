#include "waybill/CalibrationPreview.h"

#include "waybill/CalibrationDrawing.h"

#include <QPainter>
#include <algorithm>

namespace tolvi {

CalibrationPreview::CalibrationPreview(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("校准预览"));
    setMinimumSize(480, 260);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CalibrationPreview::setCourier(Courier courier) {
    sample_.setCourier(courier);
    update();
}

void CalibrationPreview::setCalibration(const PrintCalibration& c) {
    calibration_ = c.clamped();
    update();
}

void CalibrationPreview::setUnprintableMargins(const QMarginsF& marginsMm) {
    margins_ = marginsMm;
    update();
}

QRectF CalibrationPreview::shownAreaMm() const {
    // The waybill sits on the lower edge: show it with room for the largest
    // upward offset, down to the paper's edge.
    const QSizeF paper = sample_.paperMm();
    const double top =
        std::max(0.0, sample_.bandRectMm().top() - PrintCalibration::kMaxOffsetMm - 2);
    return QRectF(0, top, paper.width(), paper.height() - top);
}

void CalibrationPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    const QRectF area = shownAreaMm();
    if (area.isEmpty())
        return;
    const double border = 8;
    const double scale =
        std::min((width() - 2 * border) / area.width(), (height() - 2 * border) / area.height());
    if (scale <= 0)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate((width() - area.width() * scale) / 2, (height() - area.height() * scale) / 2);
    p.scale(scale, scale);
    p.translate(-area.topLeft());
    p.setClipRect(area);

    p.fillRect(area, Qt::white);
    paintMillimetreGrid(p, area, area.top() + 0.5, 0.5);
    QPen band(QColor(150, 150, 150));
    band.setWidthF(0.2);
    band.setStyle(Qt::DashLine);
    p.setPen(band);
    p.drawRect(sample_.bandRectMm());
    for (WaybillItem item : kAllWaybillItems)
        if (const auto at = sample_.itemPositionMm(item, PrintCalibration{}))
            paintCrosshair(p, *at, 3, QColor(150, 150, 150));
    sample_.paint(p, calibration_);
    for (WaybillItem item : kAllWaybillItems)
        if (const auto at = sample_.itemPositionMm(item, calibration_))
            paintCrosshair(p, *at, 3, QColor(210, 0, 0));
    shadeUnprintable(p, sample_.paperMm(), margins_);
}

} // namespace tolvi
