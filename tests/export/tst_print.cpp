// "打印全部清单": the list printed through the preview, read back from PDF.
#include "export/GridPrint.h"
#include "grid/DataGrid.h"
#include "grid/ListFixture.h"
#include "support/TestEnv.h"

#include <QDate>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

using namespace tolvi;

namespace {

struct Fixture {
    test::TestEnv env;
    db::Connection connection;
    db::Dataset dataset{&connection};
    grid::DataGrid grid;
    test::ScriptedPlatform* platform = env.platform();
    inline static int copies = 0;

    Fixture() {
        connection.open(mainConnectionString());
        grid.setColumns(test::shipmentColumns());
        grid.setDataset(&dataset);
    }
    void open() {
        dataset.setSql(QStringLiteral("select * from data"));
        dataset.open();
        grid.setFooterText(1, QStringLiteral("共%1条记录").arg(dataset.recordCount()));
    }
    QList<test::PdfWord> print(const QString& heading, const QString& macro) {
        const QString pdf = env.path(QStringLiteral("list.pdf"));
        platform->previewPdfPaths.enqueue(pdf);
        printGridList(&grid, heading, QStringLiteral("小王"), macro);
        // TOLVI_TEST_OUT keeps the printout for a look.
        if (qEnvironmentVariableIsSet("TOLVI_TEST_OUT"))
            QFile::copy(pdf, qEnvironmentVariable("TOLVI_TEST_OUT") + QLatin1Char('/') +
                                 QString::number(++copies) + QStringLiteral("-list.pdf"));
        return test::readPdfWords(pdf);
    }
};

QStringList texts(const QList<test::PdfWord>& words, int page = -1) {
    QStringList t;
    for (const auto& w : words)
        if (page < 0 || w.page == page)
            t.append(w.text);
    return t;
}

const test::PdfWord* find(const QList<test::PdfWord>& words, const QString& text) {
    for (const auto& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsHeadingTitlesRecordsFooterAndOperator();
    void recordsRunAcrossPagesWithTitlesOnEach();
    void hiddenColumnsAndAnotherMacro();
    void rowsKeepTheirColourOnPaper();
};

void TestPrint::printsHeadingTitlesRecordsFooterAndOperator() {
    Fixture f;
    test::insertThreeShipments(f.connection);
    f.open();
    f.dataset.moveTo(1);
    const auto words = f.print(QStringLiteral("快 递 单 打 印 清 单"), QStringLiteral("%[Today1]"));
    QCOMPARE(f.platform->previews, 1);
    QCOMPARE(f.dataset.recNo(), 1); // the current record is kept
    const QStringList t = texts(words);
    // Heading first (after the page header), bold and centred on the page.
    const QStringList heading = QStringLiteral("快 递 单 打 印 清 单").split(QLatin1Char(' '));
    QCOMPARE(t.mid(2, 7), heading);
    QCOMPARE(t.mid(0, 2), (QStringList{QStringLiteral("Page."), QStringLiteral("1")}));
    QVERIFY(std::abs((words[2].xMin + words[8].xMax) / 2 - 105) < 2);
    for (const char* title :
         {"收", "姓", "手", "地", "快", "付款日期", "数量", "金额", "会员名", "订单编号"})
        QVERIFY2(t.contains(QString::fromUtf8(title)), title);
    // Records in the dataset's order, then the footer.
    const QStringList order{QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五"),
                            QStringLiteral("总计")};
    int previous = -1;
    for (const QString& name : order) {
        const int at = t.indexOf(name);
        QVERIFY2(at > previous, qPrintable(name));
        previous = at;
    }
    QVERIFY(t.contains(QStringLiteral("北京市海淀区")));
    QVERIFY(t.contains(QStringLiteral("12.5"))); // "#.##" of the amount
    QVERIFY(t.contains(QStringLiteral("共3条记录")));
    QVERIFY(t.contains(QStringLiteral("13"))); // the footer sum of the amounts
    // The operator line, right-aligned at the right margin.
    QCOMPARE(t.mid(t.size() - 2),
             (QStringList{QStringLiteral("制表人：小王"),
                          QStringLiteral("日期：") +
                              QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))}));
    QVERIFY(std::abs(words.last().xMax - 190) < 1.5);
    QVERIFY(words.last().yMin > find(words, QStringLiteral("总计"))->yMax);
}

