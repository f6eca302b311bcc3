#pragma once
// What the network-point window shows of each courier: its public web site,
// a short name and a colour for the logo button.

#include "waybill/Courier.h"

#include <QColor>
#include <QString>
#include <QUrl>

namespace tolvi {

QUrl courierWebAddress(Courier courier);
// The short Chinese name on the courier's logo ("申通", "顺丰", …).
QString courierShortName(Courier courier);
QColor courierColour(Courier courier);

} // namespace tolvi
