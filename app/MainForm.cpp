#include "app/MainForm.h"

#include "app/SupportInfo.h"
#include "data/Dm.h"
#include "data/Mylib.h"
#include "operators/OperatorSession.h"
#include "operators/Tloginfm.h"
#include "platform/Icons.h"
#include "platform/Platform.h"
#include "shipments/EntryPanel.h"
#include "shipments/QuickQueryPanel.h"
#include "shipments/SenderPanel.h"
#include "shipments/ShipmentList.h"
#include "waybill/CourierMenu.h"
#include "waybill/PrintRuns.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

namespace tolvi {
namespace {

constexpr int kClientWidth = 1058;
constexpr int kClientHeight = 636;
constexpr int kCommandHeight = 141;
constexpr int kStatusHeight = 22;
const QColor kHintColour(255, 194, 134);

} // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Tolvi快递单打印软件 V2.1"));
    setAccessibleName(windowTitle());
    setObjectName(QStringLiteral("MainForm"));
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kClientWidth, kClientHeight);

    listArea_ = new QWidget(this);
    listArea_->setObjectName(QStringLiteral("listArea"));

    commandArea_ = new QWidget(this);
    quickQuery_ = new QuickQueryPanel(commandArea_);
    quickQuery_->move(4, 6);

    buildToolBar();

    singlePrint_ = new QPushButton(commandArea_);
    batchPrint_ = new QPushButton(commandArea_);
    const std::pair<QPushButton*, QString> prints[] = {{singlePrint_, QStringLiteral("单张打印")},
                                                       {batchPrint_, QStringLiteral("批量打印")}};
    int x = 560;
    for (const auto& [button, caption] : prints) {
        button->setGeometry(x, 76, 220, 56);
        button->setIcon(QIcon(captionPicture(caption, QColor(30, 110, 190), QSize(214, 50))));
        button->setIconSize(QSize(214, 50));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setAccessibleName(caption);
        button->setToolTip(caption + QStringLiteral("：选择快递公司"));
        button->setStatusTip(caption == QStringLiteral("单张打印")
                                 ? QStringLiteral("打印当前选中记录的快递单")
                                 : QStringLiteral("为列表中的全部记录打印快递单"));
        x += 240;
    }

    buildStatusBar();

    tip_ = new QLabel(this);
    tip_->setGeometry(0, 0, 257, 49);
    tip_->setFrameShape(QFrame::Panel);
    tip_->setFrameShadow(QFrame::Raised);
    tip_->setLineWidth(2);
    tip_->setAlignment(Qt::AlignCenter);
    tip_->setAutoFillBackground(true);
    // A skin's style sheet must not make the tip transparent.
    tip_->setStyleSheet(
        QStringLiteral("QLabel { background-color: palette(highlight); color: white; "
                       "border: 2px outset palette(highlight); }"));
    {
        QPalette p = tip_->palette();
        p.setColor(QPalette::Window, palette().color(QPalette::Highlight));
        p.setColor(QPalette::WindowText, Qt::white);
        tip_->setPalette(p);
        QFont f(QStringLiteral("宋体"));
        f.setPixelSize(14);
        f.setBold(true);
        tip_->setFont(f);
    }
    tip_->hide();

    timer1_ = new QTimer(this);
    timer1_->setInterval(500);
    connect(timer1_, &QTimer::timeout, this, &TMainForm::refillEmptyDates);
    timer1_->start();
    timer2_ = new QTimer(this);
    timer2_->setInterval(2000);
    connect(timer2_, &QTimer::timeout, this, [this] {
        if (tip_->isVisible()) {
            timer2_->stop();
            tip_->hide();
        }
    });

    connect(&OperatorRights::instance(), &OperatorRights::restrictedChanged, this,
            &TMainForm::applyRights);
}

TMainForm::~TMainForm() = default;

void TMainForm::run(const std::function<void()>& command) {
    runCommand(this, command);
}

QAction* TMainForm::action(const QString& caption) const {
    for (QAction* a : findChildren<QAction*>())
        if (a->text() == caption)
            return a;
    return nullptr;
}

