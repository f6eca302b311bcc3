#pragma once
// A money amount written in Chinese financial capitals (贰仟叁佰肆拾伍元陆角柒分).

#include <QString>
#include <QStringList>

class QWidget;

namespace tolvi {

struct CapitalsResult {
    bool ok = false;
    QString text;         // the capitals; empty for a zero amount or a refused text
    QStringList messages; // what to tell the user when the text was refused
};

// Largest integer part that has place units (places above 30 have none).
inline constexpr int kMaxCapitalsIntegerDigits = 28;

// The amount text may hold digits and one "."; decimals beyond the second are
// dropped, not rounded.
CapitalsResult convertAmountInCapitals(const QString& amount);

// Same, showing the messages of a refused text as plain message boxes; returns
// the capitals or the empty text.
QString amountInCapitals(const QString& amount, QWidget* parent = nullptr);

} // namespace tolvi
