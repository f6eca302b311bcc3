// The renderer end to end: a report is turned into pages, painted into a PDF
// and read back; texts must land where the report-pixel rule puts them.

#include "report/Report.h"
#include "report/ReportRenderer.h"
#include "support/TestEnv.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvi;
using namespace tolvi::report;

namespace {

class ListData : public ReportData {
public:
    QList<QVariantMap> rows;
    int recordCount() const override { return int(rows.size()); }
    QString text(int record, const QString& field) const override {
        const QVariant v = rows.at(record).value(field);
        return v.isNull() ? QString() : v.toString();
    }
};

ReportFont font(double pt, bool bold = false) {
    ReportFont f;
    f.pointSize = pt;
    f.bold = bold;
    return f;
}

} // namespace

class TestRender : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textLandsAtReportPixelRule_data();
    void textLandsAtReportPixelRule();
    void detailPerRecordWithTitleAndSummary();
    void emptyDataPrintsNoDetailUnlessAsked();
    void clippedLinesAreNotPrinted();
    void songtiIsEmbeddedCjkFont();
    void pagesStayAsMadeWhenReportChanges();
    void framesRulesAndOpaqueItems();

private:
    QTemporaryDir tmp_;
};

void TestRender::textLandsAtReportPixelRule_data() {
    QTest::addColumn<double>("resolution");
    QTest::addColumn<double>("shiftMm"); // content transform, as calibration will use
    QTest::addColumn<bool>("grows");
    QTest::newRow("96 dpi, fixed box") << 96.0 << 0.0 << false;
    QTest::newRow("96 dpi, growing label") << 96.0 << 0.0 << true;
    QTest::newRow("120 dpi display") << 120.0 << 0.0 << false;
    QTest::newRow("content shifted 3 mm") << 96.0 << 3.0 << true;
}

