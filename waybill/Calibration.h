#pragma once
// A printer's correction for one courier's pre-printed form: how far and how
// much stretched the printer lands the texts compared with the courier's
// layout table. Offsets in millimetres, scales in percent; the identity (no
// offset, 100 %) leaves every position exactly as the layout gives it.

#include <QString>
#include <QTransform>
#include <optional>

namespace tolvi {

struct PrintCalibration {
    static constexpr double kMaxOffsetMm = 20.0;
    static constexpr double kMinScalePercent = 90.0;
    static constexpr double kMaxScalePercent = 110.0;

    double offsetXMm = 0;
    double offsetYMm = 0;
    double scaleXPercent = 100;
    double scaleYPercent = 100;

    bool isIdentity() const;
    // Within the allowed ranges and rounded to the 0.1 steps of the window;
    // a value that is not a number falls back to none.
    PrintCalibration clamped() const;
    // Maps millimetres from the band's top-left corner: scaled about that
    // corner, then moved by the offsets.
    QTransform transform() const;

    // "dx;dy;sx;sy" as stored in the settings.
    QString toText() const;
    // Refuses anything but four numbers; out-of-range numbers are clamped.
    static std::optional<PrintCalibration> fromText(const QString& text);

    bool operator==(const PrintCalibration&) const = default;
};

} // namespace tolvi
