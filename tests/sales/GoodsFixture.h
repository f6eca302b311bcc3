#pragma once
// A data module over a fresh data.mdb with goods rows in `data`, and a sales
// panel whose hooks record what they were asked to do.

#include "data/Dm.h"
#include "data/Schema.h"
#include "sales/SalesPanel.h"
#include "support/TestEnv.h"

#include <QStringList>
#include <memory>

namespace tolvi::test {

struct Goods {
    QString name, model, code, category;
    QVariant purchaseQty, purchaseAmount, suggested, sold, soldAmount, stock, stockAmount;
    QString inStock;
};

inline Goods apples() {
    return {QStringLiteral("苹果"),
            QStringLiteral("红富士"),
            QStringLiteral("A001"),
            QStringLiteral("水果"),
            10.0,
            50.0,
            8.0,
            2.0,
            16.0,
            8.0,
            40.0,
            QStringLiteral("2024-03-01")};
}

inline void insertGoods(db::Connection* c, const Goods& g) {
    c->execBound(QStringLiteral("INSERT INTO data (a,b,c,d,\"2\",\"3\",\"4\",\"5\",\"6\",\"7\","
                                "\"8\",day1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"),
                 {g.name, g.model, g.code, g.category, g.purchaseQty, g.purchaseAmount, g.suggested,
                  g.sold, g.soldAmount, g.stock, g.stockAmount,
                  g.inStock.isEmpty() ? QVariant() : QVariant(g.inStock)});
}

struct SalesFixture {
    TestEnv env;
    std::unique_ptr<Tdmfm> dm;
    std::unique_ptr<SalesPanel> panel;
    QStringList calls; // hooks in the order they ran
    QList<SlipItem> slip;
    QString tip, slipCustomer, slipNumber;

    explicit SalesFixture(const QList<Goods>& goods = {apples()}) {
        dm = std::make_unique<Tdmfm>(mainConnectionString());
        for (const Goods& g : goods)
            insertGoods(dm->ADOConnection1, g);
        dm->ADOTable2->open();
        dm->ADOQuery15->setSql(QStringLiteral("select * from data"));
        dm->ADOQuery15->open();
        panel = std::make_unique<SalesPanel>(dm.get());
        SalesPanel::Hooks h;
        h.showAllRecords = [this] {
            calls << QStringLiteral("showAllRecords");
            dm->ADOQuery15->setSql(QStringLiteral("select * from data"));
            dm->ADOQuery15->open();
            dm->ADOQuery15->last();
        };
        h.showSuccessTip = [this](const QString& t) {
            calls << QStringLiteral("tip");
            tip = t;
        };
        h.addSlipLine = [this](const SlipItem& i) {
            calls << QStringLiteral("slip");
            slip << i;
        };
        h.setSlipCustomer = [this](const QString& name, const QString& number) {
            calls << QStringLiteral("customer");
            slipCustomer = name;
            slipNumber = number;
        };
        h.refreshSummary = [this] { calls << QStringLiteral("summary"); };
        h.runThisMonth = [this] { calls << QStringLiteral("month"); };
        h.disableRecordModify = [this] { calls << QStringLiteral("disableModify"); };
        panel->setHooks(h);
    }

    db::ResultSet rows(const QString& sql) { return dm->ADOConnection1->select(sql); }
    QVariant one(const QString& sql) {
        const db::ResultSet r = rows(sql);
        return r.rows.empty() ? QVariant() : r.rows.front().values.value(0);
    }
    int salesCount() { return one(QStringLiteral("select count(*) from data1")).toInt(); }
};

} // namespace tolvi::test
