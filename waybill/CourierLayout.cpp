#include "waybill/CourierLayout.h"

namespace tolvi {
namespace {

using P = std::optional<QPoint>;
constexpr std::nullopt_t none = std::nullopt;

// Columns: SenderName, SenderPhone, SenderAddress, SenderNameCopy,
// RecipientName, RecipientPhone, RecipientAddress.
const CourierLayout kLayouts[] = {
    /* STO */ {{P{{94, 75}}, P{{112, 205}}, P{{88, 120}}, P{{95, 325}}, P{{452, 75}}, P{{468, 205}},
                P{{448, 120}}}},
    /* YTO */
    {{P{{103, 59}}, P{{116, 184}}, P{{102, 88}}, P{{95, 325}}, P{{462, 69}}, P{{484, 183}},
      P{{457, 100}}}},
    /* ZTO */
    {{P{{103, 67}}, P{{116, 192}}, P{{102, 104}}, P{{79, 363}}, P{{462, 69}}, P{{484, 191}},
      P{{457, 106}}}},
    /* SF */
    {{P{{67, 103}}, P{{138, 186}}, P{{66, 132}}, P{{623, 251}}, P{{70, 229}}, P{{156, 328}},
      P{{65, 252}}}},
    /* YUNDA */
    {{P{{79, 51}}, P{{116, 192}}, P{{102, 80}}, P{{279, 331}}, P{{446, 181}}, P{{612, 55}},
      P{{457, 82}}}},
    /* TTK */
    {{P{{94, 75}}, P{{112, 205}}, P{{88, 120}}, P{{95, 325}}, P{{452, 75}}, P{{468, 205}},
      P{{448, 120}}}},
    /* ZJS */
    {{P{{95, 103}}, P{{210, 194}}, P{{82, 132}}, none, P{{94, 237}}, P{{212, 331}}, P{{82, 268}}}},
    /* HUITONG */
    {{P{{95, 59}}, P{{137, 189}}, P{{110, 96}}, P{{103, 315}}, P{{462, 61}}, P{{492, 187}},
      P{{465, 90}}}},
    /* EMS */
    {{P{{87, 59}}, P{{230, 62}}, P{{94, 86}}, P{{645, 151}}, P{{88, 173}}, P{{232, 174}},
      P{{89, 194}}}},
};

} // namespace

const CourierLayout& courierLayout(Courier courier) {
    return kLayouts[static_cast<size_t>(courier)];
}

} // namespace tolvi
