#pragma once
// The calibration page: a millimetre grid over the whole sheet with a
// crosshair where the single run puts each of the courier's items (with the
// calibration given applied). Laid over a blank form against the light, it
// shows how far the printer misses each field.

#include "platform/Platform.h"
#include "waybill/Calibration.h"
#include "waybill/Courier.h"

namespace tolvi {

class CalibrationSample;

// Painted in millimetres from the paper's physical edge, on every printer.
PageSource calibrationPageSource(Courier courier, const PrintCalibration& c,
                                 const QString& printerName);

// How far from its crosshair each item's caption is written on the page.
inline constexpr double kCrosshairCaptionDxMm = 1.2;
inline constexpr double kCrosshairCaptionDyMm = 0.8;

} // namespace tolvi
