#include "sales/Form1.h"

#include "data/Dm.h"
#include "data/Mylib.h"
#include "export/ExportGridToExcel.h"
#include "export/GridPrint.h"
#include "grid/DataGrid.h"
#include "grid/GridView.h"

#include <QCloseEvent>
#include <QMenu>

namespace tolvi {
namespace {

QList<grid::GridColumn> summaryColumns() {
    struct Def {
        const char* field;
        const char* upper;
        const char* title;
        int width;
    };
    const Def defs[] = {
        {"a", "商 品 信 息", "名 称", 160}, {"b", "商 品 信 息", "规格型号", 110},
        {"c", "商 品 信 息", "编 码", 100}, {"d", "商 品 信 息", "类 别", 80},
        {"进货数量", "进 货", "数 量", 80}, {"进货金额", "进 货", "金 额", 90},
        {"销售数量", "销 售", "数 量", 80}, {"销售金额", "销 售", "金 额", 90},
        {"库存数量", "存 货", "数 量", 80}, {"库存金额", "存 货", "金 额", 90},
    };
    QList<grid::GridColumn> columns;
    for (int i = 0; i < 10; ++i) {
        grid::GridColumn c;
        c.fieldName = QString::fromUtf8(defs[i].field);
        c.upperTitle = QString::fromUtf8(defs[i].upper);
        c.title = QString::fromUtf8(defs[i].title);
        c.width = defs[i].width;
        if (i >= 4) {
            c.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
            c.footerSum = true;
            c.footerAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
        } else {
            c.alignment = Qt::AlignLeft | Qt::AlignVCenter;
        }
        columns.append(c);
    }
    columns[0].footerText = QStringLiteral("总计");
    columns[0].footerAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
    return columns;
}

} // namespace

const QString& TForm1::summaryStatement() {
    static const QString s = QStringLiteral(
        "sELECT a,b,c,d, sum([2]) AS 进货数量,sum([3]) AS 进货金额,sum([5]) AS "
        "销售数量,sum([6]) AS 销售金额, sum([7]) AS 库存数量,sum([8]) AS 库存金额 FROM data "
        "GROUP BY a,b,c,d ");
    return s;
}

TForm1::TForm1(Tdmfm* dm, QWidget* parent) : QWidget(parent, Qt::Window), dm_(dm) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("汇总统计"));
    setAccessibleName(QStringLiteral("汇总统计"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(988, 572);

    grid_ = new grid::DataGrid(this);
    grid_->setAccessibleName(QStringLiteral("汇总统计列表"));
    grid_->setColumns(summaryColumns());
    grid_->setDataset(dm_->ADOQuery12);
    connect(grid_, &grid::DataGrid::titleClicked, this,
            [this](const QString&, int column) { runCommand(this, [&] { sortByTitle(column); }); });

    menu_ = new QMenu(this);
    QAction* exportAction = menu_->addAction(QStringLiteral("导出Excel"));
    QAction* printAction = menu_->addAction(QStringLiteral("打 印"));
    connect(exportAction, &QAction::triggered, this,
            [this] { runCommand(this, [this] { exportToExcel(); }); });
    connect(printAction, &QAction::triggered, this,
            [this] { runCommand(this, [this] { printList(); }); });
    grid_->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_->view(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        menu_->popup(grid_->view()->viewport()->mapToGlobal(pos));
    });
    grid_->setGeometry(0, 0, width(), height() - 35);
}

void TForm1::runSummary() {
    openQuery(dm_->ADOQuery12, summaryStatement());
    dm_->ADOQuery12->last();
}

void TForm1::sortByTitle(int column) {
    db::Dataset* d = dm_->ADOQuery12;
    if (!d->isOpen() || column < 0 || column >= grid_->columnCount())
        return;
    const QString field = QLatin1Char('[') + grid_->column(column).fieldName + QLatin1Char(']');
    // The mark alternates: "down" sorts ascending, anything else descending.
    if (grid_->sortMarker(column) == grid::SortMarker::Down)
        d->sort(field);
    else
        d->sort(field + QStringLiteral(" DESC"));
}

void TForm1::exportToExcel() {
    exportGridToExcel(grid_, QStringLiteral("商品进销存统计报表"), operatorName_, this);
}

void TForm1::printList() {
    printGridList(grid_, QStringLiteral("商 品 进 销 存 统 计 报 表"), operatorName_,
                  QStringLiteral("%[Today1]"), this);
}

void TForm1::setRestricted(bool restricted) {
    for (int column : {5, 7, 9})
        grid_->setColumnVisible(column, !restricted);
}

void TForm1::centreOver(QWidget* mainWindow) {
    if (!mainWindow)
        return;
    const QRect r = frameGeometry();
    move(mainWindow->frameGeometry().center() - QPoint(r.width() / 2, r.height() / 2));
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    runCommand(this, [this] { runSummary(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    dm_->ADOQuery12->close();
    QWidget::closeEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    grid_->setGeometry(0, 0, width(), std::max(0, height() - 35));
}

} // namespace tolvi
