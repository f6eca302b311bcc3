#include "skin/SkinStore.h"

#include <array>

namespace tolvi::skin {
namespace {

struct StoredSkin {
    const char* caption;
    SkinColours colours;
};

QColor c(const char* name) {
    return QColor(QLatin1String(name));
}

const std::array<StoredSkin, 5>& stored() {
    static const std::array<StoredSkin, 5> skins{{
        // Charcoal faces, light text, gold accents.
        {"黑色经典(皮肤)", {c("#2d2d30"), c("#ececec"), c("#1e1e20"),
                            c("#28282b"), c("#ececec"), c("#3e3e42"),
                            c("#f2f2f2"), c("#4c4c52"), c("#5a5a60"),
                            c("#c9a445"), c("#1a1a1a"), c("#5c5c62"),
                            c("#38383c"), c("#f0d58a"), c("#232326"),
                            c("#e6e6e6"), c("#f0d58a"), c("#1a1a1a"),
                            c("#85858a"), c("#5c5c62"), 2,
                            false}},
        // Pale blue faces, deep blue bars, white header text.
        {"蓝色幻想(皮肤)", {c("#e4edf9"), c("#14233c"), c("#ffffff"),
                            c("#edf3fc"), c("#14233c"), c("#cddff6"),
                            c("#0f2a52"), c("#b6cff0"), c("#9dbde8"),
                            c("#2f6bc8"), c("#ffffff"), c("#7fa2d4"),
                            c("#2f62b0"), c("#ffffff"), c("#2a579e"),
                            c("#ffffff"), c("#fffbe0"), c("#14233c"),
                            c("#8a97aa"), c("#8fb0de"), 4,
                            true}},
        // Sky: airy light blue, rounded, soft shading.
        {"梦幻天空(皮肤)", {c("#eaf6fe"), c("#0d3350"), c("#ffffff"),
                            c("#f0f8fe"), c("#0d3350"), c("#c4e6fa"),
                            c("#0d3350"), c("#a9dbf7"), c("#8ccdf2"),
                            c("#1576b0"), c("#ffffff"), c("#86c3e8"),
                            c("#8fd0f2"), c("#08283f"), c("#d3edfc"),
                            c("#0d3350"), c("#ffffff"), c("#0d3350"),
                            c("#8aa3b5"), c("#9dd2f0"), 8,
                            true}},
        // Midnight violet: dark faces with lavender accents.
        {"黑色遐想(皮肤)", {c("#1d1c2a"), c("#e6e3f5"), c("#13121d"),
                            c("#1f1d2e"), c("#e6e3f5"), c("#2f2c47"),
                            c("#eeebff"), c("#3b3759"), c("#47426b"),
                            c("#6a4bd6"), c("#ffffff"), c("#4d4873"),
                            c("#2a2741"), c("#cdbdff"), c("#151420"),
                            c("#dcd6f7"), c("#2f2c47"), c("#eeebff"),
                            c("#7d7a93"), c("#4d4873"), 6,
                            false}},
        // Warm cream with coral bars.
        {"梦想成真(皮肤)", {c("#fff5ec"), c("#43200f"), c("#ffffff"),
                            c("#fff0e3"), c("#43200f"), c("#ffd9bf"),
                            c("#54220d"), c("#ffc9a6"), c("#fbb68c"),
                            c("#c4471d"), c("#ffffff"), c("#e0a582"),
                            c("#b8461f"), c("#ffffff"), c("#f6b992"),
                            c("#3d1a0b"), c("#fffdf6"), c("#43200f"),
                            c("#a08474"), c("#eab394"), 5,
                            true}},
    }};
    return skins;
}

} // namespace

int storedSkinCount() {
    return int(stored().size());
}

std::optional<Skin> storedSkin(int n) {
    if (n < 0 || n >= storedSkinCount())
        return std::nullopt;
    const StoredSkin& s = stored()[std::size_t(n)];
    return Skin{QString::fromUtf8(s.caption), s.colours, paletteFor(s.colours),
                styleSheetFor(s.colours)};
}

} // namespace tolvi::skin
