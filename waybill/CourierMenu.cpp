#include "waybill/CourierMenu.h"

#include <QMenu>

namespace tolvi {

void fillCourierMenu(QMenu* menu, std::function<void(Courier)> onPick) {
    for (Courier courier : kAllCouriers) {
        QAction* action = menu->addAction(courierCaption(courier));
        action->setData(static_cast<int>(courier));
        QObject::connect(action, &QAction::triggered, menu, [onPick, courier] { onPick(courier); });
        if (separatorAfterInMenu(courier))
            menu->addSeparator();
    }
}

QMenu* createCourierMenu(const QString& title, QWidget* parent,
                         std::function<void(Courier)> onPick) {
    auto* menu = new QMenu(title, parent);
    menu->setAccessibleName(title);
    fillCourierMenu(menu, std::move(onPick));
    return menu;
}

} // namespace tolvi
