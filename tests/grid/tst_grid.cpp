// The data grid over a real dataset: columns, footer sums, selection, the
// current row, row colours, column visibility, titles and the sort mark.
#include "grid/DataGrid.h"
#include "grid/GridHeader.h"
#include "grid/GridView.h"
#include "grid/ListFixture.h"
#include "support/TestEnv.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

using namespace tolvi;
using namespace tolvi::grid;

namespace {

struct Fixture {
    test::TestEnv env;
    db::Connection connection;
    db::Dataset dataset{&connection};
    DataGrid grid;

    explicit Fixture(bool threeRows = true) {
        connection.open(mainConnectionString());
        if (threeRows)
            test::insertThreeShipments(connection);
        grid.setColumns(test::shipmentColumns());
        grid.setDataset(&dataset);
        grid.resize(900, 300);
        grid.show();
        dataset.setSql(QStringLiteral("select * from data"));
        dataset.open();
    }
    QString cell(int row, int column) const {
        return grid.model()->index(row, column).data().toString();
    }
    QPoint rowPoint(int row) const {
        return grid.view()->visualRect(grid.model()->index(row, 0)).center();
    }
    void click(int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, mods, rowPoint(row));
    }
};

} // namespace

class TestGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsShowTheDatasetThroughTheColumns();
    void footerSumsFollowEveryChange();
    void selectionRules();
    void currentRowFollowsTheDatasetBothWays();
    void rowColourFollowsTheRow();
    void hidingColumnsKeepsTheWidthFilled();
    void titleClicksAndSortMark();
    void largeListLoads();
};

