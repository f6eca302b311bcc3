// Layout arithmetic of the report engine: band placement with align-to-bottom
// and page moves, report pixels to millimetres, word wrap and clipping.

#include "report/BandLayout.h"
#include "report/Report.h"
#include "report/ReportUnits.h"
#include "report/TextBlock.h"

#include <QTest>

using namespace tolvi::report;

class TestLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bandPlacement_data();
    void bandPlacement();
    void pixelsToMillimetres_data();
    void pixelsToMillimetres();
    void fixedBoxWrapsAndClips();
    void richTextCutAtLowerEdge();
    void growingLabelKeepsItsEdge_data();
    void growingLabelKeepsItsEdge();
    void lineBreaksBecomeLines();
};

// Runs are written "height" or "height^" (align-to-bottom); results "page:top".
static std::vector<BandRun> parseRuns(const QString& written) {
    std::vector<BandRun> runs;
    for (const QString& r : written.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const bool align = r.endsWith(QLatin1Char('^'));
        runs.push_back({QString(r).remove(QLatin1Char('^')).toDouble(), align});
    }
    return runs;
}

void TestLayout::bandPlacement_data() {
    QTest::addColumn<QString>("runs");
    QTest::addColumn<bool>("printIfEmpty");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("pages");
    // A4, top margin 10, bottom margin 8: the lower edge rests at 289.
    QTest::newRow("single waybill rests on the bottom margin")
        << "106.6^" << true << "0:182.4" << 1;
    QTest::newRow("batch: first pushed down, then top and bottom of each page")
        << "115.1^,115.1^,115.1^,115.1^,115.1^" << true << "0:173.9,1:10,1:173.9,2:10,2:173.9" << 3;
    QTest::newRow("plain bands follow one another and break")
        << "100,100,100" << true << "0:10,0:110,1:10" << 2;
    QTest::newRow("exact fit stays on the page") << "279^,1" << true << "0:10,1:10" << 2;
    QTest::newRow("aligned band after a title band")
        << "20,100^,100^" << true << "0:10,0:189,1:10" << 2;
    QTest::newRow("band taller than the page gets its own page")
        << "50,400,50" << true << "0:10,1:10,2:10" << 3;
    QTest::newRow("nothing to print, print-if-empty") << "" << true << "" << 1;
    QTest::newRow("nothing to print") << "" << false << "" << 0;
}

void TestLayout::bandPlacement() {
    QFETCH(QString, runs);
    QFETCH(bool, printIfEmpty);
    QFETCH(QString, expected);
    QFETCH(int, pages);
    const BandLayoutResult result = layoutBands({297, 10, 8}, parseRuns(runs), printIfEmpty);
    QStringList got;
    for (const BandPlacement& p : result.placements)
        got.append(QStringLiteral("%1:%2").arg(p.page).arg(std::round(p.top * 10) / 10));
    QCOMPARE(got.join(QLatin1Char(',')), expected);
    QCOMPARE(result.pageCount, pages);
}

void TestLayout::pixelsToMillimetres_data() {
    QTest::addColumn<double>("px");
    QTest::addColumn<double>("resolution");
    QTest::addColumn<double>("mm");
    QTest::newRow("STO sender name x at 96 dpi") << 94.0 << 96.0 << 24.87;
    QTest::newRow("single band height") << 403.0 << 96.0 << 106.63;
    QTest::newRow("120 dpi display") << 120.0 << 120.0 << 25.4;
    QTest::newRow("unknown resolution counts as 96") << 96.0 << 0.0 << 25.4;
}

void TestLayout::pixelsToMillimetres() {
    QFETCH(double, px);
    QFETCH(double, resolution);
    QFETCH(double, mm);
    QVERIFY(std::abs(pxToMm(px, resolution) - mm) < 0.01);
    Report report;
    report.setResolution(resolution);
    report.page().zoomPercent = 50;
    QVERIFY(std::abs(report.mmPerPx() * px - mm / 2) < 0.01);
}

static ReportItem label(double w, double h, double pt, bool grows) {
    ReportItem item(ItemKind::Label, QStringLiteral("L"));
    item.setPos(100, 40);
    item.setSize(w, h);
    item.setAutoSize(grows);
    item.setWordWrap(!grows);
    ReportFont f;
    f.pointSize = pt;
    f.bold = true;
    item.setFont(f);
    return item;
}

