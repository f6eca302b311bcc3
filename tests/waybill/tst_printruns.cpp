// Single and batch print runs end to end: the real list dataset on a real
// data.mdb, the courier menu, the report engine, a PDF read back in mm.

#include "data/Dm.h"
#include "data/Schema.h"
#include "support/TestEnv.h"
#include "waybill/CourierLayout.h"
#include "waybill/CourierMenu.h"
#include "waybill/PrintRuns.h"
#include "waybill/WaybillReport.h"

#include <QMenu>
#include <QTest>

using namespace tolvi;

namespace {

constexpr double kMmPerPx = 25.4 / 96;
const SenderTexts kSender{QStringLiteral("SName"), QStringLiteral("13911112222"),
                          QStringLiteral("SAddr1\nSAddr2")};

struct Expect {
    QString text;
    int page;
    double x, y; // mm from the paper's top-left corner
};

QString describe(const QList<test::PdfWord>& words) {
    QStringList s;
    for (const auto& w : words)
        s.append(QStringLiteral("%1@%2(%3,%4)")
                     .arg(w.text)
                     .arg(w.page)
                     .arg(w.xMin, 0, 'f', 1)
                     .arg(w.yMin, 0, 'f', 1));
    return s.join(QLatin1Char(' '));
}

void expectWords(const QList<test::PdfWord>& words, const QList<Expect>& expects) {
    for (const Expect& e : expects) {
        bool found = false;
        for (const auto& w : words)
            found = found || (w.text == e.text && w.page == e.page &&
                              std::abs(w.xMin - e.x) < 0.5 && std::abs(w.yMin - e.y) < 0.5);
        QVERIFY2(found, qPrintable(QStringLiteral("%1 expected on page %2 at (%3, %4); got %5")
                                       .arg(e.text)
                                       .arg(e.page)
                                       .arg(e.x)
                                       .arg(e.y)
                                       .arg(describe(words))));
    }
}

// The seven texts of one waybill whose band's top lies bandTop mm down the page.
QList<Expect> waybillTexts(const QList<QPointF>& pos, int page, double bandTop, const QString& name,
                           const QString& phone, const QString& addr) {
    const QStringList texts{
        kSender.name, kSender.mobile, QStringLiteral("SAddr1"), kSender.name, name, phone, addr};
    QList<Expect> e;
    for (int i = 0; i < kWaybillItemCount; ++i)
        e.append({texts[i], page, 10 + pos[i].x() * kMmPerPx, bandTop + pos[i].y() * kMmPerPx});
    return e;
}

// The band tops of the batch report: page 1 bottom, then top and bottom.
std::pair<int, double> batchPlace(int record) {
    const double bottom = 297 - 8 - 435 * kMmPerPx;
    if (record == 0)
        return {0, bottom};
    return {(record + 1) / 2, record % 2 ? 10.0 : bottom};
}

} // namespace

class TestPrintRuns : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyCourierSingleAndBatch_data();
    void everyCourierSingleAndBatch();
    void zjsSenderNameCopyKeepsPreviousPosition();
    void longSenderNameWrapsAndIsCut();
    void addressCutAtItsBox();
    void batchFollowsFilterAndSort();
    void emptyList();
    void nullRecipientFieldsPrintEmpty();

private:
    QList<test::PdfWord> run(bool batch, Courier c, const SenderTexts& sender = kSender);
    QList<QVariantList> allRows() const;
    void insert(const QString& a, const QString& b, const QString& c, const QString& d,
                const QString& g);

    std::unique_ptr<test::TestEnv> env_;
    std::unique_ptr<Tdmfm> dm_;
    int pdfs_ = 0;
};

void TestPrintRuns::init() {
    env_ = std::make_unique<test::TestEnv>();
    dm_ = std::make_unique<Tdmfm>(mainConnectionString(env_->dataMdb()));
    insert(QStringLiteral("RName0"), QStringLiteral("13800000000"), QStringLiteral("RAddr0"),
           QStringLiteral("申通快递"), QStringLiteral("未打印"));
    insert(QStringLiteral("RName1"), QStringLiteral("13800000001"), QStringLiteral("RAddr1"),
           QStringLiteral("圆通速递"), QStringLiteral("已打印"));
    insert(QStringLiteral("RName2"), QStringLiteral("13800000002"), QStringLiteral("RAddr2"),
           QStringLiteral("申通快递"), QStringLiteral("未打印"));
    dm_->ADOQuery15->setSql(QStringLiteral("select * from data"));
    dm_->ADOQuery15->open();
}

void TestPrintRuns::cleanup() {
    dm_.reset();
    env_.reset();
}

void TestPrintRuns::insert(const QString& a, const QString& b, const QString& c, const QString& d,
                           const QString& g) {
    auto quoted = [](const QString& v) {
        return v.isNull() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(v);
    };
    dm_->ADOConnection1->exec(QStringLiteral("insert into data (a,b,c,d,g) values (%1,%2,%3,%4,%5)")
                                  .arg(quoted(a), quoted(b), quoted(c), quoted(d), quoted(g)));
}

