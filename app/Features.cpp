#include "app/AboutBox.h"
#include "app/Form2.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "app/SupportInfo.h"
#include "data/Dm.h"
#include "data/Mylib.h"
#include "export/ExportGridToExcel.h"
#include "export/GridPrint.h"
#include "grid/DataGrid.h"
#include "import/ImportCleanup.h"
#include "import/Texcell.h"
#include "import/WorkbookLoader.h"
#include "maintenance/Trepair.h"
#include "operators/OperatorSession.h"
#include "operators/Tchangepassfm.h"
#include "operators/Tuserglfm.h"
#include "sales/Form1.h"
#include "sales/Form22.h"
#include "sales/PosSlipPanel.h"
#include "sales/SalesPanel.h"
#include "sales/StockSettings.h"
#include "sales/Txstj.h"
#include "shipments/EntryPanel.h"
#include "shipments/SenderPanel.h"
#include "shipments/ShipmentList.h"
#include "skin/SkinEngine.h"
#include "skin/SkinSettings.h"
#include "upgrade/AutoUpgrade.h"
#include "waybill/CalibrationWindow.h"
#include "waybill/WaybillReport.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace tolvi {

namespace {

// The sales side: its entry panel on the main window, the summary window,
// and the toolbar button "销售管理" that opens them.
void installSalesWindows(TMainForm& main, Tdmfm& dm) {
    auto* panel = new SalesPanel(&dm, &main);
    panel->move(150, 100);
    panel->hide();
    auto* stock = new StockSettings(&main);
    auto* summary = new TForm1(&dm, &main);
    summary->setWindowFlag(Qt::Window);
    summary->hide();
    auto* detail = new Txstj(&dm, &main);
    detail->hide();
    auto* slip = new Tform22(&main);
    detail->setCustomerBox(panel->customerBox());
    detail->setOnClosed([&main] { main.showAllRecords(); });
    detail->setSalesSlipPrinter([detail, slip] {
        SalesSlipInputs inputs;
        inputs.customerNumber = detail->customerNumberEdit()->text();
        inputs.details = Tdmfm::instance()->ADOQuery13;
        inputs.companyName = detail->companyName();
        inputs.addressLine = detail->addressLine();
        inputs.amountFooter = detail->grid()->footerDisplayText(6);
        inputs.operatorName = operatorSession().userName;
        slip->printSalesSlip(inputs, detail);
    });
    auto showDetail = [detail, panel, &main] {
        detail->setOperatorName(operatorSession().userName);
        detail->exec();
        panel->hide();
        main.entryPanel()->hide();
    };

    SalesPanel::Hooks hooks;
    hooks.showAllRecords = [&main] { main.showAllRecords(); };
    hooks.showSuccessTip = [&main](const QString& t) { main.showSuccessTip(t); };
    hooks.refreshSummary = [summary] {
        if (summary->isVisible())
            summary->runSummary();
    };
    hooks.disableRecordModify = [&main] { main.entryPanel()->modifyButton()->setEnabled(false); };
    hooks.addSlipLine = [detail](const SlipItem& item) {
        detail->addSaleToSlip(
            {item.code, item.name, item.model, item.quantity, item.unitPrice, item.amount});
    };
    hooks.setSlipCustomer = [detail](const QString& name, const QString& number) {
        detail->setSlipCustomer(name, number);
    };
    hooks.runThisMonth = [detail] { detail->runThisMonth(); };
    panel->setHooks(hooks);
    main.addHiddenByListCommands(panel);
    main.addRefilledDateField([panel] { return panel->saleDateIsEmpty(); },
                              [panel] { panel->setSaleDateToToday(); });

    auto applyRights = [panel, summary, detail](bool restricted) {
        panel->setSaleDateReadOnly(restricted);
        detail->setRestricted(restricted);
        summary->setRestricted(restricted);
        summary->setOperatorName(operatorSession().userName);
    };
    QObject::connect(&OperatorRights::instance(), &OperatorRights::restrictedChanged, panel,
                     applyRights);
    applyRights(OperatorRights::instance().isRestricted());

    auto previous = main.commands().firstShowSales;
    main.commands().firstShowSales = [panel, stock, previous, detail] {
        panel->loadCustomerNumber();
        detail->restoreColumnChoices();
        detail->runThisMonth();
        if (previous)
            previous();
        panel->setSaleDateToToday();
        stock->restore();
    };

    // The list's pop-up menu: sell the goods of the current record.
    QAction* sell = new QAction(QStringLiteral("销售此商品..."), &main);
    sell->setObjectName(QStringLiteral("popupSell"));
    QObject::connect(sell, &QAction::triggered, panel, [panel, &main] {
        runCommand(&main, [panel] {
            if (panel->openForGoodsRecord())
                panel->raise();
        });
    });
    const QList<QAction*> entries = main.listMenu()->actions();
    // before the separator that precedes "隐藏商品信息"
    main.listMenu()->insertAction(entries.at(entries.size() - 2), sell);

    auto* menu = new QMenu(&main);
    QObject::connect(
        menu->addAction(QStringLiteral("商品销售")), &QAction::triggered, panel,
        [panel, &main] { runCommand(&main, [panel] { panel->openForGoodsRecord(); }); });
    QObject::connect(menu->addAction(QStringLiteral("销售明细")), &QAction::triggered, detail,
                     [showDetail, &main] { runCommand(&main, showDetail); });
    QObject::connect(menu->addAction(QStringLiteral("汇总统计")), &QAction::triggered, summary,
                     [summary, &main] {
                         summary->setOperatorName(operatorSession().userName);
                         summary->centreOver(&main);
                         summary->show();
                         summary->raise();
                     });
    main.addToolMenu(QStringLiteral("销售管理"), QStringLiteral("售"), QColor(170, 60, 60),
                     QStringLiteral("商品销售、销售明细和汇总统计"), menu);
}

} // namespace

