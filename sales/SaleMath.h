#pragma once
// The arithmetic of one sale and the number texts the sales panel writes back,
// kept free of widgets so it can be checked on its own.

#include <QDate>
#include <QString>
#include <optional>

namespace tolvi {

// Shortest decimal text with up to 15 significant digits ("general").
QString generalNumber(double value);
// Two decimals, rounded ("0.00").
QString fixed2(double value);
// A typed number ("." as separator, surrounding blanks ignored); nullopt when
// the text is empty or no number.
std::optional<double> parseSaleNumber(const QString& text);
// A date typed or stored as yyyy-mm-dd, optionally followed by a time.
std::optional<QDate> parseSaleDate(const QString& text);

struct SaleFigures {
    QString salesAmount;      // P × Q, general
    QString newSalesAmount;   // P × Q + A0, general
    QString newStockQuantity; // S − Q, "0.00"
    QString newStockAmount;   // (S − Q) × B, general
    QString newQuantitySold;  // Q0 + Q, general
    QString profit;           // (P − B) × Q, "0.00"
};

// P actual price, Q quantity, S stock, Q0 sold so far, A0 sales amount so far,
// B purchase unit price.
SaleFigures computeSaleFigures(double price, double quantity, double stock, double soldSoFar,
                               double amountSoFar, double purchasePrice);

// The goods record keeps no unit cost of its own: it is the purchase amount
// over the purchase quantity ([3] / [2]); a record with no purchase quantity
// falls back to the stock amount over the stock quantity ([8] / [7]); 0 when
// neither is known.
double purchaseUnitPrice(double purchaseQuantity, double purchaseAmount, double stockQuantity,
                         double stockAmount);

// Year, month and day without leading zeros, then the counter as "%.3d".
QString customerNumberFor(const QDate& day, int counter);

} // namespace tolvi
