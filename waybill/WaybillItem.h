#pragma once
// The seven texts a waybill places on a courier's form.

#include <QString>
#include <array>

namespace tolvi {

enum class WaybillItem {
    SenderName,
    SenderPhone,
    SenderAddress,
    SenderNameCopy,
    RecipientName,
    RecipientPhone,
    RecipientAddress,
};

inline constexpr int kWaybillItemCount = 7;
inline constexpr std::array<WaybillItem, kWaybillItemCount> kAllWaybillItems = {
    WaybillItem::SenderName,      WaybillItem::SenderPhone,   WaybillItem::SenderAddress,
    WaybillItem::SenderNameCopy,  WaybillItem::RecipientName, WaybillItem::RecipientPhone,
    WaybillItem::RecipientAddress};

QString waybillItemName(WaybillItem item); // "SenderName", …

} // namespace tolvi
