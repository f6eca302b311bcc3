#pragma once
// Number texts of the sales detail window: parsed as the platform parses
// them (an unparsable text ends the command with its conversion error) and
// written back in the general or the "0.00" form.

#include "data/db/DbError.h"

#include <QLocale>
#include <QString>

namespace tolvi::xstj {

inline double parseNumber(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw db::DbError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

// Shortest decimal text with up to 15 significant digits.
inline QString generalNumber(double v) {
    return QString::number(v, 'g', 15);
}

inline QString fixed2(double v) {
    return QString::number(v, 'f', 2);
}

} // namespace tolvi::xstj