void TMainForm::buildToolBar() {
    toolBar_ = new QToolBar(commandArea_);
    toolBar_->setIconSize(QSize(32, 32));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setGeometry(526, 4, 530, 66);
    toolBar_->setAccessibleName(QStringLiteral("工具栏"));
    // Eight captioned buttons share 530 pixels whatever padding a skin gives.
    toolBar_->setStyleSheet(QStringLiteral(
        "QToolButton { padding: 1px 2px; margin: 0px; }"
        "QToolButton[popupMode=\"1\"] { padding-right: 12px; }"
        "QToolButton::menu-button { width: 11px; border: none; background: transparent; }"));

    auto call = [this](std::function<void()> Commands::*member) {
        return [this, member] {
            if (commands_.*member)
                run(commands_.*member);
        };
    };
    auto addButton = [this](const QString& caption, const QString& glyph, const QColor& colour,
                            const QString& hint) {
        auto* a = new QAction(toolIcon(glyph, colour), caption, this);
        a->setStatusTip(hint);
        a->setToolTip(caption);
        toolBar_->addAction(a);
        auto* b = qobject_cast<QToolButton*>(toolBar_->widgetForAction(a));
        if (b)
            b->setAccessibleName(caption);
        return std::make_pair(a, b);
    };

    // 批量导入
    importMenu_ = new QMenu(this);
    connect(importMenu_->addAction(QStringLiteral("淘宝订单批量导入")), &QAction::triggered, this,
            call(&Commands::importOrders));
    connect(importMenu_->addAction(QStringLiteral("优化导入数据")), &QAction::triggered, this,
            call(&Commands::optimiseImportedData));
    connect(importMenu_->addAction(QStringLiteral("优化收件地址")), &QAction::triggered, this,
            call(&Commands::optimiseRecipientAddresses));
    auto [importAction, importButton] =
        addButton(QStringLiteral("批量导入"), QStringLiteral("导"), QColor(60, 140, 60),
                  QStringLiteral("从淘宝订单报表批量导入收件人"));
    importAction->setMenu(importMenu_);
    if (importButton)
        importButton->setPopupMode(QToolButton::InstantPopup);

    auto [newAction, newButton] =
        addButton(QStringLiteral("新建记录"), QStringLiteral("新"), QColor(40, 110, 200),
                  QStringLiteral("新建一条快递记录"));
    Q_UNUSED(newButton);
    connect(newAction, &QAction::triggered, this, [this] {
        if (entry_)
            entry_->openForNew();
    });

    auto [netAction, netButton] =
        addButton(QStringLiteral("网点查询"), QStringLiteral("网"), QColor(0, 140, 150),
                  QStringLiteral("查询各快递公司的服务网点"));
    Q_UNUSED(netButton);
    connect(netAction, &QAction::triggered, this, [this] {
        if (entry_)
            entry_->hide();
        for (QWidget* panel : hiddenByList_)
            panel->hide();
        if (commands_.networkPoints)
            run(commands_.networkPoints);
    });

    auto [backupAction, backupButton] =
        addButton(QStringLiteral("数据备份"), QStringLiteral("备"), QColor(150, 90, 40),
                  QStringLiteral("备份或恢复数据库"));
    Q_UNUSED(backupButton);
    connect(backupAction, &QAction::triggered, this, call(&Commands::backup));

    auto [senderAction, senderButton] =
        addButton(QStringLiteral("寄件人"), QStringLiteral("寄"), QColor(180, 80, 120),
                  QStringLiteral("设置寄件人信息和默认快递"));
    Q_UNUSED(senderButton);
    connect(senderAction, &QAction::triggered, this, [this] {
        if (!sender_)
            return;
        run([this] {
            sender_->loadSenderProfile();
            sender_->show();
            sender_->raise();
        });
    });

    // 设 置: the button backs up like "数据备份"; its arrow opens the menu.
    settingsMenu_ = new QMenu(this);
    connect(settingsMenu_->addAction(QStringLiteral("寄件人信息")), &QAction::triggered, this,
            [this] {
                if (sender_) {
                    sender_->show();
                    sender_->raise();
                }
            });
    connect(settingsMenu_->addAction(QStringLiteral("修改密码")), &QAction::triggered, this,
            call(&Commands::changePassword));
    connect(settingsMenu_->addAction(QStringLiteral("用户管理")), &QAction::triggered, this,
            call(&Commands::userAdministration));
    auto [settingsAction, settingsButton] =
        addButton(QStringLiteral("设 置"), QStringLiteral("设"), QColor(90, 90, 160),
                  QStringLiteral("数据备份；点右侧箭头打开设置菜单"));
    settingsAction->setMenu(settingsMenu_);
    if (settingsButton)
        settingsButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(settingsAction, &QAction::triggered, this, call(&Commands::backup));

    supportMenu_ = new QMenu(this);
    auto openSite = [] { platform().openUrl(QUrl(support::kWebAddress)); };
    connect(supportMenu_->addAction(QStringLiteral("使用帮助")), &QAction::triggered, this,
            openSite);
    connect(supportMenu_->addAction(QStringLiteral("软件自动升级")), &QAction::triggered, this,
            call(&Commands::upgrade));
    connect(supportMenu_->addAction(QStringLiteral("官方网站")), &QAction::triggered, this,
            openSite);
    supportMenu_->addAction(support::kSupportLine);
    connect(supportMenu_->addAction(QStringLiteral("关于...")), &QAction::triggered, this,
            call(&Commands::about));
    auto [supportAction, supportButton] =
        addButton(QStringLiteral("技术支持"), QStringLiteral("助"), QColor(200, 120, 30),
                  QStringLiteral("使用帮助、官方网站、软件升级和关于"));
    supportAction->setMenu(supportMenu_);
    if (supportButton)
        supportButton->setPopupMode(QToolButton::InstantPopup);
}

