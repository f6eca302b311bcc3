#pragma once
// Report pixels: the designer's unit, one pixel of the report surface at 100 %
// zoom. On paper a report pixel is 25.4 / R millimetres, R being the display's
// logical resolution.

namespace tolvi::report {

inline constexpr double kDefaultResolution = 96.0;

// The primary display's logical resolution in pixels per inch, or 96 when the
// program runs without a display.
double displayResolution();

inline double pxToMm(double px, double resolution) {
    return px * 25.4 / (resolution > 0 ? resolution : kDefaultResolution);
}

} // namespace tolvi::report
