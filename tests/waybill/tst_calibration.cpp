// Print calibration: the stored values per printer and courier, their effect
// on the PDF of real single and batch runs, the calibration page and the
// window.

#include "data/Dm.h"
#include "data/Schema.h"
#include "platform/SettingsStore.h"
#include "support/TestEnv.h"
#include "waybill/CalibrationPage.h"
#include "waybill/CalibrationPreview.h"
#include "waybill/CalibrationPrinters.h"
#include "waybill/CalibrationSample.h"
#include "waybill/CalibrationStore.h"
#include "waybill/CalibrationWindow.h"
#include "waybill/CourierLayout.h"
#include "waybill/PrintRuns.h"
#include "waybill/WaybillReport.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <algorithm>

using namespace tolvi;

namespace {

constexpr double kMmPerPx = 25.4 / 96;
const QString kPrinter = QStringLiteral("Office/HP LaserJet\\2");
const SenderTexts kSender{QStringLiteral("SName"), QStringLiteral("13911112222"),
                          QStringLiteral("SAddr")};

QString describe(const test::PdfWord& w) {
    return QStringLiteral("%1@%2(%3,%4)")
        .arg(w.text)
        .arg(w.page)
        .arg(w.xMin, 0, 'f', 2)
        .arg(w.yMin, 0, 'f', 2);
}

// Words in an order that a uniform move or scale does not change.
QList<test::PdfWord> sorted(QList<test::PdfWord> words) {
    std::sort(words.begin(), words.end(), [](const test::PdfWord& a, const test::PdfWord& b) {
        return std::tie(a.page, a.text, a.yMin, a.xMin) < std::tie(b.page, b.text, b.yMin, b.xMin);
    });
    return words;
}

} // namespace

namespace tolvi {
char* toString(const PrintCalibration& c) {
    return QTest::toString(c.toText());
}
} // namespace tolvi

class TestCalibration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void storedText_data();
    void storedText();
    void settingsPerPrinterAndCourier();
    void printerChoices();

    void runs_data();
    void runs();
    void scaleAboutBandTopLeft_data();
    void scaleAboutBandTopLeft();
    void pagesPaintFromThePaperEdge();

    void calibrationPage();
    void window();

private:
    QList<test::PdfWord> run(bool batch, Courier courier);

    std::unique_ptr<test::TestEnv> env_;
    std::unique_ptr<Tdmfm> dm_;
    int pdfs_ = 0;
};

void TestCalibration::init() {
    env_ = std::make_unique<test::TestEnv>();
    setPrintRunPrinterForTesting(kPrinter);
    dm_ = std::make_unique<Tdmfm>(mainConnectionString(env_->dataMdb()));
    for (int r = 0; r < 3; ++r)
        dm_->ADOConnection1->exec(
            QStringLiteral("insert into data (a,b,c,g) values ('RName%1','1380000000%1','RAddr%1',"
                           "'未打印')")
                .arg(r));
    dm_->ADOQuery15->setSql(QStringLiteral("select * from data"));
    dm_->ADOQuery15->open();
}

void TestCalibration::cleanup() {
    setPrintRunPrinterForTesting(std::nullopt);
    dm_.reset();
    env_.reset();
}

QList<test::PdfWord> TestCalibration::run(bool batch, Courier courier) {
    const QString pdf = env_->path(QStringLiteral("run%1.pdf").arg(++pdfs_));
    env_->platform()->previewPdfPaths.enqueue(pdf);
    if (batch)
        printBatchWaybills(nullptr, courier, dm_->ADOQuery15, kSender);
    else
        printSingleWaybill(nullptr, courier, dm_->ADOQuery15, kSender);
    return sorted(test::readPdfWords(pdf));
}