void installFeatureWindows(TMainForm& main, Tdmfm& dm) {
    installWorkbookLoader();
    auto* importWindow = new Texcell([&main] { main.showAllRecords(); }, &main);
    importWindow->hide();

    auto* about = new TAboutBox(&main);
    auto* networkPoints = new TForm2(&main);
    networkPoints->setWindowFlag(Qt::Window);
    networkPoints->hide();
    TForm8::instance();
    TForm9::instance();
    auto* upgrade =
        new AutoUpgrade(QUrl(support::kUpgradeInfoAddress), QStringLiteral("2.1"), &main);

    auto& c = main.commands();
    installSalesWindows(main, dm);
    c.about = [about] { about->exec(); };
    c.networkPoints = [networkPoints] {
        networkPoints->show();
        networkPoints->raise();
        networkPoints->activateWindow();
    };
    c.upgrade = [upgrade, &main] { upgrade->checkNow(&main); };
    c.backup = [&main] {
        main.openSingleWindow<Trepair>([&main](QWidget* p) {
            return new Trepair(p, [&main] {
                main.showAllRecords();
                main.show();
            });
        });
        main.hide();
    };
    // The look at this moment is the built-in skin.
    auto* skins = new SkinEngine(&main);
    QMenu* skinMenu = createSkinMenu(*skins, &main);
    skinMenu->setTitle(QStringLiteral("皮肤界面"));
    main.settingsMenu()->addMenu(skinMenu);
    main.settingsMenu()->addSeparator();
    QObject::connect(main.settingsMenu()->addAction(QStringLiteral("打印校准")),
                     &QAction::triggered, &main,
                     [&main] { runCommand(&main, [&main] { showCalibrationWindow(&main); }); });
    c.restoreSkin = [skins] { restoreSkin(*skins); };
    c.importOrders = [importWindow] { importWindow->exec(); };
    c.optimiseImportedData = [&main, &dm] {
        optimiseImportedData(dm.ADOQuery15, main.senderPanel()->defaultCourier(),
                             [&main] { main.showAllRecords(); });
    };
    c.optimiseRecipientAddresses = [&main, &dm] {
        optimiseRecipientAddresses(dm.ADOQuery15, [&main] { main.showAllRecords(); });
    };
    c.exportList = [&main] {
        exportGridToExcel(main.shipmentList()->grid(), QStringLiteral("快递单打印清单"),
                          operatorSession().userName, &main);
    };
    c.printList = [&main] {
        printGridList(main.shipmentList()->grid(), QStringLiteral("快 递 单 打 印 清 单"),
                      operatorSession().userName, QStringLiteral("%[Today1]"), &main);
    };
    c.changePassword = [&main] {
        main.openSingleWindow<Tchangepassfm>([](QWidget* p) { return new Tchangepassfm(p); });
    };
    c.userAdministration = [&main] {
        main.openSingleWindow<Tuserglfm>([](QWidget* p) { return new Tuserglfm(p); });
    };
}

} // namespace tolvi
