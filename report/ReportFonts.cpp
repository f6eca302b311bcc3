#include "report/ReportFonts.h"

#include <QStringList>
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

QFont layoutFont(const ReportFont& font) {
    initReportFonts();
    QFont f(font.family);
    const double mm = font.pointSize * 25.4 / 72.0;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(mm * kTextUnitsPerMm))));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    // Unhinted outlines keep the advances identical on every device.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

} // namespace tolvi::report
