#pragma once
// Font set-up of the report engine: the reports are designed in 宋体, which
// only Windows has; elsewhere an installed CJK font stands in, so that wrapping
// and clipping measure the font that is actually drawn (and embedded in a PDF).

#include <QFont>
#include <QString>

namespace tolvi::report {

// Installs the substitutions for 宋体/SimSun once; later calls do nothing.
void initReportFonts();

// The family that stands in for 宋体 on this system.
QString songtiFamily();

// Style of a report text, in the designer's terms.
struct ReportFont {
    QString family = QStringLiteral("宋体");
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// Text is laid out in hundredths of a millimetre with a pixel-sized font, so
// that measurement does not depend on the device (screen, printer or PDF).
inline constexpr double kTextUnitsPerMm = 100.0;
QFont layoutFont(const ReportFont& font);

} // namespace tolvi::report