void TestCalibration::storedText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<PrintCalibration>("expected");
    QTest::newRow("values") << "2.5;-1.0;101;99.5" << true << PrintCalibration{2.5, -1, 101, 99.5};
    QTest::newRow("rounded to tenths")
        << " 2.54 ;-0.96;100.04;100" << true << PrintCalibration{2.5, -1, 100, 100};
    QTest::newRow("clamped high") << "25;30;150;111" << true << PrintCalibration{20, 20, 110, 110};
    QTest::newRow("clamped low") << "-25;-1e9;50;0" << true << PrintCalibration{-20, -20, 90, 90};
    QTest::newRow("empty") << "" << false << PrintCalibration{};
    QTest::newRow("three values") << "1;2;100" << false << PrintCalibration{};
    QTest::newRow("five values") << "1;2;100;100;0" << false << PrintCalibration{};
    QTest::newRow("not a number") << "abc;1;100;100" << false << PrintCalibration{};
    QTest::newRow("nan") << "nan;1;100;100" << false << PrintCalibration{};
    QTest::newRow("infinite") << "1;inf;100;100" << false << PrintCalibration{};
}

void TestCalibration::storedText() {
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(PrintCalibration, expected);
    const auto c = PrintCalibration::fromText(text);
    QCOMPARE(c.has_value(), readable);
    if (c) {
        QCOMPARE(*c, expected);
        QCOMPARE(PrintCalibration::fromText(c->toText()), c);
    }
    // Whatever is stored, loading gives a usable value: unreadable is none.
    SettingsStore::write(kKeyCalibration, QStringLiteral("STO@%1").arg(kPdfPrinterName), text);
    QCOMPARE(loadCalibration(QString(), Courier::STO), expected);
}

void TestCalibration::settingsPerPrinterAndCourier() {
    const QString other = QStringLiteral("打印机 二号");
    QCOMPARE(loadCalibration(kPrinter, Courier::STO), PrintCalibration{});

    saveCalibration(kPrinter, Courier::STO, {2.5, -1.0, 100, 100});
    saveCalibration(kPrinter, Courier::EMS, {-3.2, 4.1, 101, 99});
    saveCalibration(other, Courier::STO, {0.3, 0.4, 100, 100});
    saveCalibration(kPdfPrinterName, Courier::SF, {35, -35, 200, 10}); // out of range
    QCOMPARE(loadCalibration(kPrinter, Courier::STO), (PrintCalibration{2.5, -1.0, 100, 100}));
    QCOMPARE(loadCalibration(kPrinter, Courier::EMS), (PrintCalibration{-3.2, 4.1, 101, 99}));
    QCOMPARE(loadCalibration(other, Courier::STO), (PrintCalibration{0.3, 0.4, 100, 100}));
    QCOMPARE(loadCalibration(QStringLiteral("Office"), Courier::STO), PrintCalibration{});
    QCOMPARE(loadCalibration(kPrinter, Courier::TTK), PrintCalibration{});
    QCOMPARE(loadCalibration(kPdfPrinterName, Courier::SF), (PrintCalibration{20, -20, 110, 90}));
    // No printer looks up the "PDF" entry.
    QCOMPARE(loadCalibration(QString(), Courier::SF), (PrintCalibration{20, -20, 110, 90}));

    // Saving none removes the value; the others stay.
    saveCalibration(kPrinter, Courier::STO, {});
    QCOMPARE(loadCalibration(kPrinter, Courier::STO), PrintCalibration{});
    QCOMPARE(loadCalibration(kPrinter, Courier::EMS), (PrintCalibration{-3.2, 4.1, 101, 99}));

    QCOMPARE(printRunPrinterName(), kPrinter);
    QCOMPARE(printRunCalibration(Courier::EMS), (PrintCalibration{-3.2, 4.1, 101, 99}));
}

void TestCalibration::printerChoices() {
    QCOMPARE(calibrationPrinterNames({"A", "B", "C"}, "B"), QStringList({"B", "A", "C"}));
    QCOMPARE(calibrationPrinterNames({"A", "B"}, ""), QStringList({"A", "B"}));
    QCOMPARE(calibrationPrinterNames({}, ""), QStringList({kPdfPrinterName}));
    QCOMPARE(unprintableMarginsMm(kPdfPrinterName, QPageSize(QPageSize::A4)), QMarginsF());
}

