// Couriers, their menu, and how a courier's layout moves the waybill items.

#include "waybill/CourierLayout.h"
#include "waybill/CourierMenu.h"
#include "waybill/WaybillLayout.h"

#include <QMenu>
#include <QTest>

using namespace tolvi;

class TestCouriers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listNames();
    void menuEntriesAndSeparators();
    void stoAndTtkPlaceAlike();
    void layoutMovesOnlyPositions();
    void zjsKeepsSenderNameCopyWhereItWas();
    void senderItems();
};

void TestCouriers::listNames() {
    QCOMPARE(courierListNames(), QStringList({"EMS邮政快递", "申通快递", "圆通速递", "顺丰速运",
                                              "韵达快运", "汇通快运", "中通速递", "天天快递"}));
    QStringList named;
    for (Courier c : kAllCouriers)
        if (!courierListName(c).isEmpty())
            named.append(courierListName(c));
    QCOMPARE(named.size(), 8);
    for (const QString& n : named)
        QVERIFY(courierListNames().contains(n));
    QVERIFY(courierListName(Courier::ZJS).isEmpty());
}

void TestCouriers::menuEntriesAndSeparators() {
    QList<Courier> picked;
    QMenu menu;
    fillCourierMenu(&menu, [&](Courier c) { picked.append(c); });
    QStringList entries;
    for (QAction* a : menu.actions())
        entries.append(a->isSeparator() ? QStringLiteral("---") : a->text());
    QCOMPARE(entries,
             QStringList({"申通快递打印 (STO)", "圆通速递打印 (YTO)", "中通速递打印 (ZTO)", "---",
                          "顺丰速运打印 (SF)", "韵达快运打印 (YUNDA)", "天天快递打印 (TTK)",
                          "宅急送打印 (ZJS)", "汇通快运打印", "---", "邮政特快专递 (EMS)"}));
    for (QAction* a : menu.actions())
        if (!a->isSeparator())
            a->trigger();
    QCOMPARE(picked, QList<Courier>(kAllCouriers.begin(), kAllCouriers.end()));

    std::unique_ptr<QMenu> sub(
        createCourierMenu(QStringLiteral("单张打印"), nullptr, [](Courier) {}));
    QCOMPARE(sub->title(), QStringLiteral("单张打印"));
    QCOMPARE(sub->actions().size(), entries.size());
}

static QList<QPointF> positions(const WaybillReport& r) {
    QList<QPointF> p;
    for (WaybillItem w : kAllWaybillItems)
        p.append({r.item(w)->x(), r.item(w)->y()});
    return p;
}

void TestCouriers::stoAndTtkPlaceAlike() {
    TForm8 single;
    TForm9 batch;
    for (WaybillReport* r :
         {static_cast<WaybillReport*>(&single), static_cast<WaybillReport*>(&batch)}) {
        applyCourierLayout(*r, Courier::STO);
        const auto sto = positions(*r);
        applyCourierLayout(*r, Courier::YUNDA);
        QVERIFY(positions(*r) != sto);
        applyCourierLayout(*r, Courier::TTK);
        QCOMPARE(positions(*r), sto);
    }
    QCOMPARE(positions(single), positions(batch)); // one table serves both reports
}

void TestCouriers::layoutMovesOnlyPositions() {
    TForm9 batch;
    setSenderItems(batch, QStringLiteral("张三"), QStringLiteral("139"), QStringLiteral("甲\n乙"));
    struct State {
        QString text;
        double w, h, pt;
        bool bold;
    };
    auto state = [&] {
        QList<State> s;
        for (WaybillItem w : kAllWaybillItems) {
            const auto* i = batch.item(w);
            s.append({i->text() + i->field(), i->width(), i->height(), i->font().pointSize,
                      i->font().bold});
        }
        return s;
    };
    const auto before = state();
    for (Courier c : kAllCouriers) {
        applyCourierLayout(batch, c);
        const auto after = state();
        for (int i = 0; i < kWaybillItemCount; ++i) {
            QCOMPARE(after[i].text, before[i].text);
            QCOMPARE(after[i].w, before[i].w);
            QCOMPARE(after[i].h, before[i].h);
            QCOMPARE(after[i].pt, before[i].pt);
            QCOMPARE(after[i].bold, before[i].bold);
        }
        const auto& layout = courierLayout(c);
        for (WaybillItem w : kAllWaybillItems)
            if (const auto p = layout.position(w))
                QCOMPARE(QPointF(batch.item(w)->x(), batch.item(w)->y()), QPointF(*p));
    }
}

void TestCouriers::zjsKeepsSenderNameCopyWhereItWas() {
    TForm8 single;
    TForm9 batch;
    auto copyPos = [](const WaybillReport& r) {
        const auto* i = r.item(WaybillItem::SenderNameCopy);
        return QPointF(i->x(), i->y());
    };
    // Before any other courier: the designed position.
    applyCourierLayout(single, Courier::ZJS);
    applyCourierLayout(batch, Courier::ZJS);
    QCOMPARE(copyPos(single), QPointF(645, 151));
    QCOMPARE(copyPos(batch), QPointF(85, 263));
    QCOMPARE(QPointF(single.QRLabel1->x(), single.QRLabel1->y()), QPointF(95, 103));
    // After another courier: that courier's position.
    applyCourierLayout(single, Courier::SF);
    applyCourierLayout(single, Courier::ZJS);
    QCOMPARE(copyPos(single), QPointF(623, 251));
    applyCourierLayout(batch, Courier::ZTO);
    applyCourierLayout(batch, Courier::ZJS);
    QCOMPARE(copyPos(batch), QPointF(79, 363));
}

void TestCouriers::senderItems() {
    TForm8 single;
    setSenderItems(single, QStringLiteral("李四"), QStringLiteral("13900001111"),
                   QStringLiteral("浙江省杭州市\r\n西湖区文三路"));
    QCOMPARE(single.QRLabel1->text(), QStringLiteral("李四"));
    QCOMPARE(single.QRLabel5->text(), QStringLiteral("李四"));
    QCOMPARE(single.QRLabel2->text(), QStringLiteral("13900001111"));
    QCOMPARE(single.QRRichText1->lines(), QStringList({"浙江省杭州市", "西湖区文三路"}));
    // The recipient items are untouched by the sender texts.
    QVERIFY(single.QRLabel3->text().isEmpty());
    setSenderItems(single, {}, {}, {});
    QVERIFY(single.QRRichText1->text().isEmpty());
}

QTEST_MAIN(TestCouriers)
#include "tst_couriers.moc"
