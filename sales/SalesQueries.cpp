#include "sales/SalesQueries.h"

#include "data/Mylib.h"

namespace tolvi::xstj {

QString thisMonthStatement(const QDate& today) {
    const QString y = QString::number(today.year());
    const QString m = QString::asprintf("%.2d", today.month());
    return QStringLiteral("select * from data1 where day1 like '") + y + QStringLiteral("-") +
           QStringLiteral("%' and day1 like '") + QStringLiteral("%") + QStringLiteral("-") + m +
           QStringLiteral("-") + QStringLiteral("%' order by day1");
}

QString allSalesStatement() {
    return QStringLiteral("select * from data1 order by day1");
}

QString combinedStatement(const SalesConditions& c) {
    QString s = QStringLiteral("select * from data1 where [3]>0 ");
    const auto like = [&s](const char* field, const QString& text) {
        if (!text.isEmpty())
            s += QStringLiteral(" and ") + QLatin1String(field) + QStringLiteral(" like '%") +
                 sqlText(text) + QStringLiteral("%'");
    };
    like("d", c.category);
    like("e", c.nameInitials);
    like("c", c.code);
    like("f", c.specInitials);
    like("g", c.customerName);
    like("j", c.remark);
    if (c.dated)
        s += QStringLiteral(" and day1>=") + QStringLiteral("#") + c.from + QStringLiteral("#") +
             QStringLiteral(" and day1<=") + QStringLiteral("#") + c.to + QStringLiteral("#");
    return s;
}

QString customerNumberStatement(const QString& number) {
    return QStringLiteral("select * from data1 where z like '") + QStringLiteral("%") +
           sqlText(number.trimmed()) + QStringLiteral("%") + QStringLiteral("'");
}

QString goodsSearchStatement(const QString& name, const QString& model, const QString& code,
                             const QString& category, const QString& inStockDate) {
    const auto part = [](const QString& v) {
        return QStringLiteral("%") + sqlText(v.trimmed()) + QStringLiteral("%");
    };
    return QStringLiteral("select * from data where a like '") + part(name) +
           QStringLiteral("' and b like '") + part(model) + QStringLiteral("' and c like '") +
           part(code) + QStringLiteral("' and d like '") + part(category) +
           QStringLiteral("' and day1 like '") + part(inStockDate) + QStringLiteral("'");
}

} // namespace tolvi::xstj
