#include "sales/SaleMath.h"

#include <QRegularExpression>
#include <cmath>

namespace tolvi {

QString generalNumber(double value) {
    if (value == 0)
        return QStringLiteral("0"); // no "-0"
    return QString::number(value, 'g', 15);
}

QString fixed2(double value) {
    // Round half away from zero at the cent, as a till does; avoids "-0.00".
    double cents = std::round(value * 100.0);
    if (cents == 0)
        cents = 0;
    return QString::number(cents / 100.0, 'f', 2);
}

std::optional<double> parseSaleNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<QDate> parseSaleDate(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T]\d{1,2}:\d{2}(?::\d{2})?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

SaleFigures computeSaleFigures(double price, double quantity, double stock, double soldSoFar,
                               double amountSoFar, double purchasePrice) {
    SaleFigures f;
    f.salesAmount = generalNumber(price * quantity);
    f.newSalesAmount = generalNumber(price * quantity + amountSoFar);
    f.newStockQuantity = fixed2(stock - quantity);
    f.newStockAmount = generalNumber((stock - quantity) * purchasePrice);
    f.newQuantitySold = generalNumber(soldSoFar + quantity);
    f.profit = fixed2((price - purchasePrice) * quantity);
    return f;
}

double purchaseUnitPrice(double purchaseQuantity, double purchaseAmount, double stockQuantity,
                         double stockAmount) {
    if (purchaseQuantity != 0)
        return purchaseAmount / purchaseQuantity;
    if (stockQuantity != 0)
        return stockAmount / stockQuantity;
    return 0;
}

QString customerNumberFor(const QDate& day, int counter) {
    return QString::number(day.year()) + QString::number(day.month()) + QString::number(day.day()) +
           QString::asprintf("%.3d", counter);
}

} // namespace tolvi
