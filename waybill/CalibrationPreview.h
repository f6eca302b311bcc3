#pragma once
// Live preview of a calibration: the lower part of the sheet that holds the
// single waybill, over a millimetre grid, with sample texts where the
// calibrated run prints them, the uncalibrated positions in grey, and the
// printer's unprintable margins shaded.

#include "waybill/Calibration.h"
#include "waybill/CalibrationSample.h"

#include <QMarginsF>
#include <QWidget>

namespace tolvi {

class CalibrationPreview : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationPreview(QWidget* parent = nullptr);

    void setCourier(Courier courier);
    void setCalibration(const PrintCalibration& c);
    void setUnprintableMargins(const QMarginsF& marginsMm);
    const CalibrationSample& sample() const { return sample_; }
    QPageSize paper() const { return sample_.pageLayout().pageSize(); }
    // The part of the sheet shown, in millimetres from its top-left corner.
    QRectF shownAreaMm() const;

    QSize sizeHint() const override { return {760, 400}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CalibrationSample sample_;
    PrintCalibration calibration_;
    QMarginsF margins_;
};

} // namespace tolvi
