#pragma once
// Font set-up of the report engine: the reports are designed in 宋体, which
// only Windows has; elsewhere an installed CJK font stands in, so that wrapping
// and clipping measure the font that is actually drawn (and embedded in a PDF).

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

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

// Text is laid out in twentieths of a millimetre with a font resolved against a
// fixed 508 dpi reference, so that measurement does not depend on the device
// (screen, printer or PDF). The unit keeps report glyphs under 256 pixels:
// FreeType glyphs larger than that are not cached by Qt and would be reloaded
// for every text shaped.
inline constexpr double kTextUnitsPerMm = 20.0;
QFont layoutFont(const ReportFont& font);

// Draws one line of text with its top-left corner at a point in text units.
// QPainter::setFont would resolve a layout font against the painted device
// and change its size, so the text is drawn through a layout instead.
void drawLayoutText(QPainter& p, const QPointF& topLeft, const QString& text, const QFont& font);

} // namespace tolvi::report
