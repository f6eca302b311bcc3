#pragma once
// The couriers whose waybill forms the program prints on, in print-menu order.

#include <QString>
#include <QStringList>
#include <array>

namespace tolvi {

enum class Courier { STO, YTO, ZTO, SF, YUNDA, TTK, ZJS, HUITONG, EMS };

inline constexpr std::array<Courier, 9> kAllCouriers = {
    Courier::STO, Courier::YTO, Courier::ZTO,     Courier::SF, Courier::YUNDA,
    Courier::TTK, Courier::ZJS, Courier::HUITONG, Courier::EMS};

// The caption of the courier's entry in the print menus.
QString courierCaption(Courier courier);
// The courier's name in the courier lists; empty for ZJS, which has none.
QString courierListName(Courier courier);
// The eight names of the courier lists (quick query, entry panel, sender
// panel), in their list order.
QStringList courierListNames();
// The print menus put a separator after ZTO and before EMS.
bool separatorAfterInMenu(Courier courier);

} // namespace tolvi
