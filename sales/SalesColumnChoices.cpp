#include "sales/SalesColumnChoices.h"

#include "platform/SettingsStore.h"

#include <QString>
#include <vector>

namespace tolvi::xstj {
namespace {

std::vector<int> columnsOf(int choice) {
    switch (choice) {
    case 1:
        return {4};
    case 2:
        return {7};
    case 3:
        return {8};
    case 4:
        return {kProfitColumn};
    case 5:
        return {11, 12, 13, 14};
    case 6:
        return {kCustomerNumberColumn};
    default:
        return {choice + 4}; // 7 … 10: columns 11 … 14
    }
}

// "显示客户编号" is checked when its column shows; the others when theirs hide.
bool showsWhenChecked(int choice) {
    return choice == 6;
}

QString valueName(int choice) {
    return QStringLiteral("xiaoshouyin") + QString::number(choice);
}

} // namespace

SalesColumnChoices::SalesColumnChoices() {
    shown_.fill(true);
    shown_[kCustomerNumberColumn] = false;
}

void SalesColumnChoices::apply(int choice, bool check) {
    checked_.at(choice - 1) = check;
    const bool show = showsWhenChecked(choice) ? check : !check;
    for (int c : columnsOf(choice))
        shown_.at(c) = show;
}

void SalesColumnChoices::toggle(int choice) {
    const bool check = !isChecked(choice);
    apply(choice, check);
    SettingsStore::write(kKeyJxc, valueName(choice),
                         check ? QStringLiteral("yes") : QStringLiteral("no"));
}

void SalesColumnChoices::showAll() {
    for (int c = 1; c < kColumnCount; ++c)
        if (c != kCustomerNumberColumn)
            shown_.at(c) = true;
}

void SalesColumnChoices::restore() {
    if (!SettingsStore::keyExists(kKeyJxc))
        return;
    for (int choice = 1; choice <= kChoiceCount; ++choice) {
        const QString value = SettingsStore::read(kKeyJxc, valueName(choice));
        if (value == QLatin1String("yes"))
            apply(choice, true);
        else if (value == QLatin1String("no"))
            apply(choice, false);
    }
}

bool SalesColumnChoices::isColumnVisible(int column) const {
    if (restricted_ && column == kProfitColumn)
        return false;
    return shown_.at(column);
}

} // namespace tolvi::xstj