void TMainForm::buildListMenu() {
    listMenu_ = new QMenu(this);
    auto* single = listMenu_->addMenu(QStringLiteral("单张打印"));
    single->setObjectName(QStringLiteral("singlePrintMenu"));
    auto* batch = listMenu_->addMenu(QStringLiteral("批量打印"));
    batch->setObjectName(QStringLiteral("batchPrintMenu"));
    listMenu_->addSeparator();
    auto* import = listMenu_->addMenu(QStringLiteral("批量导入"));
    // These two do nothing: the working import commands are on the toolbar.
    import->addAction(QStringLiteral("淘宝订单批量导入"));
    import->addAction(QStringLiteral("优化导入数据"));
    QAction* newRecord = listMenu_->addAction(QStringLiteral("新建记录"));
    newRecord->setObjectName(QStringLiteral("popupNew"));
    connect(newRecord, &QAction::triggered, this, [this] { entry_->openForNew(); });
    QAction* modify = listMenu_->addAction(QStringLiteral("修 改"));
    modify->setObjectName(QStringLiteral("popupModify"));
    connect(modify, &QAction::triggered, this, [this] { entry_->openForModify(true); });
    QAction* remove = listMenu_->addAction(QStringLiteral("删 除"));
    remove->setObjectName(QStringLiteral("popupDelete"));
    connect(remove, &QAction::triggered, this, [this] { entry_->deleteSelected(); });
    connect(listMenu_->addAction(QStringLiteral("全部记录")), &QAction::triggered, this,
            &TMainForm::showAllRecords);
    QAction* exportList = listMenu_->addAction(QStringLiteral("导出Excel"));
    exportList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(exportList, &QAction::triggered, this, [this] {
        if (commands_.exportList)
            run(commands_.exportList);
    });
    QAction* printList = listMenu_->addAction(QStringLiteral("打印全部清单"));
    printList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(printList, &QAction::triggered, this, [this] {
        if (commands_.printList)
            run(commands_.printList);
    });
    // The shortcuts work while the main window is active, menu closed or not.
    for (QAction* a : {exportList, printList}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    listMenu_->addSeparator();
    QAction* goods = listMenu_->addAction(QStringLiteral("隐藏商品信息"));
    goods->setObjectName(QStringLiteral("popupGoods"));
    goods->setCheckable(true);
    connect(goods, &QAction::triggered, this, [this, goods] {
        run([this] { list_->toggleGoodsColumns(); });
        goods->setChecked(list_->goodsHidden());
    });
    connect(list_, &ShipmentList::goodsHiddenChanged, goods, &QAction::setChecked);
}

SenderTexts TMainForm::senderTexts() const {
    return {sender_->senderName(), sender_->senderMobile(), sender_->senderAddress()};
}

void TMainForm::buildPrintMenus() {
    auto single = [this](Courier c) {
        run([this, c] { printSingleWaybill(this, c, dm_->ADOQuery15, senderTexts()); });
    };
    auto batch = [this](Courier c) {
        run([this, c] { printBatchWaybills(this, c, dm_->ADOQuery15, senderTexts()); });
    };
    fillCourierMenu(listMenu_->findChild<QMenu*>(QStringLiteral("singlePrintMenu")), single);
    fillCourierMenu(listMenu_->findChild<QMenu*>(QStringLiteral("batchPrintMenu")), batch);
    singlePrintMenu_ = new QMenu(this);
    fillCourierMenu(singlePrintMenu_, single);
    batchPrintMenu_ = new QMenu(this);
    fillCourierMenu(batchPrintMenu_, batch);
    // The picture buttons pop their menus up where the mouse is.
    connect(singlePrint_, &QPushButton::clicked, this,
            [this] { singlePrintMenu_->popup(QCursor::pos()); });
    connect(batchPrint_, &QPushButton::clicked, this,
            [this] { batchPrintMenu_->popup(QCursor::pos()); });
}

void TMainForm::buildStatusBar() {
    statusBar_ = new QWidget(this);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setAccessibleName(QStringLiteral("状态栏"));
    statusBar_->setCursor(Qt::PointingHandCursor);
    auto* layout = new QHBoxLayout(statusBar_);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    const int widths[4] = {350, 200, 200, 300};
    const Qt::Alignment aligns[4] = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter,
                                     Qt::AlignCenter, Qt::AlignRight | Qt::AlignVCenter};
    const QString texts[4] = {QString(), QStringLiteral("操作员："), QStringLiteral("今天："),
                              support::kWebAddress};
    for (int i = 0; i < 4; ++i) {
        status_[i] = new QLabel(texts[i], statusBar_);
        status_[i]->setFixedWidth(widths[i]);
        status_[i]->setAlignment(aligns[i]);
        status_[i]->setFrameShape(QFrame::StyledPanel);
        status_[i]->setFrameShadow(QFrame::Sunken);
        layout->addWidget(status_[i]);
    }
    layout->addStretch();
    statusBar_->installEventFilter(this);
    for (QLabel* l : status_)
        l->installEventFilter(this);
}

