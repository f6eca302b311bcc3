#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/Dm.h"
#include "data/Mylib.h"
#include "import/ImportCleanup.h"
#include "import/Texcell.h"
#include "import/WorkbookLoader.h"
#include "operators/Tchangepassfm.h"
#include "operators/Tuserglfm.h"
#include "shipments/SenderPanel.h"
#include "skin/SkinEngine.h"
#include "skin/SkinSettings.h"

#include <QMenu>

namespace tolvi {

void installFeatureWindows(TMainForm& main, Tdmfm& dm) {
    installWorkbookLoader();
    auto* importWindow = new Texcell([&main] { main.showAllRecords(); }, &main);
    importWindow->hide();

    auto& c = main.commands();
    // The look at this moment is the built-in skin.
    auto* skins = new SkinEngine(&main);
    QMenu* skinMenu = createSkinMenu(*skins, &main);
    skinMenu->setTitle(QStringLiteral("皮肤界面"));
    main.settingsMenu()->addMenu(skinMenu);
    c.restoreSkin = [skins] { restoreSkin(*skins); };
    c.importOrders = [importWindow] { importWindow->exec(); };
    c.optimiseImportedData = [&main, &dm] {
        optimiseImportedData(dm.ADOQuery15, main.senderPanel()->defaultCourier(),
                             [&main] { main.showAllRecords(); });
    };
    c.optimiseRecipientAddresses = [&main, &dm] {
        optimiseRecipientAddresses(dm.ADOQuery15, [&main] { main.showAllRecords(); });
    };
    c.changePassword = [&main] {
        main.openSingleWindow<Tchangepassfm>([](QWidget* p) { return new Tchangepassfm(p); });
    };
    c.userAdministration = [&main] {
        main.openSingleWindow<Tuserglfm>([](QWidget* p) { return new Tuserglfm(p); });
    };
}

} // namespace tolvi
