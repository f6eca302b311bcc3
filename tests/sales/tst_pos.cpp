// The POS slip of the sales detail window: lines from the list, total,
// change, the clearing buttons, and the receipt read back from its print.
#include "DetailFixture.h"
#include "sales/PosReceipt.h"
#include "sales/PosSlipPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <cmath>

using namespace tolvi;
using test::DetailFixture;

namespace {

QString today() {
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QStringList lineNames(const xstj::PosSlipPanel* slip) {
    QStringList names;
    for (int i = 0; i < xstj::kSlipLineCount; ++i)
        names.append(slip->line(i).name->text());
    return names;
}

// Three sales of two customers; the list holds them all.
void fillThreeSales(DetailFixture& f) {
    auto a = test::sale(QStringLiteral("苹果"), today(), 2, 12.5);
    a.customerNumber = QStringLiteral("K1");
    auto b = test::sale(QStringLiteral("梨"), today(), 1, 3);
    b.customerNumber = QStringLiteral("K1");
    b.customer = QStringLiteral("别人");
    auto c = test::sale(QStringLiteral("橙"), today(), 1, 7);
    c.customerNumber = QStringLiteral("K2");
    for (const auto& s : {a, b, c})
        test::insertSale(f.connection(), s);
    f.window->runAll();
}

struct PrintedLine {
    double y; // device units
    QString text;
};

// The PDF's words gathered into lines by their top edge.
QList<PrintedLine> printedLines(const QString& pdf, double dpi) {
    QList<PrintedLine> lines;
    for (const auto& w : test::readPdfWords(pdf)) {
        const double y = w.yMin * dpi / 25.4;
        if (!lines.isEmpty() && std::abs(lines.last().y - y) < 3)
            lines.last().text += QLatin1Char(' ') + w.text;
        else
            lines.append({y, w.text});
    }
    return lines;
}

} // namespace

class TestPos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addToSlipFillsTheFirstFreeLine();
    void totalAndChange();
    void clearingButtons();
    void receiptLines_data();
    void receiptLines();
    void printButtonPrintsOn250mmPaperAndClears();
};

void TestPos::addToSlipFillsTheFirstFreeLine() {
    DetailFixture f;
    fillThreeSales(f);
    auto* slip = f.window->slipPanel();
    QVERIFY(!slip->isVisibleTo(f.window.get()));
    f.detail()->moveTo(0);
    f.window->addToSlip();
    QVERIFY(slip->isVisibleTo(f.window.get()));
    const auto& first = slip->line(0);
    QCOMPARE((QStringList{first.code->text(), first.name->text(), first.model->text(),
                          first.quantity->text(), first.price->text(), first.amount->text()}),
             (QStringList{"C-苹果", "苹果", "标准", "2", "6.25", "12.50"}));
    // Line 1 takes the customer and filters the list by the customer number.
    QCOMPARE(slip->customerNameEdit()->text(), QStringLiteral("老王"));
    QCOMPARE(f.window->customerNumberEdit()->text(), QStringLiteral("K1"));
    QCOMPARE(f.detail()->recordCount(), 2);

    f.detail()->moveTo(1);
    f.window->addToSlip();
    QCOMPARE(slip->line(1).name->text(), QStringLiteral("梨"));
    QCOMPARE(slip->customerNameEdit()->text(), QStringLiteral("老王"));
    QCOMPARE(slip->line(1).amount->text(), QStringLiteral("3.00"));

    // A freed line is taken again first; a full slip takes nothing more.
    QTest::mouseClick(slip->line(0).clearButton, Qt::LeftButton);
    for (int i = 0; i < 6; ++i)
        f.window->addToSlip();
    QCOMPARE(lineNames(slip), (QStringList{"梨", "梨", "梨", "梨", "梨", "梨"}));
    QVERIFY(slip->isVisibleTo(f.window.get()));
    QCOMPARE(f.window->addSaleToSlip({QString(), QStringLiteral("x"), {}, {}, {}, {}}), -1);
}

