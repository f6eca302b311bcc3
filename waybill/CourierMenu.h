#pragma once
// The nine-entry courier menu of the print buttons and of the list's
// "单张打印" / "批量打印" submenus.

#include "waybill/Courier.h"

#include <functional>

class QMenu;
class QWidget;

namespace tolvi {

// Adds the nine courier entries (with their two separators) to menu; picking
// one calls onPick with its courier.
void fillCourierMenu(QMenu* menu, std::function<void(Courier)> onPick);

// A new menu with those entries, titled title (for use as a submenu).
QMenu* createCourierMenu(const QString& title, QWidget* parent,
                         std::function<void(Courier)> onPick);

} // namespace tolvi