void TMainForm::setDataModule(Tdmfm* dm) {
    dm_ = dm;
    list_ = new ShipmentList(dm, quickQuery_, listArea_);
    list_->view()->setToolTip(QStringLiteral("点列标题进行排序，双击进行修改"));
    list_->view()->setStatusTip(QStringLiteral("点列标题进行排序，双击进行修改"));
    EntryPanel::Hooks hooks;
    hooks.defaultCourier = [this] { return sender_ ? sender_->defaultCourier() : QString(); };
    hooks.showAllRecords = [this] { showAllRecords(); };
    hooks.showSuccessTip = [this](const QString& t) { showSuccessTip(t); };
    hooks.selectedRows = [this] { return list_->selectedRows(); };
    entry_ = new EntryPanel(dm->ADOQuery15, dm->ADOTable5, hooks, this);
    entry_->hide();
    sender_ = new SenderPanel(
        dm->ADOQuery7, dm->ADOTable6, [this](const QString& t) { showSuccessTip(t); }, this);
    sender_->hide();
    connect(list_, &ShipmentList::hideEntryPanel, entry_, &QWidget::hide);
    connect(list_, &ShipmentList::rowDoubleClicked, this, [this] { entry_->openForModify(false); });
    entry_->setCourierNames(courierListNames());
    sender_->setCourierNames(courierListNames());
    buildListMenu();
    buildPrintMenus();
    connect(list_, &ShipmentList::contextMenuRequested, this,
            [this](const QPoint& global) { listMenu_->popup(global); });
    tip_->raise();
    applyRights(OperatorRights::instance().isRestricted());
}

