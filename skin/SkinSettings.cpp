#include "skin/SkinSettings.h"

#include "platform/SettingsStore.h"
#include "skin/SkinEngine.h"

#include <QMenu>

namespace tolvi {
namespace {

const QString kSkinValue = QStringLiteral("skin");

} // namespace

bool selectSkin(SkinEngine& engine, int n) {
    if (!engine.loadSkin(n))
        return false;
    SettingsStore::write(kKeyKdd, kSkinValue, QString::number(n));
    return true;
}

void restoreSkin(SkinEngine& engine) {
    const QString saved = SettingsStore::read(kKeyKdd, kSkinValue);
    // Only a single digit names a skin; "02", " 2" or "-1" are other texts.
    if (saved.size() != 1 || saved.at(0) < QLatin1Char('0') || saved.at(0) > QLatin1Char('9'))
        return;
    engine.loadSkin(saved.at(0).digitValue());
}

QMenu* createSkinMenu(SkinEngine& engine, QWidget* parent) {
    auto* menu = new QMenu(QStringLiteral("皮肤界面"), parent);
    menu->setAccessibleName(menu->title());
    const QStringList captions = engine.captions();
    for (int n = 0; n < captions.size(); ++n) {
        QAction* action = menu->addAction(captions.at(n));
        QObject::connect(action, &QAction::triggered, &engine,
                         [&engine, n] { selectSkin(engine, n); });
    }
    return menu;
}

} // namespace tolvi