void TestGrid::cellsShowTheDatasetThroughTheColumns() {
    Fixture f;
    QCOMPARE(f.grid.model()->rowCount(), 3);
    QCOMPARE(f.grid.model()->columnCount(), 12);
    QCOMPARE(f.cell(0, 0), QStringLiteral("张三"));
    QCOMPARE(f.cell(0, 7), QStringLiteral("2"));
    QCOMPARE(f.cell(0, 8), QStringLiteral("12.5")); // "#.##"
    QCOMPARE(f.cell(1, 8), QStringLiteral(".5"));
    QCOMPARE(f.cell(2, 8), QString()); // 0 shows nothing
    QCOMPARE(f.cell(1, 2), QString()); // NULL shows nothing
    QCOMPARE(f.cell(2, 2), QStringLiteral("上海市浦东新区世纪大道一百号"));
    const auto align = [&](int col) {
        return Qt::Alignment(f.grid.model()->index(0, col).data(Qt::TextAlignmentRole).toInt()) &
               Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(align(0), Qt::AlignLeft);
    QCOMPARE(align(3), Qt::AlignHCenter);
    QCOMPARE(align(8), Qt::AlignRight);
    // A column whose field the dataset lacks shows nothing rather than failing.
    GridColumn missing = GridColumn::fromCaption(QStringLiteral("nosuch"), QStringLiteral("X|Y"));
    f.grid.setColumn(11, missing);
    QCOMPARE(f.cell(0, 11), QString());
    QCOMPARE(f.grid.column(11).upperTitle, QStringLiteral("X"));
    QCOMPARE(f.grid.column(11).title, QStringLiteral("Y"));
}

void TestGrid::footerSumsFollowEveryChange() {
    Fixture f;
    f.grid.setFooterText(1, QStringLiteral("共3条记录"));
    QCOMPARE(f.grid.footerDisplayText(0), QStringLiteral("总计"));
    QCOMPARE(f.grid.footerDisplayText(1), QStringLiteral("共3条记录"));
    QCOMPARE(f.grid.footerDisplayText(7), QStringLiteral("6"));
    QCOMPARE(f.grid.footerDisplayText(8), QStringLiteral("13")); // 12.5 + .5 + 0, "#.##"
    QCOMPARE(f.grid.footerDisplayText(2), QString());

    QSignalSpy changed(f.grid.model(), &GridModel::footerChanged);
    f.dataset.moveTo(1);
    f.dataset.edit();
    f.dataset.setValue(QStringLiteral("1"), 10);
    f.dataset.setValue(QStringLiteral("2"), 1.25);
    f.dataset.post();
    QVERIFY(!changed.isEmpty());
    QCOMPARE(f.grid.footerDisplayText(7), QStringLiteral("15"));
    QCOMPARE(f.grid.footerDisplayText(8), QStringLiteral("13.75"));

    f.dataset.moveTo(0);
    f.dataset.deleteCurrent();
    QCOMPARE(f.grid.model()->rowCount(), 2);
    QCOMPARE(f.grid.footerSum(7), 13.0);
    QCOMPARE(f.grid.footerDisplayText(8), QStringLiteral("1.25"));

    f.dataset.append();
    f.dataset.setValue(QStringLiteral("a"), QStringLiteral("赵六"));
    f.dataset.setValue(QStringLiteral("1"), 4);
    f.dataset.post();
    QCOMPARE(f.grid.model()->rowCount(), 3);
    QCOMPARE(f.grid.footerSum(7), 17.0);

    f.dataset.setSql(QStringLiteral("select * from data where a like '%赵%'"));
    f.dataset.open();
    QCOMPARE(f.grid.footerSum(7), 4.0);
    QCOMPARE(f.grid.footerDisplayText(8), QString()); // NULL amount: sum 0 shows nothing
    // Fixed texts stay through reloads; only the owner rewrites them.
    QCOMPARE(f.grid.footerDisplayText(1), QStringLiteral("共3条记录"));

    f.dataset.close();
    QCOMPARE(f.grid.model()->rowCount(), 0);
    QCOMPARE(f.grid.footerSum(7), 0.0);
}

void TestGrid::selectionRules() {
    Fixture f;
    for (int i = 0; i < 5; ++i)
        test::insertShipment(
            f.connection,
            {QStringLiteral("行%1").arg(i), {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
    f.dataset.open();
    QCOMPARE(f.grid.model()->rowCount(), 8);

    f.click(1);
    QCOMPARE(f.grid.selectedRows(), QList<int>({1}));
    f.click(3, Qt::ControlModifier);
    QCOMPARE(f.grid.selectedRows(), QList<int>({1, 3}));
    f.click(1, Qt::ControlModifier);
    QCOMPARE(f.grid.selectedRows(), QList<int>({3}));
    f.click(5, Qt::ShiftModifier); // extends from the row clicked last
    QCOMPARE(f.grid.selectedRows(), QList<int>({1, 2, 3, 4, 5}));
    f.click(2);
    QCOMPARE(f.grid.selectedRows(), QList<int>({2}));
    f.click(4, Qt::ShiftModifier);
    QCOMPARE(f.grid.selectedRows(), QList<int>({2, 3, 4}));
    QCOMPARE(f.dataset.recNo(), 4);
    f.click(6, Qt::ControlModifier);
    QCOMPARE(f.grid.selectedRows(), QList<int>({2, 3, 4, 6}));
    f.click(0);
    QCOMPARE(f.grid.selectedRows(), QList<int>({0}));

    f.click(2);
    f.click(4, Qt::ControlModifier);
    QTest::keyClick(f.grid.view(), Qt::Key_Down);
    QCOMPARE(f.grid.selectedRows(), QList<int>({5}));
    QCOMPARE(f.dataset.recNo(), 5);
    QTest::keyClick(f.grid.view(), Qt::Key_Up);
    QCOMPARE(f.grid.selectedRows(), QList<int>({4}));
}

void TestGrid::currentRowFollowsTheDatasetBothWays() {
    Fixture f;
    QCOMPARE(f.grid.currentRow(), 0); // opening puts the cursor on the first row
    f.dataset.last();
    QCOMPARE(f.grid.currentRow(), 2);
    QCOMPARE(f.grid.selectedRows(), QList<int>({2}));
    f.click(1);
    QCOMPARE(f.dataset.recNo(), 1);
    QCOMPARE(f.dataset.fieldByName(QStringLiteral("a")).asString(), QStringLiteral("李四"));

    QSignalSpy doubled(&f.grid, &DataGrid::rowDoubleClicked);
    f.click(2);
    QTest::mouseDClick(f.grid.view()->viewport(), Qt::LeftButton, {}, f.rowPoint(2));
    QCOMPARE(doubled.size(), 1);
    QCOMPARE(doubled.at(0).at(0).toInt(), 2);
    QCOMPARE(f.dataset.recNo(), 2);

    // Deleting the current row leaves grid and dataset on the same row.
    f.dataset.moveTo(1);
    f.dataset.deleteCurrent();
    QCOMPARE(f.dataset.recNo(), 1);
    QCOMPARE(f.grid.currentRow(), 1);
    QCOMPARE(f.dataset.fieldByName(QStringLiteral("a")).asString(), QStringLiteral("王五"));
    f.dataset.deleteCurrent();
    QCOMPARE(f.dataset.recNo(), 0);
    QCOMPARE(f.grid.currentRow(), 0);

    f.dataset.sort(QStringLiteral("a DESC"));
    QCOMPARE(f.grid.currentRow(), f.dataset.recNo());
    f.dataset.close();
    QCOMPARE(f.grid.currentRow(), -1);
    QVERIFY(f.grid.selectedRows().isEmpty());
}

void TestGrid::rowColourFollowsTheRow() {
    Fixture f;
    const int g = f.dataset.fieldIndex(QStringLiteral("g"));
    f.grid.setRowColor([&](int row) {
        return f.dataset.value(row, g).toString() == QStringLiteral("已打印") ? QColor(Qt::red)
                                                                              : QColor();
    });
    auto colour = [&](int row, int col) {
        return f.grid.model()->index(row, col).data(Qt::ForegroundRole).value<QColor>();
    };
    QCOMPARE(colour(0, 0), QColor(Qt::red));
    QCOMPARE(colour(0, 11), QColor(Qt::red));
    QVERIFY(!colour(1, 0).isValid());

    QSignalSpy changed(f.grid.model(), &QAbstractItemModel::dataChanged);
    f.dataset.moveTo(0);
    f.dataset.edit();
    f.dataset.setValue(QStringLiteral("g"), QStringLiteral("未打印"));
    f.dataset.post();
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().at(0).value<QModelIndex>().row(), 0);
    QVERIFY(!colour(0, 0).isValid());
}

void TestGrid::hidingColumnsKeepsTheWidthFilled() {
    Fixture f;
    GridView* view = f.grid.view();
    auto totalWidth = [&] {
        int w = 0;
        for (int c = 0; c < 12; ++c)
            if (!view->isColumnHidden(c))
                w += view->columnWidth(c);
        return w;
    };
    QCOMPARE(totalWidth(), view->viewport()->width());
    // The designed ratios hold: the address column (240) is six times "数量" (40).
    QVERIFY(qAbs(view->columnWidth(2) - 6 * view->columnWidth(7)) <= 6);
    // ...and survive reloads, which rebuild the header's sections, also
    // while the grid is hidden.
    f.dataset.open();
    f.grid.hide();
    f.dataset.open();
    f.grid.show();
    QTest::qWait(0);
    QVERIFY(qAbs(view->columnWidth(2) - 6 * view->columnWidth(7)) <= 6);
    QCOMPARE(totalWidth(), view->viewport()->width());

    for (int c = 5; c < 12; ++c)
        f.grid.setColumnVisible(c, false);
    for (int c = 5; c < 12; ++c)
        QVERIFY(view->isColumnHidden(c));
    QVERIFY(!f.grid.isColumnVisible(6));
    QCOMPARE(totalWidth(), view->viewport()->width());
    for (int c = 5; c < 12; ++c)
        f.grid.setColumnVisible(c, true);
    QVERIFY(!view->isColumnHidden(8));
    QCOMPARE(totalWidth(), view->viewport()->width());

    // A hidden middle column takes no room at all: its neighbours meet, and
    // the titles and footer (placed by the header) leave no strip between.
    f.grid.setColumnVisible(3, false);
    QHeaderView* header = view->horizontalHeader();
    QCOMPARE(header->sectionPosition(4), header->sectionPosition(2) + header->sectionSize(2));
    QCOMPARE(header->length(), view->viewport()->width());
    f.grid.setColumnVisible(3, true);
    QCOMPARE(header->length(), view->viewport()->width());

    // A column the user widens keeps its width; the others make room.
    view->horizontalHeader()->resizeSection(2, 400);
    QCOMPARE(view->columnWidth(2), 400);
    QCOMPARE(totalWidth(), view->viewport()->width());
    f.grid.resize(1200, 300);
    QTest::qWait(0);
    QCOMPARE(totalWidth(), view->viewport()->width());

    // Two title levels of 18 pixels, row height settable.
    QCOMPARE(f.grid.header()->height(), 36);
    f.grid.setRowHeight(22);
    QCOMPARE(view->rowHeight(0), 22);
}

void TestGrid::titleClicksAndSortMark() {
    Fixture f;
    QSignalSpy clicked(&f.grid, &DataGrid::titleClicked);
    GridHeader* header = f.grid.header();
    const int x = header->sectionViewportPosition(7) + header->sectionSize(7) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 27)); // lower title
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.at(0).at(0).toString(), QStringLiteral("1"));
    QCOMPARE(clicked.at(0).at(1).toInt(), 7);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 8)); // shared upper title
    QCOMPARE(clicked.size(), 1);

    QCOMPARE(f.grid.sortMarker(7), SortMarker::None);
    f.dataset.sort(QStringLiteral("1 DESC"));
    QCOMPARE(f.grid.sortMarker(7), SortMarker::Down);
    QCOMPARE(f.grid.sortMarker(8), SortMarker::None);
    QCOMPARE(f.cell(0, 0), QStringLiteral("王五"));
    f.dataset.sort(QStringLiteral("[1]"));
    QCOMPARE(f.grid.sortMarker(7), SortMarker::Up);
    QCOMPARE(f.cell(0, 0), QStringLiteral("李四"));
    f.dataset.open(); // a new query brings back the stored order
    QCOMPARE(f.grid.sortMarker(7), SortMarker::None);

    if (qEnvironmentVariableIsSet("TOLVI_GRID_SNAPSHOT")) {
        f.grid.setFooterText(1, QStringLiteral("共3条记录"));
        f.dataset.sort(QStringLiteral("2 DESC"));
        f.grid.setRowColor([&](int row) {
            return f.dataset.value(row, f.dataset.fieldIndex(QStringLiteral("g"))).toString() ==
                           QStringLiteral("已打印")
                       ? QColor(Qt::red)
                       : QColor();
        });
        f.grid.grab().save(qEnvironmentVariable("TOLVI_GRID_SNAPSHOT"));
    }
}

void TestGrid::largeListLoads() {
    Fixture f(false);
    f.connection.exec(QStringLiteral("select 1")); // connection is live
    f.connection.execBound(
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM n WHERE "
                       "x<100000) INSERT INTO data (a,\"1\",\"2\") SELECT 'r'||x, 1, 0.5 FROM n"),
        {});
    f.dataset.open();
    QCOMPARE(f.grid.model()->rowCount(), 100000);
    QCOMPARE(f.grid.footerSum(7), 100000.0);
    QCOMPARE(f.grid.footerDisplayText(8), QStringLiteral("50000"));
    f.dataset.last();
    QCOMPARE(f.grid.currentRow(), 99999);
    QCOMPARE(f.cell(99999, 0), QStringLiteral("r100000"));
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