QAction* TMainForm::addToolMenu(const QString& caption, const QString& glyph, const QColor& colour,
                                const QString& hint, QMenu* menu) {
    auto* a = new QAction(toolIcon(glyph, colour), caption, this);
    a->setStatusTip(hint);
    a->setToolTip(caption);
    a->setMenu(menu);
    toolBar_->addAction(a);
    if (auto* b = qobject_cast<QToolButton*>(toolBar_->widgetForAction(a))) {
        b->setAccessibleName(caption);
        b->setPopupMode(QToolButton::InstantPopup);
    }
    return a;
}

void TMainForm::addHiddenByListCommands(QWidget* panel) {
    hiddenByList_.append(panel);
    connect(list_, &ShipmentList::hideEntryPanel, panel, &QWidget::hide);
}

void TMainForm::addRefilledDateField(std::function<bool()> isEmpty, std::function<void()> refill) {
    refilledDates_.append({std::move(isEmpty), std::move(refill)});
}

void TMainForm::refillEmptyDates() {
    if (entry_ && entry_->dateIsEmpty())
        entry_->setDateToNow();
    for (const auto& [isEmpty, refill] : refilledDates_)
        if (isEmpty && isEmpty())
            refill();
}

void TMainForm::showSuccessTip(const QString& text) {
    tip_->setText(text);
    tip_->show();
    tip_->raise();
    // A second tip while the timer runs keeps the running two seconds.
    if (!timer2_->isActive())
        timer2_->start();
}

void TMainForm::showAllRecords() {
    if (list_)
        list_->showAllRecords();
}

void TMainForm::closeMainWindow() {
    close();
}

void TMainForm::operatorLoggedIn(const QString& userName) {
    activateWindow();
    setFocus();
    status_[1]->setText(userName);
}

void TMainForm::applyRights(bool restricted) {
    if (!listMenu_)
        return;
    for (const char* name : {"popupNew", "popupModify", "popupDelete", "popupGoods"})
        if (auto* a = findChild<QAction*>(QString::fromLatin1(name)))
            a->setVisible(!restricted);
    if (QAction* change = action(QStringLiteral("修改密码")))
        change->setVisible(!restricted);
    if (list_)
        list_->setOperatorColumnsHidden(restricted);
}

void TMainForm::firstShow() {
    if (firstShown_ || !dm_)
        return;
    firstShown_ = true;
    run([this] {
        list_->restoreColumns();
        if (commands_.firstShowSales)
            commands_.firstShowSales();
        for (db::Dataset* t : {dm_->ADOTable5, dm_->ADOTable6, dm_->ADOTable2})
            t->open();
        sender_->loadSenderProfile();
        entry_->hide();
        entry_->setDateToNow();
        refillEmptyDates();
        if (commands_.restoreSkin)
            commands_.restoreSkin();
        status_[2]->setText(QStringLiteral("今天：") +
                            QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    });
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    firstShow();
}

void TMainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && sessionId_ == 0 &&
        login_ && !loginShowing_)
        QTimer::singleShot(0, this, &TMainForm::showLogin);
}

void TMainForm::showLogin() {
    if (sessionId_ != 0 || !login_ || loginShowing_ || !isVisible())
        return;
    loginShowing_ = true;
    login_->exec();
    loginShowing_ = false;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (sessionId_ != 0 && dm_) {
        run([this] {
            execQuery(dm_->ADOQuery1, QStringLiteral("update rz set jtime='") + sessionTimeText() +
                                          QStringLiteral("'") + QStringLiteral("where id=") +
                                          QString::number(sessionId_));
        });
    }
    event->accept();
    QApplication::quit();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The list takes what the command area and status bar leave.
    const int listHeight = std::max(100, height() - kCommandHeight - kStatusHeight);
    listArea_->setGeometry(0, 0, width(), listHeight);
    if (list_)
        list_->view()->setGeometry(listArea_->rect());
    commandArea_->setGeometry(0, listHeight, width(), kCommandHeight);
    statusBar_->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        status_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == statusBar_ || qobject_cast<QLabel*>(watched))) {
        platform().openUrl(QUrl(support::kWebAddress));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::bringUp(QWidget* w) {
    if (w->isMinimized())
        w->showNormal();
    else {
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->show();
        w->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
    if (w->isHidden())
        w->setVisible(true);
    w->raise();
    w->activateWindow();
    w->setFocus();
}

} // namespace tolvi
