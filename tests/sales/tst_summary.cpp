// The summary statistics window: the grouped totals of a few goods, the grid's
// titles, footers and alignment, title sorting, the rights, the re-run after a
// saved sale, and the export and print of the grid.
#include "grid/DataGrid.h"
#include "sales/Form1.h"
#include "sales/GoodsFixture.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

using namespace tolvi;

namespace {

QList<test::Goods> smallSet() {
    auto g = [](const char* name, const char* model, double pq, double pa, double sq, double sa,
                double stock, double stockAmount) {
        return test::Goods{QString::fromUtf8(name),
                           QString::fromUtf8(model),
                           QStringLiteral("C1"),
                           QStringLiteral("水果"),
                           pq,
                           pa,
                           {},
                           sq,
                           sa,
                           stock,
                           stockAmount,
                           QStringLiteral("2024-03-01")};
    };
    // Two stock-in rows of the same apples and one of pears.
    return {g("苹果", "红富士", 10, 50, 2, 16, 8, 40), g("苹果", "红富士", 5, 30, 1, 9, 4, 24),
            g("梨", "雪梨", 6, 12, 0, 0, 6, 12)};
}

QStringList rowTexts(db::Dataset* d, int row) {
    QStringList out;
    for (int c = 0; c < d->fieldNames().size(); ++c)
        out << db::Field({}, d->value(row, c)).asString();
    return out;
}

} // namespace

class TestSummary : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void totalsPerGoods();
    void gridLayout();
    void sortsByTitle();
    void restrictedOperatorSeesNoAmounts();
    void rerunsAfterASavedSale();
    void exportsAndPrints();
};

void TestSummary::totalsPerGoods() {
    test::SalesFixture f(smallSet());
    TForm1 w(f.dm.get());
    w.show();
    db::Dataset* d = f.dm->ADOQuery12;
    QVERIFY(d->isOpen());
    QCOMPARE(d->fieldNames(), (QStringList{"a", "b", "c", "d", "进货数量", "进货金额", "销售数量",
                                           "销售金额", "库存数量", "库存金额"}));
    QCOMPARE(d->recordCount(), 2);
    QCOMPARE(d->recNo(), 1); // the cursor ends on the last row
    QStringList rows{rowTexts(d, 0).join(','), rowTexts(d, 1).join(',')};
    rows.sort();
    QCOMPARE(rows, (QStringList{QStringLiteral("梨,雪梨,C1,水果,6,12,0,0,6,12"),
                                QStringLiteral("苹果,红富士,C1,水果,15,80,3,25,12,64")}));
    grid::DataGrid* g = w.grid();
    QCOMPARE(g->footerDisplayText(0), QStringLiteral("总计"));
    const QStringList sums{"21", "92", "3", "25", "18", "76"};
    for (int c = 4; c <= 9; ++c)
        QCOMPARE(g->footerSum(c), sums[c - 4].toDouble());
    w.close();
    QVERIFY(!d->isOpen());
}

void TestSummary::gridLayout() {
    test::SalesFixture f(smallSet());
    TForm1 w(f.dm.get());
    QCOMPARE(w.windowTitle(), QStringLiteral("汇总统计"));
    QCOMPARE(w.size(), QSize(988, 572));
    grid::DataGrid* g = w.grid();
    const QStringList captions{"商 品 信 息|名 称", "商 品 信 息|规格型号", "商 品 信 息|编 码",
                               "商 品 信 息|类 别", "进 货|数 量",          "进 货|金 额",
                               "销 售|数 量",       "销 售|金 额",          "存 货|数 量",
                               "存 货|金 额"};
    QCOMPARE(g->columnCount(), 10);
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(g->column(c).caption(), captions[c]);
        QCOMPARE(bool(g->column(c).alignment & Qt::AlignHCenter), c >= 4);
        QCOMPARE(g->column(c).footerSum, c >= 4);
    }
    w.show();
    w.resize(988, 700);
    QCOMPARE(g->height(), 700 - 35);
    const QList<QAction*> actions = w.contextMenu()->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions[0]->text(), QStringLiteral("导出Excel"));
    QCOMPARE(actions[1]->text(), QStringLiteral("打 印"));
}

void TestSummary::sortsByTitle() {
    test::SalesFixture f(smallSet());
    TForm1 w(f.dm.get());
    w.runSummary();
    db::Dataset* d = f.dm->ADOQuery12;
    const int col = d->fieldIndex(QStringLiteral("进货数量"));
    auto first = [&] { return d->value(0, col).toDouble(); };
    Q_EMIT w.grid()->titleClicked(QStringLiteral("进货数量"), 4);
    QCOMPARE(first(), 15.0); // first click: descending
    QCOMPARE(w.grid()->sortMarker(4), grid::SortMarker::Down);
    Q_EMIT w.grid()->titleClicked(QStringLiteral("进货数量"), 4);
    QCOMPARE(first(), 6.0);
    Q_EMIT w.grid()->titleClicked(QStringLiteral("进货数量"), 4);
    QCOMPARE(first(), 15.0);
}

void TestSummary::restrictedOperatorSeesNoAmounts() {
    test::SalesFixture f(smallSet());
    TForm1 w(f.dm.get());
    w.setRestricted(true);
    for (int c = 0; c < 10; ++c)
        QCOMPARE(w.grid()->isColumnVisible(c), c != 5 && c != 7 && c != 9);
    w.setRestricted(false);
    for (int c = 0; c < 10; ++c)
        QVERIFY(w.grid()->isColumnVisible(c));
}

void TestSummary::rerunsAfterASavedSale() {
    test::SalesFixture f(smallSet());
    TForm1 w(f.dm.get());
    w.runSummary();
    f.panel->hooks().refreshSummary = [&] { w.runSummary(); };
    f.dm->ADOQuery15->first();
    QVERIFY(f.panel->openForGoodsRecord());
    f.panel->priceEdit()->setText(QStringLiteral("10"));
    f.panel->quantityEdit()->setText(QStringLiteral("2"));
    f.panel->saveSale();
    QCOMPARE(f.env.platform()->texts(), QStringList());
    QCOMPARE(w.grid()->footerSum(6), 5.0);  // sold 3 + 2
    QCOMPARE(w.grid()->footerSum(7), 45.0); // 25 + 20
    QCOMPARE(w.grid()->footerSum(8), 16.0); // stock 18 - 2
}

void TestSummary::exportsAndPrints() {
    test::SalesFixture f(smallSet());
    TForm1 w(f.dm.get());
    w.setOperatorName(QStringLiteral("小王"));
    w.runSummary();
    const QString xls = f.env.path(QStringLiteral("汇总.xls"));
    f.env.platform()->fileNames.enqueue(xls);
    w.contextMenu()->actions()[0]->trigger();
    QVERIFY(QFile::exists(xls));

    const QString pdf = f.env.path(QStringLiteral("summary.pdf"));
    f.env.platform()->previewPdfPaths.enqueue(pdf);
    w.contextMenu()->actions()[1]->trigger();
    QCOMPARE(f.env.platform()->previews, 1);
    const QString text = test::readPdfText(pdf);
    QString squeezed = text;
    squeezed.remove(QLatin1Char(' '));
    QVERIFY2(squeezed.contains(QStringLiteral("商品进销存统计报表")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("制表人：小王")));
    QVERIFY(text.contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    QVERIFY(text.contains(QStringLiteral("雪梨")));
}

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
