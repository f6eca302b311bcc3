#pragma once
// The store of numbered skins the program ships with.

#include "skin/SkinColours.h"

#include <QPalette>
#include <QString>
#include <optional>

namespace tolvi::skin {

struct Skin {
    QString caption;
    SkinColours colours;
    QPalette palette;
    QString styleSheet;
};

// Number of stored skins; they are numbered from 0.
int storedSkinCount();
// The stored skin n, or nothing when there is no skin with that number.
std::optional<Skin> storedSkin(int n);

} // namespace tolvi::skin
