#pragma once
// The ten column choices of the sales detail list's context menu: which
// columns each hides or shows, their check marks, their saved values
// (xiaoshouyin1 … xiaoshouyin10 under \Software\brimvale\jxc) and the
// operator rights that keep the net profit column hidden.

#include <array>

namespace tolvi::xstj {

inline constexpr int kColumnCount = 15;
inline constexpr int kChoiceCount = 10;
inline constexpr int kCustomerNumberColumn = 10;
inline constexpr int kProfitColumn = 9;

class SalesColumnChoices {
public:
    SalesColumnChoices();

    // choice 1 … 10
    bool isChecked(int choice) const { return checked_.at(choice - 1); }
    // A click on the choice's menu item; writes its value.
    void toggle(int choice);
    // "全部显示": columns 1 to 9 and 11 to 14 shown, check marks unchanged.
    void showAll();
    // Start-up: "yes" and "no" as a click on the unchecked or checked item
    // would leave it, anything else the design state.
    void restore();

    // Operators other than the super administrator never see the profit.
    void setRestricted(bool restricted) { restricted_ = restricted; }
    bool isRestricted() const { return restricted_; }
    bool isColumnVisible(int column) const;

private:
    void apply(int choice, bool check);

    std::array<bool, kChoiceCount> checked_{};
    std::array<bool, kColumnCount> shown_{};
    bool restricted_ = false;
};

} // namespace tolvi::xstj
