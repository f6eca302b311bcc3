#include "waybill/WaybillLayout.h"

#include "waybill/CourierLayout.h"

namespace tolvi {

void applyCourierLayout(WaybillReport& report, Courier courier) {
    const CourierLayout& layout = courierLayout(courier);
    for (WaybillItem which : kAllWaybillItems) {
        if (const auto pos = layout.position(which)) {
            report::ReportItem* item = report.item(which);
            item->setX(pos->x());
            item->setY(pos->y());
        }
    }
}

void setSenderItems(WaybillReport& report, const QString& name, const QString& phone,
                    const QString& address) {
    report.item(WaybillItem::SenderName)->setText(name);
    report.item(WaybillItem::SenderPhone)->setText(phone);
    report.item(WaybillItem::SenderNameCopy)->setText(name);
    report.item(WaybillItem::SenderAddress)->setLines(address);
}

} // namespace tolvi