void TestCalibration::runs_data() {
    QTest::addColumn<bool>("batch");
    QTest::addColumn<int>("courier");
    for (bool batch : {false, true})
        for (Courier c : {Courier::STO, Courier::SF, Courier::ZJS})
            QTest::addRow("%s %s", batch ? "batch" : "single", qPrintable(courierCaption(c)))
                << batch << int(c);
}

// Offsets move every item by exactly the stored amount, only for the print
// run's printer and the run's courier; with none stored nothing moves.
void TestCalibration::runs() {
    QFETCH(bool, batch);
    QFETCH(int, courier);
    const Courier c = Courier(courier);

    const auto plain = run(batch, c);
    QCOMPARE(plain.size(), batch ? 3 * 7 : 7);
    // Uncalibrated, the recipient name stands where the courier's table says.
    const QPoint name = *courierLayout(c).position(WaybillItem::RecipientName);
    const double bandTop = 297 - 8 - (batch ? 435 : 403) * kMmPerPx;
    bool found = false;
    for (const auto& w : plain)
        found = found || (w.page == 0 && w.text == QLatin1String("RName0") &&
                          std::abs(w.xMin - (10 + name.x() * kMmPerPx)) < 0.1 &&
                          std::abs(w.yMin - (bandTop + name.y() * kMmPerPx)) < 0.5);
    QVERIFY(found);

    // Values for another printer or another courier change nothing.
    saveCalibration(QStringLiteral("Office"), c, {5, 5, 105, 105});
    saveCalibration(kPrinter, c == Courier::STO ? Courier::TTK : Courier::STO, {5, 5, 105, 105});
    const auto unrelated = run(batch, c);
    QCOMPARE(unrelated.size(), plain.size());
    for (int i = 0; i < plain.size(); ++i) {
        QVERIFY2(std::abs(unrelated[i].xMin - plain[i].xMin) < 0.01 &&
                     std::abs(unrelated[i].yMin - plain[i].yMin) < 0.01,
                 qPrintable(describe(unrelated[i]) + " vs " + describe(plain[i])));
    }

    saveCalibration(kPrinter, c, {2.5, -1.0, 100, 100});
    const auto moved = run(batch, c);
    QCOMPARE(moved.size(), plain.size());
    for (int i = 0; i < plain.size(); ++i) {
        QCOMPARE(moved[i].text, plain[i].text);
        QCOMPARE(moved[i].page, plain[i].page);
        QVERIFY2(std::abs(moved[i].xMin - plain[i].xMin - 2.5) < 0.1 &&
                     std::abs(moved[i].yMin - plain[i].yMin + 1.0) < 0.1,
                 qPrintable(describe(moved[i]) + " from " + describe(plain[i])));
    }

    // The calibration lives in the run's pages only, not in the report.
    QVERIFY((batch ? static_cast<WaybillReport*>(TForm9::instance()) : TForm8::instance())
                ->report()
                .contentTransform()
                .isIdentity());
}

void TestCalibration::scaleAboutBandTopLeft_data() {
    QTest::addColumn<bool>("batch");
    QTest::newRow("single") << false;
    QTest::newRow("batch") << true;
}

void TestCalibration::scaleAboutBandTopLeft() {
    QFETCH(bool, batch);
    const auto plain = run(batch, Courier::YTO);
    saveCalibration(kPrinter, Courier::YTO, {0, 0, 101, 99});
    const auto scaled = run(batch, Courier::YTO);
    QCOMPARE(scaled.size(), plain.size());
    // Band tops of page 1 (bottom-aligned) and, in the batch, of the second
    // waybill at the top of page 2.
    const double bottomTop = 297 - 8 - (batch ? 435 : 403) * kMmPerPx;
    for (int i = 0; i < plain.size(); ++i) {
        const auto& p = plain[i];
        const auto& s = scaled[i];
        const double top = (p.page == 1 && p.yMin < 150) ? 10 : bottomTop;
        const double x = 10 + (p.xMin - 10) * 1.01;
        const double y = top + (p.yMin - top) * 0.99;
        QVERIFY2(s.text == p.text && std::abs(s.xMin - x) < 0.1 && std::abs(s.yMin - y) < 0.1,
                 qPrintable(QStringLiteral("%1 expected at (%2, %3), from %4")
                                .arg(describe(s))
                                .arg(x)
                                .arg(y)
                                .arg(describe(p))));
    }
}

