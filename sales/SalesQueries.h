#pragma once
// The statements of the sales detail window, built from the typed values.

#include <QDate>
#include <QString>

namespace tolvi::xstj {

// "本 月": the sales whose day1 text lies in the month of today.
QString thisMonthStatement(const QDate& today);
QString allSalesStatement();

// The query panel's fields as typed (not trimmed) and the date range as the
// pickers show it.
struct SalesConditions {
    QString category;
    QString nameInitials;
    QString code;
    QString specInitials;
    QString customerName;
    QString remark;
    bool dated = false;
    QString from;
    QString to;
};
QString combinedStatement(const SalesConditions& c);

// The detail list of one customer number (trimmed).
QString customerNumberStatement(const QString& number);

// The goods record a deleted sale returns its quantity to; each value is
// trimmed and matched as a part of the field.
QString goodsSearchStatement(const QString& name, const QString& model, const QString& code,
                             const QString& category, const QString& inStockDate);

} // namespace tolvi::xstj
