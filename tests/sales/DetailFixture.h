#pragma once
// The sales detail window over a fresh data.mdb with a few sales in data1.

#include "data/Dm.h"
#include "data/Schema.h"
#include "sales/Txstj.h"
#include "support/TestEnv.h"

#include <QVariant>
#include <memory>

namespace tolvi::test {

struct Sale {
    QString name, model, code, category;
    QVariant purchasePrice, price, quantity, amount, profit, debt;
    QString day, inStock;
    QString customerNumber, customer, address, contact, remark;
};

inline Sale sale(const QString& name, const QString& day, double quantity = 1, double amount = 10) {
    return {name,
            QStringLiteral("标准"),
            QStringLiteral("C-") + name,
            QStringLiteral("水果"),
            6.0,
            amount / quantity,
            quantity,
            amount,
            amount - 6.0 * quantity,
            0.0,
            day,
            QStringLiteral("2024-03-01"),
            QStringLiteral("20240501001"),
            QStringLiteral("老王"),
            QStringLiteral("北京"),
            QStringLiteral("139"),
            QString()};
}

inline void insertSale(db::Connection* c, const Sale& s) {
    c->execBound(QStringLiteral("INSERT INTO data1 (a,b,c,d,e,f,\"1\",\"2\",\"3\",\"4\",a5,\"6\","
                                "day1,day2,z,g,h,i,j) VALUES "
                                "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                 {s.name, s.model, s.code, s.category, s.name.left(2), QStringLiteral("bz"),
                  s.purchasePrice, s.price, s.quantity, s.amount, s.profit, s.debt, s.day,
                  s.inStock, s.customerNumber, s.customer, s.address, s.contact, s.remark});
}

struct DetailFixture {
    TestEnv env;
    std::unique_ptr<Tdmfm> dm = std::make_unique<Tdmfm>(mainConnectionString());
    std::unique_ptr<Txstj> window = std::make_unique<Txstj>(dm.get());
    ScriptedPlatform* platform = env.platform();

    db::Connection* connection() const { return dm->ADOConnection1; }
    db::Dataset* detail() const { return dm->ADOQuery13; }
    QStringList column(const QString& field) const {
        QStringList values;
        db::Dataset* d = detail();
        const int f = d->fieldIndex(field);
        for (int r = 0; r < d->recordCount(); ++r)
            values.append(d->value(r, f).toString());
        return values;
    }
};

} // namespace tolvi::test
