#include "waybill/WaybillItem.h"

namespace tolvi {

QString waybillItemName(WaybillItem item) {
    switch (item) {
    case WaybillItem::SenderName:
        return QStringLiteral("SenderName");
    case WaybillItem::SenderPhone:
        return QStringLiteral("SenderPhone");
    case WaybillItem::SenderAddress:
        return QStringLiteral("SenderAddress");
    case WaybillItem::SenderNameCopy:
        return QStringLiteral("SenderNameCopy");
    case WaybillItem::RecipientName:
        return QStringLiteral("RecipientName");
    case WaybillItem::RecipientPhone:
        return QStringLiteral("RecipientPhone");
    case WaybillItem::RecipientAddress:
        return QStringLiteral("RecipientAddress");
    }
    return {};
}

} // namespace tolvi
