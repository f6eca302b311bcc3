#include "sales/Txstj.h"

#include "chart/SalesBarChart.h"
#include "data/Dm.h"
#include "data/Mylib.h"
#include "grid/DataGrid.h"
#include "grid/GridView.h"
#include "platform/SettingsStore.h"
#include "sales/PosSlipPanel.h"
#include "sales/SalesDetailColumns.h"
#include "sales/SalesRecordPanel.h"
#include "sales/XstjPanelFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

namespace tolvi {
namespace {

const QString kDefaultCompany = QStringLiteral("Tolvi进销存");
const QString kDefaultAddress = QStringLiteral("网址：http://www.tolvi.example");

QPushButton* button(QWidget* parent, const QString& caption, int x, int y, int w = 80) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(x, y, w, 26);
    b->setAccessibleName(caption.trimmed());
    return b;
}

QComboBox* listBox(const QStringList& items) {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->addItems(items);
    return box;
}

} // namespace

Txstj::Txstj(Tdmfm* dm, QWidget* parent) : QDialog(parent), dm_(dm ? dm : Tdmfm::instance()) {
    setWindowTitle(QStringLiteral("销售明细"));
    setAccessibleName(QStringLiteral("销售明细"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    resize(1008, 585);

    pages_ = new QTabWidget(this);
    pages_->setAccessibleName(QStringLiteral("销售明细"));
    auto* detail = new QWidget;
    auto* stats = new QWidget;
    pages_->addTab(detail, QStringLiteral("销售明细"));
    pages_->addTab(stats, QStringLiteral("销售统计"));
    buildDetailPage(detail);
    buildChartPage(stats);
    buildMenu();
    applyColumns();

    slipTimer_ = new QTimer(this);
    slipTimer_->setInterval(200);
    connect(slipTimer_, &QTimer::timeout, slip_, &xstj::PosSlipPanel::updateSlipTotal);
    slipTimer_->start();

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

Txstj::~Txstj() = default;

void Txstj::run(const std::function<void()>& command) {
    runCommand(this, command);
}

void Txstj::buildDetailPage(QWidget* page) {
    grid_ = new grid::DataGrid(page);
    grid_->setAccessibleName(QStringLiteral("销售明细列表"));
    grid_->setColumns(xstj::salesDetailColumns());
    grid_->setDataset(dm_->ADOQuery13);
    grid_->setGeometry(0, 0, 1000, 372);
    // A reopened list gets new header sections, which the view takes for a
    // user's resize; put the designed widths back and fit them again.
    connect(dm_->ADOQuery13, &db::Dataset::reset, grid_, [this] {
        const QList<grid::GridColumn> designed = xstj::salesDetailColumns();
        for (int c = 0; c < designed.size(); ++c)
            grid_->model()->column(c).width = designed[c].width;
        grid_->view()->fitColumns();
    });
    connect(grid_, &grid::DataGrid::titleClicked, this,
            [this](const QString& field, int column) { sortByTitle(field, column); });
    connect(grid_, &grid::DataGrid::rowDoubleClicked, this,
            [this] { run([this] { openModify(); }); });
    connect(grid_->view(), &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        // The row number goes into a hidden field whose change hides the panel.
        if (index.row() != clickedRow_) {
            clickedRow_ = index.row();
            record_->hide();
        }
    });
    grid_->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_->view(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        menu_->popup(grid_->view()->viewport()->mapToGlobal(pos));
    });

    buildQueryGroup(page);
    buildSettingsGroup(page);

    record_ = new xstj::SalesRecordPanel(page);
    record_->move(250, 60);
    connect(record_, &xstj::XstjPanelFrame::closeClicked, record_, &QWidget::hide);
    connect(record_->modifyButton(), &QPushButton::clicked, this,
            [this] { run([this] { modifyRecord(); }); });
    connect(record_->deleteButton(), &QPushButton::clicked, this,
            [this] { run([this] { deleteRecord(); }); });

    slip_ = new xstj::PosSlipPanel(page);
    slip_->move(180, 30);
    connect(slip_, &xstj::PosSlipPanel::printRequested, this,
            [this] { run([this] { printReceipt(); }); });
}

void Txstj::buildQueryGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral(" 快速拼音查询"), page);
    group->setGeometry(4, 378, 640, 170);
    category_ = listBox({});
    xstj::placeCaptioned(group, QStringLiteral("类 别："), category_, 6, 22, 120, 70);
    nameInitials_ = new QLineEdit;
    nameInitials_->setPlaceholderText(QStringLiteral("输入字母拼音查询"));
    xstj::placeCaptioned(group, QStringLiteral("商品名称："), nameInitials_, 206, 22, 120, 80);
    code_ = new QLineEdit;
    xstj::placeCaptioned(group, QStringLiteral("商品编码："), code_, 416, 22, 120, 80);
    specInitials_ = new QLineEdit;
    specInitials_->setPlaceholderText(QStringLiteral("输入字母拼音查询"));
    xstj::placeCaptioned(group, QStringLiteral("规格型号："), specInitials_, 6, 54, 120, 70);
    customerName_ = new QLineEdit;
    xstj::placeCaptioned(group, QStringLiteral("客户名称："), customerName_, 206, 54, 120, 80);
    remark_ = new QLineEdit;
    xstj::placeCaptioned(group, QStringLiteral("备 注："), remark_, 416, 54, 120, 80);

    dateCheck_ = new QCheckBox(QStringLiteral("销售日期："), group);
    dateCheck_->setGeometry(10, 88, 90, 22);
    fromDate_ = new QDateEdit(QDate::currentDate(), group);
    toDate_ = new QDateEdit(QDate::currentDate(), group);
    for (QDateEdit* d : {fromDate_, toDate_}) {
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
    }
    fromDate_->setGeometry(100, 88, 110, 22);
    fromDate_->setAccessibleName(QStringLiteral("销售日期："));
    auto* to = new QLabel(QStringLiteral("至"), group);
    to->setGeometry(214, 88, 20, 22);
    to->setBuddy(toDate_);
    toDate_->setGeometry(236, 88, 110, 22);
    toDate_->setAccessibleName(QStringLiteral("至"));

    const auto combined = [this] { run([this] { runCombinedQuery(); }); };
    connect(category_, &QComboBox::editTextChanged, this, combined);
    for (QLineEdit* e : {nameInitials_, code_, specInitials_, customerName_, remark_})
        connect(e, &QLineEdit::textChanged, this, combined);

    connect(button(group, QStringLiteral("查 询"), 10, 128), &QPushButton::clicked, this, combined);
    connect(button(group, QStringLiteral("本 月"), 100, 128), &QPushButton::clicked, this,
            [this] { run([this] { runThisMonth(); }); });
    connect(button(group, QStringLiteral("清空条件"), 190, 128), &QPushButton::clicked, this,
            [this] { run([this] { clearConditions(); }); });
    connect(button(group, QStringLiteral("全部记录"), 280, 128), &QPushButton::clicked, this,
            [this] { run([this] { runAll(); }); });
    connect(button(group, QStringLiteral("当 天"), 370, 128), &QPushButton::clicked, this,
            [this] { run([this] { runToday(); }); });
}

