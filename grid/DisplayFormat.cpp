#include "grid/DisplayFormat.h"

#include <QStringList>
#include <cmath>

namespace tolvi::grid {
namespace {

bool isNumberType(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

QStringList splitSections(const QString& format) {
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar ch : format) {
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
        } else if (ch == QLatin1Char('"') || ch == QLatin1Char('\'')) {
            quote = ch;
        } else if (ch == QLatin1Char(';')) {
            sections.append(current);
            current.clear();
            continue;
        }
        current.append(ch);
    }
    sections.append(current);
    return sections;
}

struct Pattern {
    QString prefix;
    QString suffix;
    int intZeros = 0;
    int fracZeros = 0;
    int fracMax = 0;
    bool thousands = false;
    bool hasDigits = false;
};

bool isPlaceholder(QChar ch) {
    return ch == QLatin1Char('0') || ch == QLatin1Char('#') || ch == QLatin1Char('.') ||
           ch == QLatin1Char(',');
}

Pattern parse(const QString& section) {
    Pattern p;
    bool afterPoint = false;
    bool inDigits = false;
    bool digitsDone = false;
    QChar quote;
    for (const QChar ch : section) {
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
            else
                (inDigits || digitsDone ? p.suffix : p.prefix).append(ch);
            continue;
        }
        if (ch == QLatin1Char('"') || ch == QLatin1Char('\'')) {
            quote = ch;
            if (inDigits) {
                inDigits = false;
                digitsDone = true;
            }
            continue;
        }
        if (isPlaceholder(ch) && !digitsDone) {
            inDigits = true;
            p.hasDigits = true;
            if (ch == QLatin1Char('.')) {
                afterPoint = true;
            } else if (ch == QLatin1Char(',')) {
                if (!afterPoint)
                    p.thousands = true;
            } else if (afterPoint) {
                ++p.fracMax;
                if (ch == QLatin1Char('0'))
                    p.fracZeros = p.fracMax;
            } else if (ch == QLatin1Char('0')) {
                ++p.intZeros;
            }
            continue;
        }
        if (inDigits) {
            inDigits = false;
            digitsDone = true;
        }
        (digitsDone ? p.suffix : p.prefix).append(ch);
    }
    return p;
}

QString group(const QString& digits) {
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(QLatin1Char(','));
        out.append(digits.at(i));
    }
    return out;
}

// Rounds a non-negative value half up to the given decimals, on its shortest
// 15-digit decimal form, so 1.2345 gives 1.235 as a person expects rather than
// the 1.234 its binary value would round to. Returns integer and fraction digits.
std::pair<QString, QString> roundDecimal(double magnitude, int decimals) {
    const QString e = QString::number(magnitude, 'e', 14); // d.dddddddddddddde±x
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    QString digits = e.left(ePos);
    digits.remove(QLatin1Char('.'));
    const int pointPos = e.mid(ePos + 1).toInt() + 1; // digits before the point
    QString intPart;
    QString frac;
    if (magnitude == 0.0) {
        intPart = QStringLiteral("0");
    } else if (pointPos <= 0) {
        intPart = QStringLiteral("0");
        frac = QString(-pointPos, QLatin1Char('0')) + digits;
    } else if (pointPos >= digits.size()) {
        intPart = digits + QString(pointPos - digits.size(), QLatin1Char('0'));
    } else {
        intPart = digits.left(pointPos);
        frac = digits.mid(pointPos);
    }
    if (frac.size() > decimals) {
        const bool up = frac.at(decimals) >= QLatin1Char('5');
        frac.truncate(decimals);
        if (up) {
            QString all = intPart + frac;
            qsizetype i = all.size() - 1;
            for (; i >= 0; --i) {
                if (all.at(i) == QLatin1Char('9')) {
                    all[i] = QLatin1Char('0');
                } else {
                    all[i] = QChar(all.at(i).unicode() + 1);
                    break;
                }
            }
            if (i < 0)
                all.prepend(QLatin1Char('1'));
            intPart = all.left(all.size() - frac.size());
            frac = all.right(frac.size());
        }
    }
    while (intPart.size() > 1 && intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    while (frac.size() < decimals)
        frac.append(QLatin1Char('0'));
    return {intPart, frac};
}

// Formats a non-negative value; sets zero when it rounds to nothing.
QString apply(const Pattern& p, double magnitude, bool* roundsToZero) {
    if (!p.hasDigits) {
        *roundsToZero = false;
        return p.prefix + p.suffix;
    }
    auto [intPart, frac] = roundDecimal(magnitude, p.fracMax);
    while (frac.size() > p.fracZeros && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    bool allZero = intPart == QLatin1String("0");
    for (const QChar ch : frac)
        if (ch != QLatin1Char('0'))
            allZero = false;
    *roundsToZero = allZero;
    if (intPart == QLatin1String("0"))
        intPart.clear();
    while (intPart.size() < p.intZeros)
        intPart.prepend(QLatin1Char('0'));
    if (p.thousands)
        intPart = group(intPart);
    QString out = p.prefix + intPart;
    if (!frac.isEmpty())
        out += QLatin1Char('.') + frac;
    return out + p.suffix;
}

} // namespace

QString formatNumber(double value, const QString& format) {
    if (!std::isfinite(value))
        return QString::number(value);
    if (format.isEmpty())
        return QString::number(value, 'g', 15);
    const QStringList sections = splitSections(format);
    if (value == 0.0 && sections.size() > 2 && !sections.at(2).isEmpty()) {
        bool zero = false;
        return apply(parse(sections.at(2)), 0.0, &zero);
    }
    if (value < 0 && sections.size() > 1 && !sections.at(1).isEmpty()) {
        bool zero = false;
        return apply(parse(sections.at(1)), -value, &zero);
    }
    bool zero = false;
    const QString text = apply(parse(sections.at(0)), std::fabs(value), &zero);
    return value < 0 && !zero ? QLatin1Char('-') + text : text;
}

QString displayText(const QVariant& value, const QString& format) {
    if (value.isNull() || !value.isValid())
        return {};
    if (isNumberType(value)) {
        if (format.isEmpty() && value.typeId() != QMetaType::Double &&
            value.typeId() != QMetaType::Float)
            return value.toString();
        return formatNumber(value.toDouble(), format);
    }
    QString text = value.toString();
    if (!format.isEmpty()) {
        bool ok = false;
        const double d = text.trimmed().toDouble(&ok);
        if (ok)
            return formatNumber(d, format);
    }
    for (QChar& ch : text)
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QLatin1Char('\t'))
            ch = QLatin1Char(' ');
    return text;
}

double numericValue(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return 0.0;
    if (isNumberType(value))
        return value.toDouble();
    bool ok = false;
    const double d = value.toString().trimmed().toDouble(&ok);
    return ok ? d : 0.0;
}

} // namespace tolvi::grid