// The printer must not move the origin to its printable area: every page
// source of a run is painted in full-page mode.
void TestCalibration::pagesPaintFromThePaperEdge() {
    auto* platform = env_->platform();
    QList<PageSource> sources;
    printSingleWaybill(nullptr, Courier::STO, dm_->ADOQuery15, kSender);
    sources.append(platform->lastPreview);
    printBatchWaybills(nullptr, Courier::STO, dm_->ADOQuery15, kSender);
    sources.append(platform->lastPreview);
    sources.append(calibrationPageSource(Courier::STO, {}, kPdfPrinterName));
    for (const PageSource& pages : sources) {
        QCOMPARE(pages.layout.mode(), QPageLayout::FullPageMode);
        QCOMPARE(pages.layout.margins(), QMarginsF());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(env_->path(QStringLiteral("edge.pdf")));
        QVERIFY(paintPagesOn(printer, pages));
        QVERIFY(printer.fullPage());
    }
}

void TestCalibration::calibrationPage() {
    for (Courier c : {Courier::EMS, Courier::ZJS}) {
        CalibrationSample sample;
        sample.setCourier(c);
        const QRectF band = sample.bandRectMm();
        QCOMPARE(band.topLeft(), QPointF(10, 297 - 8 - 403 * kMmPerPx));

        QList<test::PdfWord> words[2];
        const PrintCalibration moves[2] = {{}, {2.5, -1.0, 100, 100}};
        for (int k = 0; k < 2; ++k) {
            const PageSource pages = calibrationPageSource(c, moves[k], kPrinter);
            QCOMPARE(pages.pageCount, 1);
            const QString pdf = env_->path(QStringLiteral("page%1.pdf").arg(k));
            QVERIFY(renderPagesToPdf(pages, pdf));
            words[k] = test::readPdfWords(pdf);
        }
        const QString text = test::readPdfText(env_->path(QStringLiteral("page1.pdf")));
        QVERIFY(text.contains(QStringLiteral("打印校准页")));
        QVERIFY2(text.contains(QStringLiteral("+2.5")) && text.contains(QStringLiteral("-1.0")),
                 qPrintable(text));

        // Each caption sits beside its crosshair at the item's printed corner.
        for (WaybillItem item : kAllWaybillItems) {
            const auto pos = courierLayout(c).position(item);
            for (int k = 0; k < 2; ++k) {
                int seen = 0;
                for (const auto& w : words[k]) {
                    if (w.text != waybillItemCaption(item))
                        continue;
                    ++seen;
                    QVERIFY(pos);
                    const QPointF at = band.topLeft() + QPointF(*pos) * kMmPerPx +
                                       QPointF(moves[k].offsetXMm, moves[k].offsetYMm);
                    QVERIFY2(std::abs(w.xMin - at.x() - kCrosshairCaptionDxMm) < 0.15 &&
                                 std::abs(w.yMin - at.y() - kCrosshairCaptionDyMm) < 0.6,
                             qPrintable(describe(w)));
                }
                QCOMPARE(seen, pos ? 1 : 0); // ZJS gives no place for the copy
            }
        }
    }
}

