#pragma once
// Where each courier's form wants the seven texts, in report pixels from the
// waybill band's top-left corner. One table serves the single and the batch
// report.

#include "waybill/Courier.h"
#include "waybill/WaybillItem.h"

#include <QPoint>
#include <array>
#include <optional>

namespace tolvi {

struct CourierLayout {
    // No position means the item stays where it is.
    std::array<std::optional<QPoint>, kWaybillItemCount> positions;

    std::optional<QPoint> position(WaybillItem item) const {
        return positions[static_cast<size_t>(item)];
    }
};

const CourierLayout& courierLayout(Courier courier);

} // namespace tolvi
