#include "waybill/Calibration.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace tolvi {
namespace {

double tidy(double value, double fallback, double lo, double hi) {
    if (!std::isfinite(value))
        return fallback;
    // Rounding to tenths keeps stored texts short and equal to what the
    // window's boxes show; +0.0 turns a rounded -0.0 into 0.
    return std::round(std::clamp(value, lo, hi) * 10) / 10 + 0.0;
}

QString number(double v) {
    return QString::number(v, 'f', 1);
}

} // namespace

bool PrintCalibration::isIdentity() const {
    return *this == PrintCalibration{};
}

PrintCalibration PrintCalibration::clamped() const {
    PrintCalibration c;
    c.offsetXMm = tidy(offsetXMm, 0, -kMaxOffsetMm, kMaxOffsetMm);
    c.offsetYMm = tidy(offsetYMm, 0, -kMaxOffsetMm, kMaxOffsetMm);
    c.scaleXPercent = tidy(scaleXPercent, 100, kMinScalePercent, kMaxScalePercent);
    c.scaleYPercent = tidy(scaleYPercent, 100, kMinScalePercent, kMaxScalePercent);
    return c;
}

QTransform PrintCalibration::transform() const {
    return QTransform(scaleXPercent / 100, 0, 0, scaleYPercent / 100, offsetXMm, offsetYMm);
}

QString PrintCalibration::toText() const {
    return QStringList{number(offsetXMm), number(offsetYMm), number(scaleXPercent),
                       number(scaleYPercent)}
        .join(QLatin1Char(';'));
}

std::optional<PrintCalibration> PrintCalibration::fromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() != 4)
        return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return std::nullopt;
    }
    return PrintCalibration{v[0], v[1], v[2], v[3]}.clamped();
}

} // namespace tolvi