void TestCalibration::window() {
    auto* platform = env_->platform();
    const QStringList printers{QStringLiteral("PrinterA"), kPrinter};
    {
        CalibrationWindow w(nullptr, printers);
        QCOMPARE(w.windowTitle(), QStringLiteral("打印校准"));
        for (const char* caption : {"打印机：", "快递公司：", "水平偏移(毫米)：",
                                    "垂直偏移(毫米)：", "水平缩放(%)：", "垂直缩放(%)："}) {
            bool labelled = false;
            for (QLabel* l : w.findChildren<QLabel*>())
                labelled = labelled || (l->text() == caption && l->buddy() &&
                                        l->buddy()->accessibleName() == caption);
            QVERIFY2(labelled, qPrintable(caption));
        }
        for (const char* caption : {"打印校准页", "恢复默认", "保存", "关闭"}) {
            auto buttons = w.findChildren<QPushButton*>();
            QVERIFY(std::any_of(buttons.begin(), buttons.end(), [&](QPushButton* b) {
                return b->text() == caption && b->accessibleName() == caption;
            }));
        }
        QCOMPARE(w.courierBox()->count(), 9);
        QCOMPARE(w.printerName(), QStringLiteral("PrinterA"));
        QCOMPARE(w.calibration(), PrintCalibration{});

        // The boxes refuse what lies outside the ranges.
        w.offsetXBox()->setValue(50);
        w.scaleYBox()->setValue(50);
        QCOMPARE(w.calibration(), (PrintCalibration{20, 0, 100, 90}));
        w.resetToNone();
        QVERIFY(!w.isModified());

        w.selectPrinter(kPrinter);
        w.selectCourier(Courier::EMS);
        w.offsetXBox()->setFocus();
        w.offsetXBox()->selectAll();
        QTest::keyClicks(w.offsetXBox(), "2.5");
        w.offsetYBox()->setValue(-1.0);
        QCOMPARE(w.calibration(), (PrintCalibration{2.5, -1.0, 100, 100}));
        QVERIFY(w.isModified());
        QCOMPARE(loadCalibration(kPrinter, Courier::EMS), PrintCalibration{}); // not yet

        w.printCalibrationPage();
        QCOMPARE(platform->previews, 1);
        QCOMPARE(platform->lastPreview.pageCount, 1);
        QCOMPARE(platform->lastPreview.title, QStringLiteral("打印校准页"));

        for (QPushButton* b : w.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("保存"))
                QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(platform->lastText(), CalibrationWindow::savedText());
        QCOMPARE(loadCalibration(kPrinter, Courier::EMS), (PrintCalibration{2.5, -1.0, 100, 100}));
        QVERIFY(!w.isModified());

        // Another courier shows its own (none); coming back shows the saved.
        w.selectCourier(Courier::SF);
        QCOMPARE(w.calibration(), PrintCalibration{});
        w.selectCourier(Courier::EMS);
        QCOMPARE(w.calibration(), (PrintCalibration{2.5, -1.0, 100, 100}));

        // Moving on with unsaved values asks; No keeps the stored ones.
        platform->clear();
        w.offsetXBox()->setValue(4);
        platform->answers.enqueue(MsgButton::No);
        w.selectPrinter(QStringLiteral("PrinterA"));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->lastText(), CalibrationWindow::unsavedQuestionText());
        QCOMPARE(loadCalibration(kPrinter, Courier::EMS), (PrintCalibration{2.5, -1.0, 100, 100}));
        QCOMPARE(loadCalibration(QStringLiteral("PrinterA"), Courier::EMS), PrintCalibration{});

        // Closing with unsaved values asks too; Yes stores them.
        w.scaleXBox()->setValue(101);
        platform->answers.enqueue(MsgButton::Yes);
        w.reject();
        QCOMPARE(platform->messages.size(), 2);
        QCOMPARE(loadCalibration(QStringLiteral("PrinterA"), Courier::EMS),
                 (PrintCalibration{0, 0, 101, 100}));
    }
    // A print run on that printer now applies what the window saved.
    QCOMPARE(printRunCalibration(Courier::EMS), (PrintCalibration{2.5, -1.0, 100, 100}));
}

QTEST_MAIN(TestCalibration)
#include "tst_calibration.moc"
