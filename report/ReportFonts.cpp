#include "report/ReportFonts.h"

#include <QImage>
#include <QStringList>
#include <QTextLayout>
#include <cmath>
#include <mutex>

namespace tolvi::report {

QString songtiFamily() {
#ifdef Q_OS_WIN
    return QStringLiteral("SimSun");
#else
    return QStringLiteral("WenQuanYi Zen Hei");
#endif
}

void initReportFonts() {
    static std::once_flag once;
    std::call_once(once, [] {
        const QString family = songtiFamily();
        for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                    QStringLiteral("新宋体"), QStringLiteral("NSimSun")}) {
            if (name != family && !QFont::substitutes(name).contains(family))
                QFont::insertSubstitution(name, family);
        }
    });
}

namespace {

// A device whose resolution is exactly kTextUnitsPerMm pixels per millimetre,
// so a point size resolves to its fractional pixel size without rounding.
const QPaintDevice& referenceDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = static_cast<int>(std::lround(kTextUnitsPerMm * 1000));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

} // namespace

QFont layoutFont(const ReportFont& font) {
    initReportFonts();
    QFont base(font.family);
    base.setPointSizeF(std::max(0.1, font.pointSize));
    QFont f(base, &referenceDevice());
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    // Unhinted outlines keep the advances identical on every device.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

void drawLayoutText(QPainter& p, const QPointF& topLeft, const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setNumColumns(static_cast<int>(text.size()));
    layout.endLayout();
    layout.draw(&p, topLeft);
}

} // namespace tolvi::report
