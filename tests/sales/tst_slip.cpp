// The sales slip: its eight bands read back from the PDF, one line per row of
// the detail list, the customer lines from the current row, the total in
// figures and in capitals, an empty list and a refused total.
#include "data/Dm.h"
#include "data/Schema.h"
#include "grid/DataGrid.h"
#include "report/ReportItem.h"
#include "sales/Form22.h"
#include "support/TestEnv.h"

#include <QTest>
#include <algorithm>
#include <memory>

using namespace tolvi;

namespace {

constexpr double kMmPerPx = 25.4 / 96;
constexpr double kLeftMm = 15, kTopMm = 10;

struct Sale {
    QString name, model, category;
    double quantity, price, amount;
    QVariant customer, address, phone;
};

struct SlipFixture {
    test::TestEnv env;
    std::unique_ptr<Tdmfm> dm;
    grid::DataGrid grid; // the detail grid's amount column gives the footer text
    Tform22 slip;

    explicit SlipFixture(const QList<Sale>& sales) {
        dm = std::make_unique<Tdmfm>(mainConnectionString());
        for (const Sale& s : sales)
            dm->ADOConnection1->execBound(
                QStringLiteral("INSERT INTO data1 (a,b,d,\"3\",\"2\",\"4\",g,h,i,z,day1) VALUES "
                               "(?,?,?,?,?,?,?,?,?,'2024591','2024-05-09')"),
                {s.name, s.model, s.category, s.quantity, s.price, s.amount, s.customer, s.address,
                 s.phone});
        auto amount = grid::GridColumn::fromCaption(QStringLiteral("4"), QStringLiteral("金 额"));
        amount.displayFormat = QStringLiteral("#.##");
        amount.footerSum = true;
        grid.setColumns({amount});
        grid.setDataset(dm->ADOQuery13);
        dm->ADOQuery13->setSql(QStringLiteral("select * from data1 order by ID"));
        dm->ADOQuery13->open();
    }