void TestLayout::fixedBoxWrapsAndClips() {
    const double k = 25.4 / 96;
    const ReportItem item = label(62, 24, 14, false);
    const TextBlock block = layoutText(item, QStringLiteral("张三丰李四光王五月赵六合"), k);
    QCOMPARE(block.boxMm, QRectF(100 * k, 40 * k, 62 * k, 24 * k));
    QVERIFY(block.clip);
    QVERIFY(!block.lines.empty());
    const double boxW = 62 * k * kTextUnitsPerMm, boxH = 24 * k * kTextUnitsPerMm;
    QString shown;
    for (const auto& l : block.lines) {
        QVERIFY2(l.width <= boxW + 1, qPrintable(l.text));
        QVERIFY(l.top < boxH);
        shown += l.text;
    }
    // The text wraps (more than one line would be needed) and the tail is cut.
    QVERIFY(block.lines.front().text.size() < 12);
    QVERIFY(shown.size() < 12);
    QVERIFY(QStringLiteral("张三丰李四光王五月赵六合").startsWith(shown));
}

void TestLayout::richTextCutAtLowerEdge() {
    const double k = 25.4 / 96;
    ReportItem box(ItemKind::RichText, QStringLiteral("R"));
    box.setPos(86, 88);
    box.setSize(251, 73);
    ReportFont f;
    f.pointSize = 14;
    box.setFont(f);
    box.setLines(QStringLiteral("一\n二\n三\n四\n五\n六\n七\n八"));
    const TextBlock block = layoutText(box, box.text(), k);
    QCOMPARE(block.boxMm.height(), 73 * k); // never grows
    QVERIFY(block.lines.size() >= 2 && block.lines.size() < 8);
    for (size_t i = 0; i < block.lines.size(); ++i)
        QCOMPARE(block.lines[i].text, box.lines().at(static_cast<int>(i)));
    const double lineH = block.lines.front().height;
    const auto kept = static_cast<size_t>(std::ceil(73 * k * kTextUnitsPerMm / lineH));
    QCOMPARE(block.lines.size(), kept);
}

void TestLayout::growingLabelKeepsItsEdge_data() {
    QTest::addColumn<int>("align");
    QTest::newRow("left") << int(HAlign::Left);
    QTest::newRow("centre") << int(HAlign::Center);
    QTest::newRow("right") << int(HAlign::Right);
}

void TestLayout::growingLabelKeepsItsEdge() {
    QFETCH(int, align);
    const double k = 25.4 / 96;
    ReportItem item = label(12, 20, 14, true);
    item.setAlignment(HAlign(align));
    const QRectF designed(100 * k, 40 * k, 12 * k, 20 * k);
    const TextBlock block = layoutText(item, QStringLiteral("欧阳修远先生"), k);
    QVERIFY(!block.clip);
    QCOMPARE(block.lines.size(), size_t(1));
    QVERIFY(block.boxMm.width() > designed.width() * 3);
    QVERIFY(std::abs(block.boxMm.width() - block.lines[0].width / kTextUnitsPerMm) < 1e-6);
    QCOMPARE(block.boxMm.top(), designed.top());
    QVERIFY(block.boxMm.height() >= designed.height());
    switch (HAlign(align)) {
    case HAlign::Left:
        QCOMPARE(block.boxMm.left(), designed.left());
        break;
    case HAlign::Center:
        QVERIFY(std::abs(block.boxMm.center().x() - designed.center().x()) < 1e-6);
        break;
    case HAlign::Right:
        QVERIFY(std::abs(block.boxMm.right() - designed.right()) < 1e-6);
        break;
    }
}

void TestLayout::lineBreaksBecomeLines() {
    ReportItem box(ItemKind::RichText, QStringLiteral("R"));
    box.setLines(QStringLiteral("北京市\r\n朝阳区\r三里屯\n1号"));
    QCOMPARE(box.lines(), QStringList({"北京市", "朝阳区", "三里屯", "1号"}));
    box.setLines(QString());
    QCOMPARE(box.text(), QString());
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