void TestRender::textLandsAtReportPixelRule() {
    QFETCH(double, resolution);
    QFETCH(double, shiftMm);
    QFETCH(bool, grows);
    Report r;
    r.page().paper = QPageSize(QPageSize::A4);
    r.page().marginsMm = QMarginsF(10, 10, 10, 8);
    r.setResolution(resolution);
    r.setContentTransform(QTransform::fromTranslate(shiftMm, shiftMm));
    Band* band = r.addBand(BandKind::Detail, 403);
    band->setAlignToBottom(true);
    ReportItem* a = band->addLabel(QStringLiteral("a"), 94, 75, 200, 24, QStringLiteral("Hello"));
    a->setFont(font(14, true));
    a->setAutoSize(grows);
    ReportItem* b = band->addLabel(QStringLiteral("b"), 645, 151, 60, 20, QStringLiteral("World"));
    b->setFont(font(12));
    const QString pdf = tmp_.filePath(QStringLiteral("rule.pdf"));
    QVERIFY(renderPagesToPdf(r.pageSource(), pdf));
    const auto words = test::readPdfWords(pdf);
    QCOMPARE(words.size(), 2);
    const double k = 25.4 / resolution;
    const double bandTop = 297 - 8 - 403 * k;
    for (const auto& [item, text] : {std::pair{a, "Hello"}, std::pair{b, "World"}}) {
        const auto& w = words.at(text == QLatin1String("Hello") ? 0 : 1);
        QCOMPARE(w.text, QString::fromLatin1(text));
        const double x = 10 + item->x() * k + shiftMm, y = bandTop + item->y() * k + shiftMm;
        QVERIFY2(std::abs(w.xMin - x) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2 vs %3").arg(text).arg(w.xMin).arg(x)));
        QVERIFY2(std::abs(w.yMin - y) < 0.5,
                 qPrintable(QStringLiteral("%1 y %2 vs %3").arg(text).arg(w.yMin).arg(y)));
    }
}

static QStringList texts(const QList<test::PdfWord>& words, int page = -1) {
    QStringList t;
    for (const auto& w : words)
        if (page < 0 || w.page == page)
            t.append(w.text);
    return t;
}

void TestRender::detailPerRecordWithTitleAndSummary() {
    ListData data;
    for (int i = 0; i < 50; ++i)
        data.rows.append({{"a", i == 1 ? QVariant() : QVariant(QStringLiteral("R%1").arg(i))},
                          {"c", QStringLiteral("C%1").arg(i)}});
    Report r;
    r.page().paper = QPageSize(QPageSize::A4);
    r.page().marginsMm = QMarginsF(15, 10, 15, 10);
    r.setResolution(96);
    r.setData(&data);
    r.addBand(BandKind::Title, 40)
        ->addLabel(QStringLiteral("t"), 8, 4, 100, 20, QStringLiteral("TITLE"));
    Band* detail = r.addBand(BandKind::Detail, 30);
    detail->setFrame(BandFrame::topLeftRight());
    detail->addDbText(QStringLiteral("a"), QStringLiteral("a"), 8, 4, 145, 20)->setFont(font(11));
    detail->addDbRichText(QStringLiteral("c"), QStringLiteral("c"), 300, 4, 100, 20)
        ->setFont(font(11));
    r.addBand(BandKind::Summary, 40)
        ->addLabel(QStringLiteral("s"), 19, 5, 100, 20, QStringLiteral("SUM"));

    const PageSource pages = r.pageSource();
    const QString pdf = tmp_.filePath(QStringLiteral("detail.pdf"));
    QVERIFY(renderPagesToPdf(pages, pdf));
    const auto words = test::readPdfWords(pdf);
    const double k = 25.4 / 96;
    // 277 mm of room: the title and 31 details fit on page 1 (10.58 + 31 * 7.94).
    const int perFirstPage = int((277 - 40 * k) / (30 * k));
    QCOMPARE(pages.pageCount, 2);
    QStringList expected{QStringLiteral("TITLE")};
    for (int i = 0; i < 50; ++i) {
        if (i != 1)
            expected.append(QStringLiteral("R%1").arg(i));
        expected.append(QStringLiteral("C%1").arg(i));
    }
    expected.append(QStringLiteral("SUM"));
    QCOMPARE(texts(words), expected);
    for (const auto& w : words) {
        if (!w.text.startsWith(QLatin1Char('R')))
            continue;
        const int i = w.text.mid(1).toInt();
        const int page = i < perFirstPage ? 0 : 1;
        const double top = page == 0 ? 10 + 40 * k + i * 30 * k : 10 + (i - perFirstPage) * 30 * k;
        QCOMPARE(w.page, page);
        QVERIFY2(std::abs(w.yMin - (top + 4 * k)) < 0.5, qPrintable(w.text));
        QVERIFY(std::abs(w.xMin - (15 + 8 * k)) < 0.5);
    }
}

void TestRender::emptyDataPrintsNoDetailUnlessAsked() {
    ListData data;
    Report r;
    r.setData(&data);
    r.addBand(BandKind::Title, 40)
        ->addLabel(QStringLiteral("t"), 8, 4, 100, 20, QStringLiteral("TITLE"));
    Band* detail = r.addBand(BandKind::Detail, 30);
    detail->addLabel(QStringLiteral("d"), 8, 4, 100, 20, QStringLiteral("LINE"));
    detail->addDbText(QStringLiteral("a"), QStringLiteral("a"), 200, 4, 100, 20);
    r.addBand(BandKind::Summary, 40)
        ->addLabel(QStringLiteral("s"), 19, 5, 100, 20, QStringLiteral("SUM"));
    const QString pdf = tmp_.filePath(QStringLiteral("empty.pdf"));
    QVERIFY(renderPagesToPdf(r.pageSource(), pdf));
    QCOMPARE(texts(test::readPdfWords(pdf)), QStringList({"TITLE", "SUM"}));

    detail->setPrintWhenEmpty(true);
    QVERIFY(renderPagesToPdf(r.pageSource(), pdf));
    QCOMPARE(texts(test::readPdfWords(pdf)), QStringList({"TITLE", "LINE", "SUM"}));

    // Without any data the detail band prints once.
    r.setData(nullptr);
    detail->setPrintWhenEmpty(false);
    QVERIFY(renderPagesToPdf(r.pageSource(), pdf));
    QCOMPARE(texts(test::readPdfWords(pdf)), QStringList({"TITLE", "LINE", "SUM"}));
}

void TestRender::clippedLinesAreNotPrinted() {
    Report r;
    r.setResolution(96);
    r.page().marginsMm = QMarginsF(10, 10, 10, 8);
    Band* band = r.addBand(BandKind::Detail, 100);
    ReportItem* name =
        band->addLabel(QStringLiteral("n"), 95, 59, 62, 24, QStringLiteral("AAAA BBBB CCCC DDDD"));
    name->setWordWrap(true);
    name->setFont(font(14, true));
    const QString pdf = tmp_.filePath(QStringLiteral("clip.pdf"));
    QVERIFY(renderPagesToPdf(r.pageSource(), pdf));
    const auto words = test::readPdfWords(pdf);
    const double k = 25.4 / 96, top = 10 + 59 * k, bottom = top + 24 * k;
    QVERIFY(!words.isEmpty());
    QCOMPARE(words.first().text, QStringLiteral("AAAA"));
    QVERIFY(std::abs(words.first().yMin - top) < 0.5);
    QVERIFY(!texts(words).contains(QStringLiteral("CCCC")));
    QVERIFY(!texts(words).contains(QStringLiteral("DDDD")));
    for (const auto& w : words) {
        QVERIFY(w.yMin < bottom);
        QVERIFY(w.xMax < 10 + (95 + 62) * k + 0.5);
    }
}

void TestRender::songtiIsEmbeddedCjkFont() {
    Report r;
    r.addBand(BandKind::Detail, 100)
        ->addLabel(QStringLiteral("c"), 10, 10, 300, 30, QStringLiteral("宋体测试"))
        ->setFont(font(14, true));
    const QString pdf = tmp_.filePath(QStringLiteral("font.pdf"));
    QVERIFY(renderPagesToPdf(r.pageSource(), pdf));
    QCOMPARE(test::readPdfText(pdf).trimmed(), QStringLiteral("宋体测试"));
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    QVERIFY(fonts.waitForFinished());
    const QStringList lines =
        QString::fromUtf8(fonts.readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(lines.filter(QStringLiteral("WenQuanYi")).size(), 1);
    // name, type, encoding, then "emb sub uni" flags: embedded must be yes.
    const QStringList cols = lines.filter(QStringLiteral("WenQuanYi"))
                                 .first()
                                 .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QVERIFY(cols.size() >= 4);
    QCOMPARE(cols.at(cols.size() - 5), QStringLiteral("yes"));
}

void TestRender::pagesStayAsMadeWhenReportChanges() {
    Report r;
    ReportItem* l = r.addBand(BandKind::Detail, 100)
                        ->addLabel(QStringLiteral("l"), 10, 10, 300, 30, QStringLiteral("Before"));
    const PageSource pages = r.pageSource();
    l->setText(QStringLiteral("After"));
    l->setPos(400, 50);
    const QString pdf = tmp_.filePath(QStringLiteral("frozen.pdf"));
    QVERIFY(renderPagesToPdf(pages, pdf));
    QCOMPARE(texts(test::readPdfWords(pdf)), QStringList{QStringLiteral("Before")});
}

void TestRender::framesRulesAndOpaqueItems() {
    // Painted on an image at 4 px/mm: the same renderer as for print.
    Report r;
    r.setResolution(96);
    r.page().paper = QPageSize(QPageSize::A4);
    r.page().marginsMm = QMarginsF(10, 10, 10, 10);
    Band* band = r.addBand(BandKind::Detail, 96); // 25.4 mm
    band->setFrame({true, true, true, true, 0.5});
    band->addVerticalLine(192, 0, 96)->setLineWidthMm(0.5);   // x = 10 + 50.8 mm
    band->addHorizontalLine(0, 48, 400)->setLineWidthMm(0.5); // y = 10 + 12.7 mm
    ReportItem* cover = band->addLabel(QStringLiteral("c"), 40, 40, 40, 16, QString());
    cover->setTransparent(false); // white box over the rule, even without text
    QImage img(210 * 4, 297 * 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.scale(4, 4);
        r.pageSource().paintPage(p, 0);
    }
    auto dark = [&](double xMm, double yMm) {
        return qGray(img.pixel(int(xMm * 4), int(yMm * 4))) < 128;
    };
    QVERIFY(dark(100, 10));    // top frame
    QVERIFY(dark(100, 35.4));  // bottom frame
    QVERIFY(dark(10, 20));     // left frame
    QVERIFY(dark(200, 20));    // right frame
    QVERIFY(dark(60.8, 30));   // vertical rule
    QVERIFY(dark(100, 22.7));  // horizontal rule (x 10..115.8 mm)
    QVERIFY(!dark(150, 22.7)); // ... and no further
    QVERIFY(!dark(25, 22.7));  // covered by the opaque box (x 20.6..31.2 mm)
    QVERIFY(!dark(100, 40));   // below the band
}

QTEST_MAIN(TestRender)
#include "tst_render.moc"
