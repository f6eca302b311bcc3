#include "sales/AmountInCapitals.h"

#include "platform/Gbk.h"
#include "platform/Platform.h"

namespace tolvi {
namespace {

const QString kReadError = QStringLiteral("读取错误，应为数字");

QString digitCapital(QChar d) {
    static const QString kDigits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
    return kDigits.at(d.digitValue());
}

bool isGroupPlace(int p) {
    return p > 4 && (p + 1) % 4 == 0;
}

QString placeUnit(int p) {
    switch (p) {
    case 1:
        return QStringLiteral("分");
    case 2:
        return QStringLiteral("角");
    case 3:
        return {}; // "元" follows every units digit
    case 7:
        return QStringLiteral("万");
    case 11:
        return QStringLiteral("亿");
    case 15:
        return QStringLiteral("万亿");
    case 19:
        return QStringLiteral("亿亿");
    case 23:
        return QStringLiteral("万亿亿");
    case 27:
        return QStringLiteral("亿亿亿");
    }
    switch (p % 4) {
    case 0:
        return QStringLiteral("拾");
    case 1:
        return QStringLiteral("佰");
    default:
        return QStringLiteral("仟");
    }
}

// The amount in fen as digits without leading zeros ("" for zero). Exact on
// the text: the integer part, then the first two decimals padded with "0".
QString amountInFen(const QString& integerPart, const QString& decimals) {
    QString fen = integerPart + (decimals + QStringLiteral("00")).left(2);
    qsizetype lead = 0;
    while (lead < fen.size() && fen.at(lead) == QLatin1Char('0'))
        ++lead;
    return fen.mid(lead);
}

QString capitalsOfFen(const QString& d) {
    QString out;
    bool zeroPending = false;
    bool groupUnitAllowed = true;
    const auto len = int(d.size());
    for (int i = 0; i < len; ++i) {
        const int p = len - i;
        const QChar digit = d.at(i);
        if (digit != QLatin1Char('0')) {
            if (zeroPending)
                out += QStringLiteral("零");
            out += digitCapital(digit) + placeUnit(p);
            zeroPending = false;
            groupUnitAllowed = !isGroupPlace(p);
        } else {
            zeroPending = true;
            if (isGroupPlace(p) && groupUnitAllowed) {
                out += placeUnit(p);
                zeroPending = false;
                groupUnitAllowed = false;
            }
        }
        if (p == 3) {
            out += QStringLiteral("元");
            zeroPending = false;
        }
    }
    if (d.endsWith(QStringLiteral("00")))
        out += QStringLiteral("整");
    return out;
}

} // namespace

CapitalsResult convertAmountInCapitals(const QString& amount) {
    CapitalsResult r;
    const QByteArray bytes = gbk::encode(amount);
    for (const char c : bytes) {
        if (c != '.' && (c < '0' || c > '9')) {
            r.messages << QString::number(static_cast<unsigned char>(c)) << kReadError;
            return r;
        }
    }
    const auto dots = bytes.count('.');
    if (dots > 1) {
        r.messages << kReadError;
        return r;
    }
    const auto dot = amount.indexOf(QLatin1Char('.'));
    const QString integerPart = dot < 0 ? amount : amount.left(dot);
    const QString decimals = dot < 0 ? QString() : amount.mid(dot + 1);
    const QString fen = amountInFen(integerPart, decimals);
    if (fen.size() > kMaxCapitalsIntegerDigits + 2) {
        r.messages << QStringLiteral("金额太大，整数部分最多%1位").arg(kMaxCapitalsIntegerDigits);
        return r;
    }
    r.ok = true;
    if (!fen.isEmpty())
        r.text = capitalsOfFen(fen);
    return r;
}

QString amountInCapitals(const QString& amount, QWidget* parent) {
    const CapitalsResult r = convertAmountInCapitals(amount);
    for (const QString& m : r.messages)
        platform().information(parent, m);
    return r.text;
}

} // namespace tolvi