QList<QVariantList> TestPrintRuns::allRows() const {
    QList<QVariantList> rows;
    for (const auto& r : dm_->ADOConnection1->select(QStringLiteral("select * from data")).rows)
        rows.append(r.values);
    return rows;
}

QList<test::PdfWord> TestPrintRuns::run(bool batch, Courier c, const SenderTexts& sender) {
    const QString pdf = env_->path(QStringLiteral("run%1.pdf").arg(++pdfs_));
    env_->platform()->previewPdfPaths.enqueue(pdf);
    // Start the run from the menu entry, as the main window does.
    QMenu menu;
    fillCourierMenu(&menu, [&](Courier picked) {
        if (batch)
            printBatchWaybills(nullptr, picked, dm_->ADOQuery15, sender);
        else
            printSingleWaybill(nullptr, picked, dm_->ADOQuery15, sender);
    });
    for (QAction* a : menu.actions())
        if (a->text() == courierCaption(c))
            a->trigger();
    if (!env_->platform()->previewPdfPaths.isEmpty())
        return {}; // no preview opened
    return test::readPdfWords(pdf);
}

void TestPrintRuns::everyCourierSingleAndBatch_data() {
    QTest::addColumn<int>("courier");
    for (Courier c : kAllCouriers)
        QTest::newRow(qPrintable(courierCaption(c))) << int(c);
}

static QList<QPointF> placed(Courier c, const WaybillReport& report) {
    // Where the courier's table puts each item; an item it leaves alone stays
    // where the report has it.
    QList<QPointF> p;
    for (WaybillItem w : kAllWaybillItems) {
        const auto pos = courierLayout(c).position(w);
        p.append(pos ? QPointF(*pos) : QPointF(report.item(w)->x(), report.item(w)->y()));
    }
    return p;
}

void TestPrintRuns::everyCourierSingleAndBatch() {
    QFETCH(int, courier);
    const Courier c = Courier(courier);
    const auto before = allRows();

    dm_->ADOQuery15->moveTo(1);
    auto words = run(false, c);
    QCOMPARE(words.size(), 8); // seven items, the sender address on two lines
    expectWords(words, waybillTexts(placed(c, *TForm8::instance()), 0, 297 - 8 - 403 * kMmPerPx,
                                    QStringLiteral("RName1"), QStringLiteral("13800000001"),
                                    QStringLiteral("RAddr1")));
    QCOMPARE(env_->platform()->lastPreview.pageCount, 1);

    words = run(true, c);
    QCOMPARE(words.size(), 3 * 8);
    QCOMPARE(env_->platform()->lastPreview.pageCount, 2);
    for (int r = 0; r < 3; ++r) {
        const auto [page, top] = batchPlace(r);
        expectWords(words, waybillTexts(placed(c, *TForm9::instance()), page, top,
                                        QStringLiteral("RName%1").arg(r),
                                        QStringLiteral("1380000000%1").arg(r),
                                        QStringLiteral("RAddr%1").arg(r)));
    }
    QVERIFY(env_->platform()->messages.isEmpty());
    QCOMPARE(dm_->ADOQuery15->recNo(), 1);
    QCOMPARE(allRows(), before); // the print status and all else unchanged
}

void TestPrintRuns::zjsSenderNameCopyKeepsPreviousPosition() {
    for (bool batch : {false, true}) {
        for (Courier previous : {Courier::EMS, Courier::SF}) {
            run(batch, previous);
            const auto words = run(batch, Courier::ZJS);
            const QPoint p = *courierLayout(previous).position(WaybillItem::SenderNameCopy);
            const double top = batch ? batchPlace(0).second : 297 - 8 - 403 * kMmPerPx;
            expectWords(words, {{kSender.name, 0, 10 + p.x() * kMmPerPx, top + p.y() * kMmPerPx}});
        }
    }
}

void TestPrintRuns::longSenderNameWrapsAndIsCut() {
    SenderTexts sender = kSender;
    sender.name = QStringLiteral("AAAA BBBB CCCC DDDD");
    const auto words = run(false, Courier::STO, sender);
    const double bandTop = 297 - 8 - 403 * kMmPerPx;
    QList<QRectF> boxes; // SenderName and SenderNameCopy, 62 x 24 each
    for (WaybillItem w : {WaybillItem::SenderName, WaybillItem::SenderNameCopy}) {
        const QPoint p = *courierLayout(Courier::STO).position(w);
        boxes.append(QRectF(10 + p.x() * kMmPerPx, bandTop + p.y() * kMmPerPx, 62 * kMmPerPx,
                            24 * kMmPerPx));
        expectWords(words, {{QStringLiteral("AAAA"), 0, boxes.last().left(), boxes.last().top()}});
    }
    for (const auto& w : words) {
        QVERIFY2(w.text != QLatin1String("CCCC") && w.text != QLatin1String("DDDD"),
                 qPrintable(describe(words)));
        if (w.text != QLatin1String("AAAA") && w.text != QLatin1String("BBBB"))
            continue;
        bool inside = false;
        for (const QRectF& box : boxes)
            inside = inside || (box.contains(QPointF(w.xMin + 0.01, w.yMin + 0.01)) &&
                                w.xMax <= box.right() + 0.3);
        QVERIFY2(inside, qPrintable(describe(words)));
    }
}

