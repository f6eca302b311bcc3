#pragma once
// Filling and placing the items of a waybill report.

#include "waybill/Courier.h"
#include "waybill/WaybillReport.h"

namespace tolvi {

// Moves every item the courier's table places to its position (x, then y);
// an item without a position keeps where it stands. Texts, sizes and fonts
// stay as they are.
void applyCourierLayout(WaybillReport& report, Courier courier);

// SenderName and SenderNameCopy take the name, SenderPhone the telephone,
// and the lines of SenderAddress are replaced by the address text.
void setSenderItems(WaybillReport& report, const QString& name, const QString& phone,
                    const QString& address);

} // namespace tolvi
