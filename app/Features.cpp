#include "app/AboutBox.h"
#include "app/Form2.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "app/SupportInfo.h"
#include "data/Dm.h"
#include "data/Mylib.h"
#include "export/ExportGridToExcel.h"
#include "import/ImportCleanup.h"
#include "import/Texcell.h"
#include "import/WorkbookLoader.h"
#include "maintenance/Trepair.h"
#include "operators/OperatorSession.h"
#include "operators/Tchangepassfm.h"
#include "operators/Tuserglfm.h"
#include "shipments/SenderPanel.h"
#include "shipments/ShipmentList.h"
#include "skin/SkinEngine.h"
#include "skin/SkinSettings.h"
#include "upgrade/AutoUpgrade.h"
#include "waybill/CalibrationWindow.h"
#include "waybill/WaybillReport.h"

#include <QMenu>

namespace tolvi {

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
    c.changePassword = [&main] {
        main.openSingleWindow<Tchangepassfm>([](QWidget* p) { return new Tchangepassfm(p); });
    };
    c.userAdministration = [&main] {
        main.openSingleWindow<Tuserglfm>([](QWidget* p) { return new Tuserglfm(p); });
    };
}

} // namespace tolvi