    QList<test::PdfWord> print(const QString& footer = {}) {
        const QString pdf = env.path(QStringLiteral("slip.pdf"));
        env.platform()->previewPdfPaths.enqueue(pdf);
        SalesSlipInputs in;
        in.customerNumber = QStringLiteral("2024591");
        in.details = dm->ADOQuery13;
        in.companyName = QStringLiteral("Tolvi进销存");
        in.addressLine = QStringLiteral("电话：0571-88888888 地址：杭州");
        in.amountFooter = footer.isNull() ? grid.footerDisplayText(0) : footer;
        in.operatorName = QStringLiteral("小王");
        slip.printSalesSlip(in, nullptr);
        return test::readPdfWords(pdf);
    }
};

const test::PdfWord* find(const QList<test::PdfWord>& words, const QString& text) {
    for (const auto& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

QString joined(const QList<test::PdfWord>& words) {
    QStringList t;
    for (const auto& w : words)
        t << w.text;
    return t.join(QLatin1Char(' '));
}

double pxX(double px) {
    return kLeftMm + px * kMmPerPx;
}

} // namespace

class TestSlip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullSlip();
    void nullCustomerFieldsLeaveTheirLinesEmpty();
    void emptyListStillPrints();
    void refusedTotalPrintsTheCaptionAlone();
};

void TestSlip::fullSlip() {
    SlipFixture f({{"苹果", "红富士", "水果", 3, 12, 36, "张三", "杭州市", "13800000000"},
                   {"香蕉", "进口", "水果", 2, 5.25, 10.5, "李四", "宁波市", "13900000000"},
                   {"梨子", "雪梨", "水果", 1, 77, 77, "王五", "温州市", "13700000000"}});
    f.dm->ADOQuery13->moveTo(1); // the customer lines come from the current row
    const QList<test::PdfWord> words = f.print();
    QCOMPARE(f.env.platform()->previews, 1);
    QCOMPARE(f.env.platform()->lastPreview.pageCount, 1);
    const QString all = joined(words);

    // Title band: the company centred on x 328, the address line on 311.
    const test::PdfWord* title = find(words, QStringLiteral("Tolvi"));
    const test::PdfWord* titleEnd = find(words, QStringLiteral("进销存"));
    QVERIFY2(title && titleEnd, qPrintable(all));
    QVERIFY(qAbs((title->xMin + titleEnd->xMax) / 2 - pxX(328)) < 1.5);
    QVERIFY(qAbs(title->yMin - (kTopMm + 12 * kMmPerPx)) < 2);
    QVERIFY(all.contains(QStringLiteral("电话：0571-88888888 地址：杭州")));
    QVERIFY(all.contains(QStringLiteral("单 号：2024591")));

    // Customer bands: the current row's customer, the issue date.
    QVERIFY(all.contains(QStringLiteral("客户名称：李四")));
    QVERIFY(all.contains(QStringLiteral("客户地址：宁波市")));
    QVERIFY(all.contains(QStringLiteral("联系电话：13900000000")));
    QVERIFY(all.contains(QStringLiteral("联系人：")));
    QVERIFY(all.contains(QStringLiteral("开单日期：") +
                         QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    const test::PdfWord* contact = find(words, QStringLiteral("联系人："));
    QVERIFY(qAbs(contact->xMin - pxX(336)) < 1);

    // Column header, then one line per detail row in the dataset's order.
    for (const char* h : {"商品名称", "规格型号", "类别"})
        QVERIFY2(find(words, QString::fromUtf8(h)), h);
    const test::PdfWord* header = find(words, QStringLiteral("商品名称"));
    QVERIFY(qAbs(header->xMin - pxX(40)) < 1);
    const test::PdfWord* apple = find(words, QStringLiteral("苹果"));
    const test::PdfWord* banana = find(words, QStringLiteral("香蕉"));
    const test::PdfWord* pear = find(words, QStringLiteral("梨子"));
    QVERIFY(apple && banana && pear);
    QVERIFY(qAbs(apple->xMin - pxX(8)) < 1);
    QVERIFY(qAbs((banana->yMin - apple->yMin) - 28 * kMmPerPx) < 0.5);
    QVERIFY(qAbs((pear->yMin - banana->yMin) - 28 * kMmPerPx) < 0.5);
    QVERIFY(qAbs((apple->yMin - header->yMin) - 32 * kMmPerPx) < 1.5);
    // Numbers right-aligned at their column ends.
    const test::PdfWord* amount = find(words, QStringLiteral("10.5"));
    QVERIFY(amount);
    QVERIFY(qAbs(amount->xMax - pxX(574)) < 1);
    QVERIFY(qAbs(amount->yMin - banana->yMin) < 0.5);
    const test::PdfWord* price = find(words, QStringLiteral("5.25"));
    QVERIFY(price && qAbs(price->xMax - pxX(502)) < 1);

    // Summary: the total in capitals and in figures, then the issuer.
    QVERIFY(all.contains(QStringLiteral("（大写） 壹佰贰拾叁元伍角")));
    const test::PdfWord* figures = find(words, QStringLiteral("￥123.5"));
    QVERIFY2(figures, qPrintable(all));
    QVERIFY(qAbs(figures->xMin - pxX(528)) < 1);
    QVERIFY(figures->yMin > pear->yMax);
    const test::PdfWord* issuer = find(words, QStringLiteral("制单人：小王"));
    QVERIFY(issuer && issuer->yMin > figures->yMax);
    QVERIFY(qAbs(issuer->xMin - pxX(494)) < 1);
    QVERIFY(find(words, QStringLiteral("收货人：")) && find(words, QStringLiteral("送货人：")));
    QVERIFY(f.env.platform()->messages.isEmpty());
}

void TestSlip::nullCustomerFieldsLeaveTheirLinesEmpty() {
    SlipFixture f({{"苹果", "红富士", "水果", 1, 2, 2, {}, "杭州市", {}}});
    const QString all = joined(f.print());
    QVERIFY(!all.contains(QStringLiteral("客户名称：")));
    QVERIFY(!all.contains(QStringLiteral("联系电话：")));
    QVERIFY(all.contains(QStringLiteral("客户地址：杭州市")));
    QVERIFY(all.contains(QStringLiteral("（大写） 贰元整")));
    QVERIFY(all.contains(QStringLiteral("￥2")));
}

void TestSlip::emptyListStillPrints() {
    SlipFixture f({});
    const QList<test::PdfWord> words = f.print();
    QCOMPARE(f.env.platform()->previews, 1);
    const QString all = joined(words);
    QVERIFY2(all.contains(QStringLiteral("Tolvi 进销存")), qPrintable(all));
    QVERIFY(all.contains(QStringLiteral("联系人：")));
    QVERIFY(!all.contains(QStringLiteral("客户名称：")));
    // A zero total: the capitals caption alone and "￥" with the footer text.
    const test::PdfWord* header = find(words, QStringLiteral("商品名称"));
    const test::PdfWord* total = find(words, QStringLiteral("计"));
    QVERIFY(header && total);
    // One empty detail line between the header and the summary.
    const double headerTop = header->yMin - 8 * kMmPerPx;
    const double summaryTop = total->yMin - 5 * kMmPerPx;
    QVERIFY(qAbs(summaryTop - headerTop - 60 * kMmPerPx) < 1.5);
    QVERIFY(find(words, QStringLiteral("（大写）")));
    QVERIFY(!all.contains(QStringLiteral("元")));
    QVERIFY(find(words, QStringLiteral("￥")));
    QCOMPARE(f.slip.item(QStringLiteral("QRLabelCapitals"))->text(), QStringLiteral("（大写） "));
    QVERIFY(f.env.platform()->messages.isEmpty());
}

void TestSlip::refusedTotalPrintsTheCaptionAlone() {
    SlipFixture f({{"苹果", "红富士", "水果", 1, -5, -5, "张三", {}, {}}});
    const QString all = joined(f.print());
    QCOMPARE(f.env.platform()->texts(),
             (QStringList{QStringLiteral("45"), QStringLiteral("读取错误，应为数字")}));
    QCOMPARE(f.env.platform()->previews, 1);
    QCOMPARE(f.slip.item(QStringLiteral("QRLabelCapitals"))->text(), QStringLiteral("（大写） "));
    QVERIFY(all.contains(QStringLiteral("￥-5")));
}

QTEST_MAIN(TestSlip)
#include "tst_slip.moc"
