#include "report/ReportUnits.h"

#include <QGuiApplication>
#include <QScreen>

namespace tolvi::report {

double displayResolution() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const double dpi = screen->logicalDotsPerInch();
            if (dpi > 0)
                return dpi;
        }
    }
    return kDefaultResolution;
}

} // namespace tolvi::report