void TestPos::totalAndChange() {
    DetailFixture f;
    auto* slip = f.window->slipPanel();
    slip->addItem({"A", "苹果", "", "2", "6.25", "12.5"});
    slip->addItem({"B", "梨", "", "1", "3", "3"});
    slip->updateSlipTotal();
    QCOMPARE(slip->totalEdit()->text(), QStringLiteral("15.50"));
    slip->cashEdit()->setText(QStringLiteral("20"));
    slip->computeChange();
    QCOMPARE(slip->changeEdit()->text(), QStringLiteral("4.5"));
    slip->cashEdit()->setText(QStringLiteral("10"));
    slip->computeChange();
    QCOMPARE(slip->changeEdit()->text(), QStringLiteral("-5.5"));
    slip->cashEdit()->clear();
    slip->computeChange();
    QCOMPARE(slip->changeEdit()->text(), QStringLiteral("-5.5"));
    // Leaving the cash field with a text that is no number reports the error.
    slip->show();
    slip->cashEdit()->setText(QStringLiteral("1.2.3"));
    Q_EMIT slip->cashEdit()->editingFinished();
    QCOMPARE(f.platform->messages.size(), 1);
    QCOMPARE(f.platform->messages[0].kind, test::Message::Error);
    // "删" empties its line and the total follows.
    QTest::mouseClick(slip->line(0).clearButton, Qt::LeftButton);
    QCOMPARE(slip->totalEdit()->text(), QStringLiteral("3.00"));
}

void TestPos::clearingButtons() {
    DetailFixture f;
    auto* slip = f.window->slipPanel();
    const auto fill = [slip] {
        slip->show();
        slip->addItem({"A", "苹果", "", "2", "6.25", "12.5"});
        slip->customerNameEdit()->setText(QStringLiteral("老王"));
        slip->cashEdit()->setText(QStringLiteral("20"));
        slip->changeEdit()->setText(QStringLiteral("7.5"));
        slip->remarkEdit()->setPlainText(QStringLiteral("送货上门"));
    };
    fill();
    QTest::mouseClick(slip->closePictureLabel(), Qt::LeftButton);
    QVERIFY(slip->isHidden());
    QVERIFY(slip->line(0).isFree());
    QCOMPARE(slip->customerNameEdit()->text(), QStringLiteral("老王"));
    QCOMPARE(slip->cashEdit()->text(), QStringLiteral("20"));
    QCOMPARE(slip->remarkEdit()->toPlainText(), QStringLiteral("送货上门"));

    fill();
    QTest::mouseClick(slip->salesSlipButton(), Qt::LeftButton);
    QVERIFY(slip->line(0).isFree());
    for (QLineEdit* e : {slip->customerNameEdit(), slip->cashEdit(), slip->changeEdit()})
        QVERIFY(e->text().isEmpty());
    QVERIFY(slip->remarkEdit()->toPlainText().isEmpty());
    QCOMPARE(f.env.platform()->prints, 0);
}

void TestPos::receiptLines_data() {
    QTest::addColumn<QList<xstj::ReceiptItem>>("items");
    QTest::newRow("two items") << QList<xstj::ReceiptItem>{{"苹果", "2", "12.50"},
                                                           {"梨", "1", "3.00"}};
    QTest::newRow("no item") << QList<xstj::ReceiptItem>{};
}