void Txstj::buildSettingsGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral(" 个性信息设置"), page);
    group->setGeometry(650, 378, 350, 170);
    company_ = new QLineEdit(kDefaultCompany);
    xstj::placeCaptioned(group, QStringLiteral("单位名称："), company_, 6, 24, 250, 80);
    address_ = new QLineEdit(kDefaultAddress);
    xstj::placeCaptioned(group, QStringLiteral("电话地址："), address_, 6, 56, 250, 80);
    for (QLineEdit* e : {company_, address_})
        e->setReadOnly(true);
    customerNumber_ = new QLineEdit;
    xstj::placeCaptioned(group, QStringLiteral("客户编号："), customerNumber_, 6, 88, 150, 80);
    QPushButton* slipButton = button(group, QStringLiteral("销售单打印"), 110, 128, 120);
    connect(slipButton, &QPushButton::clicked, this, [this] {
        if (printSalesSlip_)
            run(printSalesSlip_);
    });
    connect(company_, &QLineEdit::textChanged, this,
            [](const QString& t) { SettingsStore::write(kKeyJxc, QStringLiteral("company"), t); });
    connect(address_, &QLineEdit::textChanged, this,
            [](const QString& t) { SettingsStore::write(kKeyJxc, QStringLiteral("address"), t); });
    connect(customerNumber_, &QLineEdit::textChanged, this,
            [this] { run([this] { filterByCustomerNumber(); }); });
}

void Txstj::buildChartPage(QWidget* page) {
    QStringList years, months;
    for (int y = 2009; y <= 2016; ++y)
        years.append(QString::number(y));
    for (int m = 1; m <= 12; ++m)
        months.append(QString::number(m));
    const auto controls = [&](QWidget* bar, QComboBox*& year, QComboBox** month) {
        year = listBox(years);
        xstj::placeCaptioned(bar, QStringLiteral("年份："), year, 0, 20, 80, 50);
        int y = 52;
        if (month) {
            *month = listBox(months);
            xstj::placeCaptioned(bar, QStringLiteral("月份："), *month, 0, y, 80, 50);
            y += 32;
        }
        return y;
    };
    monthChart_ = new chart::SalesBarChart(dm_->ADOConnection1, QStringLiteral("月销售报表统计"),
                                           12, QStringLiteral("月"), page);
    monthChart_->setGeometry(0, 0, 850, 265);
    monthChartBar_ = new QWidget(page);
    monthChartBar_->setGeometry(860, 0, 140, 265);
    int y = controls(monthChartBar_, monthYear_, nullptr);
    connect(button(monthChartBar_, QStringLiteral("查询利润"), 20, y + 10, 100),
            &QPushButton::clicked, this, [this] { run([this] { runMonthlyProfit(); }); });
    connect(button(monthChartBar_, QStringLiteral("查询销售额"), 20, y + 46, 100),
            &QPushButton::clicked, this, [this] { run([this] { runMonthlySales(); }); });

    dayChart_ = new chart::SalesBarChart(dm_->ADOConnection1, QStringLiteral("日销售报表统计"), 32,
                                         QStringLiteral("日"), page);
    dayChart_->setGeometry(0, 268, 850, 265);
    dayChartBar_ = new QWidget(page);
    dayChartBar_->setGeometry(860, 268, 140, 265);
    y = controls(dayChartBar_, dayYear_, &dayMonth_);
    connect(button(dayChartBar_, QStringLiteral("查询利润"), 20, y + 10, 100),
            &QPushButton::clicked, this, [this] { run([this] { runDailyProfit(); }); });
    connect(button(dayChartBar_, QStringLiteral("查询销售额"), 20, y + 46, 100),
            &QPushButton::clicked, this, [this] { run([this] { runDailySales(); }); });
}

