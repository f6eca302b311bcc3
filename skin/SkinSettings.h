#pragma once
// The chosen skin as a saved setting, and the menu that chooses it.

class QMenu;
class QWidget;

namespace tolvi {

class SkinEngine;

// Loads skin n and saves its number as "skin" under the kdd key. A number with
// no stored skin changes and saves nothing; returns whether it loaded.
bool selectSkin(SkinEngine& engine, int n);
// Loads the saved skin: "0" to "4" load that skin, "5" asks for a skin that is
// not stored and changes nothing, any other text or none keeps the current one.
void restoreSkin(SkinEngine& engine);
// The "皮肤界面" menu: one entry per stored skin, each calling selectSkin.
QMenu* createSkinMenu(SkinEngine& engine, QWidget* parent);

} // namespace tolvi