void TestPos::receiptLines() {
    QFETCH(QList<xstj::ReceiptItem>, items);
    test::TestEnv env;
    xstj::ReceiptInput in;
    in.items = items;
    in.cash = QStringLiteral("20");
    in.total = items.isEmpty() ? QStringLiteral("0.00") : QStringLiteral("15.50");
    in.change = QStringLiteral("4.5");
    in.operatorName = QStringLiteral("小张");
    in.company = QStringLiteral("东城水果店");
    in.address = QStringLiteral("电话：010-1234");
    in.now = QDateTime(QDate(2024, 5, 9), QTime(14, 3, 7));

    const QString sep = QString(31, QLatin1Char('-'));
    QList<PrintedLine> expected{{40, sep}, {60, "条码\\名称 数量 金额"}, {82, sep}};
    int y = 105;
    for (const auto& item : items) {
        expected.append({double(y), item.name + " " + item.quantity + " " + item.amount});
        y += 30;
    }
    const QStringList tail{sep,
                           in.items.isEmpty() ? "现金:20元 应收金额:0.00元"
                                              : "现金:20元 应收金额:15.50元",
                           "找零:4.5元 收款员:小张",
                           sep,
                           "交易时间:2024-05-09 14:03:07",
                           "Tolvi进销存软件提供打印技术支持",
                           sep,
                           "欢迎下次惠顾",
                           sep,
                           "东城水果店",
                           "电话：010-1234"};
    for (const QString& t : tail) {
        expected.append({double(y), t});
        y += 30;
    }

    // The blanks that align the columns.
    const QList<xstj::ReceiptLine> texts = xstj::receiptLines(in);
    QCOMPARE(texts[0].text, QStringLiteral("      POS小票销售凭证"));
    QVERIFY(texts[0].heading && !texts[1].heading);
    QCOMPARE(texts[2].text, QStringLiteral("条码\\名称        数量     金额 "));
    if (!items.isEmpty())
        QCOMPARE(texts[4].text, QStringLiteral("苹果      2     12.50"));
    QCOMPARE(texts[texts.size() - 4].text, QStringLiteral("         欢迎下次惠顾        "));

    QPrinter printer;
    printer.setResolution(203); // a POS printer's device units
    const QString pdf = env.path(QStringLiteral("receipt.pdf"));
    env.platform()->printPdfPaths.enqueue(pdf);
    QVERIFY(xstj::printReceipt(printer, in));
    QCOMPARE(env.platform()->lastPrinterResolution, 203);
    const QList<PrintedLine> lines = printedLines(pdf, 203);
    QCOMPARE(lines.size(), expected.size() + 1);
    const auto bare = [](QString t) { return t.remove(QLatin1Char(' ')); };
    QCOMPARE(bare(lines[0].text), QStringLiteral("POS小票销售凭证"));
    QVERIFY(std::abs(lines[0].y) < 1);
    // Every line's top edge sits at its device coordinate.
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(bare(lines[i + 1].text), bare(expected[i].text));
        QVERIFY2(std::abs(lines[i + 1].y - expected[i].y) < 1,
                 qPrintable(QStringLiteral("%1 at %2").arg(expected[i].text).arg(lines[i + 1].y)));
    }
    for (const auto& w : test::readPdfWords(pdf))
        if (w.text == sep || w.text == QStringLiteral("东城水果店"))
            QVERIFY(w.xMin < 0.3); // drawn at the left edge
}

void TestPos::printButtonPrintsOn250mmPaperAndClears() {
    DetailFixture f;
    fillThreeSales(f);
    f.window->setOperatorName(QStringLiteral("小张"));
    f.detail()->moveTo(0);
    f.window->addToSlip();
    auto* slip = f.window->slipPanel();
    slip->cashEdit()->setText(QStringLiteral("20"));
    QTest::mouseClick(slip->printButton(), Qt::LeftButton);
    QCOMPARE(f.platform->prints, 1);
    const QSizeF paper = f.platform->lastPrint.layout.fullRect(QPageLayout::Millimeter).size();
    QCOMPARE(qRound(paper.height()), 250);
    QVERIFY(slip->line(0).isFree());
    QVERIFY(slip->customerNameEdit()->text().isEmpty());
    QVERIFY(slip->cashEdit()->text().isEmpty());
    QVERIFY(f.platform->messages.isEmpty());
}

QTEST_MAIN(TestPos)
#include "tst_pos.moc"