void Txstj::buildMenu() {
    menu_ = new QMenu(this);
    const auto add = [this](const QString& caption, const std::function<void()>& command,
                            const QKeySequence& shortcut = {}) {
        QAction* a = menu_->addAction(caption);
        connect(a, &QAction::triggered, this, [this, command] { run(command); });
        if (!shortcut.isEmpty()) {
            a->setShortcut(shortcut);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
        return a;
    };
    add(QStringLiteral("POS小票(销售单)打印"), [this] { addToSlip(); });
    menu_->addSeparator();
    modifyAction_ = add(QStringLiteral("修 改 "), [this] { openModify(); });
    deleteAction_ = add(
        QStringLiteral("删 除"), [this] { openDelete(); }, QKeySequence::Delete);
    add(
        QStringLiteral("导出Excel"), [this] { exportList(); }, QKeySequence(Qt::CTRL | Qt::Key_E));
    add(
        QStringLiteral("打 印"), [this] { printList(); }, QKeySequence(Qt::CTRL | Qt::Key_D));
    const char* captions[] = {"隐藏销售单价",     "隐藏销售日期", "隐藏欠款",     "隐藏净利润",
                              "隐藏全部客户信息", "显示客户编号", "隐藏客户名称", "隐藏联系方式",
                              "隐藏地址",         "隐藏备注"};
    for (int choice = 1; choice <= xstj::kChoiceCount; ++choice) {
        if (choice == 1 || choice == 5)
            menu_->addSeparator();
        QAction* a = add(QString::fromUtf8(captions[choice - 1]),
                         [this, choice] { toggleColumnChoice(choice); });
        a->setCheckable(true);
        choiceActions_.at(choice - 1) = a;
    }
    menu_->addSeparator();
    showAllAction_ = add(QStringLiteral("全部显示"), [this] { showAllColumns(); });
}

void Txstj::applyColumns() {
    for (int c = 0; c < xstj::kColumnCount; ++c)
        grid_->setColumnVisible(c, choices_.isColumnVisible(c));
    for (int choice = 1; choice <= xstj::kChoiceCount; ++choice)
        choiceActions_.at(choice - 1)->setChecked(choices_.isChecked(choice));
}

void Txstj::setRestricted(bool restricted) {
    choices_.setRestricted(restricted);
    for (QAction* a : {modifyAction_, deleteAction_, showAllAction_, choiceActions_.at(3)})
        a->setVisible(!restricted);
    for (QWidget* w : {static_cast<QWidget*>(monthChart_), static_cast<QWidget*>(dayChart_),
                       monthChartBar_, dayChartBar_})
        w->setVisible(!restricted);
    if (restricted)
        record_->hide();
    applyColumns();
}

QString Txstj::companyName() const {
    return company_->text();
}

QString Txstj::addressLine() const {
    return address_->text();
}

void Txstj::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    pages_->setGeometry(0, 0, width(), height() - 20);
}

void Txstj::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const QDate today = QDate::currentDate();
    for (QComboBox* year : {monthYear_, dayYear_})
        year->setEditText(QString::number(today.year()));
    dayMonth_->setEditText(QString::number(today.month()));
    {
        // Setting the pickers runs no query.
        fromDate_->setDate(today);
        toDate_->setDate(today);
    }
    run([this] {
        if (!choices_.isRestricted()) {
            runMonthlyProfit();
            runDailyProfit();
        }
        runThisMonth();
    });
    // The key also holds the column choices, so it may exist without these
    // two values: an absent one keeps the field's text instead of blanking
    // the receipt's and the slip's heading.
    if (SettingsStore::keyExists(kKeyJxc)) {
        const QString company = SettingsStore::read(kKeyJxc, QStringLiteral("company"));
        const QString address = SettingsStore::read(kKeyJxc, QStringLiteral("address"));
        if (!company.isEmpty())
            company_->setText(company);
        if (!address.isEmpty())
            address_->setText(address);
    }
}

void Txstj::done(int result) {
    monthChart_->deactivate();
    dayChart_->deactivate();
    dm_->ADOQuery13->close();
    QDialog::done(result);
    if (onClosed_)
        run(onClosed_);
}

} // namespace tolvi
