#pragma once
// The POS receipt: its lines at their printer device coordinates, the page
// that paints them, and the print on the default printer with a 250 mm
// user-defined paper.

#include "platform/Platform.h"

#include <QDateTime>
#include <QList>
#include <QString>

class QPrinter;

namespace tolvi::xstj {

struct ReceiptItem {
    QString name, quantity, amount;
};

struct ReceiptInput {
    QList<ReceiptItem> items; // the filled slip lines, in order
    QString cash, total, change;
    QString operatorName;
    QString company, address;
    QDateTime now;
};

struct ReceiptLine {
    int y = 0; // printer device units from the top of the page; x is 0
    QString text;
    bool heading = false; // 10 point bold; the others 8 point
};

QList<ReceiptLine> receiptLines(const ReceiptInput& input);

inline constexpr double kReceiptPaperLengthMm = 250;

// The receipt page for a printer of that resolution (device units per inch)
// and paper width.
PageSource receiptPages(const QList<ReceiptLine>& lines, double dotsPerInch, double paperWidthMm);

// Sets the printer's paper to the user-defined size of 250 mm length (its
// width kept) and prints the receipt on it through the platform.
bool printReceipt(QPrinter& printer, const ReceiptInput& input);

} // namespace tolvi::xstj
