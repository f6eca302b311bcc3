#include "report/ReportItem.h"

namespace tolvi::report {

QStringList ReportItem::lines() const {
    return text_.split(QLatin1Char('\n'));
}

void ReportItem::setLines(const QString& text) {
    // Windows, old Mac and Unix line breaks all start a new line.
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text_ = t;
}

} // namespace tolvi::report