void TestPrint::recordsRunAcrossPagesWithTitlesOnEach() {
    Fixture f;
    for (int i = 0; i < 90; ++i)
        test::insertShipment(f.connection, {QStringLiteral("k%1").arg(i, 3, 10, QLatin1Char('0')),
                                            QStringLiteral("139%1").arg(i, 8, 10, QLatin1Char('0')),
                                            QStringLiteral("北京市朝阳区建国路%1号").arg(i),
                                            QStringLiteral("申通"), QStringLiteral("未打印"),
                                            QStringLiteral("2024-05-01"), QString(), 1, 2,
                                            QString(), QString(), QString()});
    f.open();
    f.dataset.sort(QStringLiteral("a DESC"));
    const auto words = f.print(QStringLiteral("快 递 单 打 印 清 单"), QStringLiteral("%[Today1]"));
    const int pages = words.last().page + 1;
    QVERIFY(pages >= 3);
    QStringList names;
    for (const auto& w : words)
        if (w.text.startsWith(QLatin1Char('k')))
            names.append(w.text);
    QCOMPARE(names.size(), 90);
    for (int i = 0; i < 90; ++i)
        QCOMPARE(names[i], QStringLiteral("k%1").arg(89 - i, 3, 10, QLatin1Char('0')));
    for (int p = 0; p < pages; ++p) {
        const QStringList t = texts(words, p);
        QCOMPARE(t.mid(0, 2), (QStringList{QStringLiteral("Page."), QString::number(p + 1)}));
        if (p < pages - 1 || t.contains(QStringLiteral("k000")))
            QVERIFY(t.contains(QStringLiteral("会员名")));
        for (const auto& w : words)
            if (w.page == p)
                QVERIFY(w.yMax < 297 - 20 + 0.5);
    }
    QCOMPARE(texts(words).count(QStringLiteral("制表人：小王")), 1);
    QCOMPARE(words.last().text.left(3), QStringLiteral("日期："));
}

void TestPrint::hiddenColumnsAndAnotherMacro() {
    Fixture f;
    test::insertThreeShipments(f.connection);
    f.open();
    f.grid.setColumnVisible(5, false);
    const auto words = f.print(QStringLiteral("销 售 统 计 报 表"), QStringLiteral("%[Today]"));
    const QStringList t = texts(words);
    QVERIFY(!t.contains(QStringLiteral("付款日期")) && !t.contains(QStringLiteral("付款日")));
    QVERIFY(!t.contains(QStringLiteral("2024-05-01")));
    QVERIFY(t.contains(QStringLiteral("会员名")));
    const QStringList heading = QStringLiteral("销 售 统 计 报 表").split(QLatin1Char(' '));
    QCOMPARE(t.mid(2, heading.size()), heading);
    QVERIFY(t.contains(QStringLiteral("制表人：小王")));
    QVERIFY(!t.join(QString()).contains(QStringLiteral("%[")));
}

// Printed in colour: the row the grid shows red (a printed shipment) is red on
// the page, the others black.
void TestPrint::rowsKeepTheirColourOnPaper() {
    Fixture f;
    test::insertThreeShipments(f.connection); // 张三 is printed ("已打印")
    f.grid.setRowColor([&f](int row) {
        return f.dataset.value(row, f.dataset.fieldIndex(QStringLiteral("g"))).toString() ==
                       QStringLiteral("已打印")
                   ? QColor(Qt::red)
                   : QColor();
    });
    f.open();
    const auto words = f.print(QStringLiteral("清单"), QString());
    const QString png = f.env.path(QStringLiteral("list"));
    constexpr int dpi = 150;
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                QStringLiteral("1"), QStringLiteral("-singlefile"),
                                f.env.path(QStringLiteral("list.pdf")), png}),
             0);
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    // Red and dark pixels inside a word's box.
    auto inks = [&](const QString& text) {
        const test::PdfWord* w = find(words, text);
        int red = 0, dark = 0;
        if (!w)
            return std::pair{-1, -1};
        const auto px = [](double mm) { return static_cast<int>(mm / 25.4 * dpi); };
        for (int y = px(w->yMin); y <= px(w->yMax); ++y)
            for (int x = px(w->xMin); x <= px(w->xMax); ++x) {
                const QColor c = page.pixelColor(x, y);
                red += c.red() > 160 && c.green() < 110 && c.blue() < 110;
                dark += c.red() < 90 && c.green() < 90 && c.blue() < 90;
            }
        return std::pair{red, dark};
    };
    for (const char* printed : {"张三", "北京市海淀区", "12.5"}) {
        const auto [red, dark] = inks(QString::fromUtf8(printed));
        QVERIFY2(red > 10 && dark == 0, printed);
    }
    for (const char* waiting : {"李四", "圆通"}) {
        const auto [red, dark] = inks(QString::fromUtf8(waiting));
        QVERIFY2(red == 0 && dark > 10, waiting);
    }
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