void TestPrintRuns::addressCutAtItsBox() {
    SenderTexts sender = kSender;
    sender.address = QStringLiteral("L1\nL2\nL3\nL4\nL5\nL6\nL7\nL8\nL9");
    const QPoint p = *courierLayout(Courier::YTO).position(WaybillItem::SenderAddress);
    for (bool batch : {false, true}) {
        const auto words = run(batch, Courier::YTO, sender);
        const double bandTop = batch ? batchPlace(0).second : 297 - 8 - 403 * kMmPerPx;
        const double top = bandTop + p.y() * kMmPerPx;
        const double bottom = top + (batch ? 77 : 73) * kMmPerPx;
        expectWords(words, {{QStringLiteral("L1"), 0, 10 + p.x() * kMmPerPx, top}});
        QStringList lines;
        for (const auto& w : words)
            if (w.page == 0 && w.text.startsWith(QLatin1Char('L'))) {
                lines.append(w.text);
                QVERIFY2(w.yMin < bottom, qPrintable(describe(words)));
            }
        QVERIFY2(lines.size() >= 3 && lines.size() < 6, qPrintable(lines.join(' ')));
        QCOMPARE(lines, QStringList({"L1", "L2", "L3", "L4", "L5"}).mid(0, lines.size()));
    }
}

void TestPrintRuns::batchFollowsFilterAndSort() {
    insert(QStringLiteral("RName3"), QStringLiteral("13800000003"), QStringLiteral("RAddr3"),
           QStringLiteral("申通快递"), QStringLiteral("已打印"));
    const auto before = allRows();
    dm_->ADOQuery15->setSql(QStringLiteral("select * from data where d like '%申通%'"));
    dm_->ADOQuery15->open();
    dm_->ADOQuery15->sort(QStringLiteral("a DESC"));
    const auto words = run(true, Courier::SF);
    QStringList names;
    for (const auto& w : words)
        if (w.text.startsWith(QLatin1String("RName")))
            names.append(w.text);
    QCOMPARE(names, QStringList({"RName3", "RName2", "RName0"}));
    for (int r = 0; r < names.size(); ++r) {
        const auto [page, top] = batchPlace(r);
        const QPoint p = *courierLayout(Courier::SF).position(WaybillItem::RecipientName);
        expectWords(words, {{names[r], page, 10 + p.x() * kMmPerPx, top + p.y() * kMmPerPx}});
    }
    QCOMPARE(allRows(), before);
}

void TestPrintRuns::emptyList() {
    dm_->ADOQuery15->setSql(QStringLiteral("select * from data where a = 'nobody'"));
    dm_->ADOQuery15->open();
    auto* platform = env_->platform();

    // Neither run opens a preview: a blank page would waste a courier's form.
    QVERIFY(run(true, Courier::STO).isEmpty());
    QVERIFY(run(false, Courier::STO).isEmpty());
    QCOMPARE(platform->previews, 0);
    QCOMPARE(platform->messages.size(), 2);
    for (const auto& m : platform->messages) {
        QCOMPARE(m.kind, test::Message::Warning);
        QCOMPARE(m.text, noRecordToPrintText());
    }
    platform->previewPdfPaths.clear();

    dm_->ADOQuery15->close();
    run(false, Courier::EMS);
    run(true, Courier::EMS);
    QCOMPARE(platform->previews, 0);
    QCOMPARE(platform->messages.size(), 4);
}

void TestPrintRuns::nullRecipientFieldsPrintEmpty() {
    insert(QStringLiteral("RName3"), QString(), QString(), QStringLiteral("申通快递"),
           QStringLiteral("未打印"));
    dm_->ADOQuery15->open();
    dm_->ADOQuery15->last();
    QCOMPARE(dm_->ADOQuery15->fieldByName(QStringLiteral("a")).asString(),
             QStringLiteral("RName3"));
    auto words = run(false, Courier::EMS);
    QVERIFY(env_->platform()->messages.isEmpty());
    QCOMPARE(words.size(), 6); // no telephone, no address
    expectWords(words, {{QStringLiteral("RName3"), 0, 10 + 88 * kMmPerPx,
                         297 - 8 - 403 * kMmPerPx + 173 * kMmPerPx}});

    words = run(true, Courier::EMS);
    QCOMPARE(words.size(), 3 * 8 + 6);
}

QTEST_MAIN(TestPrintRuns)
#include "tst_printruns.moc"
