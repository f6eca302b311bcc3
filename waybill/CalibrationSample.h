#pragma once
// A private single-waybill report placed for one courier, with sample texts:
// it tells where the single run puts the band and each item on the paper, and
// paints the sample waybill for the calibration preview. The program's own
// reports are never touched.

#include "report/ReportRenderer.h"
#include "waybill/Calibration.h"
#include "waybill/Courier.h"
#include "waybill/WaybillItem.h"

#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <array>
#include <memory>
#include <optional>

class QPainter;

namespace tolvi {

class TForm8;

QString waybillItemCaption(WaybillItem item); // "寄件人姓名", …

class CalibrationSample {
public:
    CalibrationSample();
    ~CalibrationSample();
    CalibrationSample(const CalibrationSample&) = delete;
    CalibrationSample& operator=(const CalibrationSample&) = delete;

    void setCourier(Courier courier);
    Courier courier() const { return courier_; }

    QPageLayout pageLayout() const; // the sheet, with no margins
    QSizeF paperMm() const;
    QRectF bandRectMm() const; // on the paper, as laid out without calibration
    // Where the item's top-left corner lands on the paper; nullopt for an item
    // the courier's table gives no position.
    std::optional<QPointF> itemPositionMm(WaybillItem item, const PrintCalibration& c) const;
    // The sample waybill as a calibrated single run would print it.
    void paint(QPainter& painter, const PrintCalibration& c) const;

private:
    Courier courier_ = Courier::STO;
    std::unique_ptr<TForm8> form_;
    std::shared_ptr<const report::ReportSnapshot> snapshot_;
};

} // namespace tolvi
