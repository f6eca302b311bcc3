#include "waybill/CalibrationPage.h"

#include "waybill/CalibrationDrawing.h"
#include "waybill/CalibrationSample.h"

#include <QPainter>
#include <QPen>
#include <memory>

namespace tolvi {
namespace {

QString signedMm(double v) {
    return (v > 0 ? QStringLiteral("+") : QString()) + QString::number(v, 'f', 1);
}

void paintPage(QPainter& p, const CalibrationSample& sample, const PrintCalibration& c,
               const QString& printerName) {
    const QSizeF paper = sample.paperMm();
    p.fillRect(QRectF(QPointF(0, 0), paper), Qt::white);
    paintMillimetreGrid(p, QRectF(QPointF(0, 0), paper), 12, 12);

    // The explanation on white, so the grid does not get in the way of reading it.
    p.fillRect(QRectF(20, 18, 172, 36), Qt::white);
    const QColor ink(20, 20, 20);
    paintTextMm(p, {22, 20}, QStringLiteral("打印校准页"), 5, ink, true);
    paintTextMm(
        p, {22, 28},
        QStringLiteral("打印机：%1    快递：%2").arg(printerName, courierCaption(sample.courier())),
        3, ink);
    paintTextMm(
        p, {22, 33},
        QStringLiteral("水平偏移 %1 毫米    垂直偏移 %2 毫米    水平缩放 %3%    垂直缩放 %4%")
            .arg(signedMm(c.offsetXMm), signedMm(c.offsetYMm))
            .arg(c.scaleXPercent, 0, 'f', 1)
            .arg(c.scaleYPercent, 0, 'f', 1),
        3, ink);
    paintTextMm(p, {22, 40},
                QStringLiteral("十字线是单张打印时各栏文字的左上角（已含上面的校准值）。"), 3, ink);
    paintTextMm(
        p, {22, 45},
        QStringLiteral("把本页叠在空白面单上对着光看：面单栏位在十字线右边或下边多少毫米，"), 3,
        ink);
    paintTextMm(p, {22, 50}, QStringLiteral("就把水平或垂直偏移加上多少（左边、上边为减）。"), 3,
                ink);

    // The waybill band as the calibration moves it.
    const QRectF band = sample.bandRectMm();
    const QTransform t = c.transform();
    const QRectF moved(band.topLeft() + t.map(QPointF(0, 0)),
                       band.topLeft() + t.map(QPointF(band.width(), band.height())));
    QPen dashed(QColor(200, 60, 60));
    dashed.setWidthF(0.2);
    dashed.setStyle(Qt::DashLine);
    p.save();
    p.setPen(dashed);
    p.drawRect(moved);
    p.restore();

    for (WaybillItem item : kAllWaybillItems) {
        const auto at = sample.itemPositionMm(item, c);
        if (!at)
            continue;
        paintCrosshair(p, *at, 4, QColor(200, 0, 0));
        paintTextMm(p, *at + QPointF(kCrosshairCaptionDxMm, kCrosshairCaptionDyMm),
                    waybillItemCaption(item), 2.5, QColor(200, 0, 0));
    }
}

} // namespace

PageSource calibrationPageSource(Courier courier, const PrintCalibration& c,
                                 const QString& printerName) {
    auto sample = std::make_shared<CalibrationSample>();
    sample->setCourier(courier);
    const PrintCalibration value = c.clamped();
    PageSource pages;
    pages.layout = sample->pageLayout();
    pages.layout.setMode(QPageLayout::FullPageMode);
    pages.pageCount = 1;
    pages.title = QStringLiteral("打印校准页");
    pages.paintPage = [sample, value, printerName](QPainter& p, int) {
        paintPage(p, *sample, value, printerName);
    };
    return pages;
}

} // namespace tolvi
