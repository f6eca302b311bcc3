#pragma once
// The sales detail window "销售明细": the sales records of data1 with their
// queries, the record panel that corrects or deletes a sale (returning its
// quantity to stock), export and print of the list, the monthly and daily
// charts on the page "销售统计", and the POS slip panel.

#include "sales/SalesColumnChoices.h"

#include <QDialog>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;

namespace tolvi {
class Tdmfm;
namespace grid {
class DataGrid;
}
namespace chart {
class SalesBarChart;
}
} // namespace tolvi

namespace tolvi::xstj {
class PosSlipPanel;
class SalesRecordPanel;
struct SlipItem;
} // namespace tolvi::xstj

namespace tolvi {

class Txstj : public QDialog {
    Q_OBJECT
public:
    explicit Txstj(Tdmfm* dm = nullptr, QWidget* parent = nullptr);
    ~Txstj() override;

    // Queries of the detail list.
    void runThisMonth();
    void runAll();
    void runCombinedQuery();
    void runToday();
    void clearConditions();
    void filterByCustomerNumber();
    void sortByTitle(const QString& field, int column);

    // The context menu's column choices, saved under \Software\brimvale\jxc.
    void toggleColumnChoice(int choice); // 1 … 10
    void showAllColumns();
    void restoreColumnChoices();

    // Record panel.
    void openModify();
    void modifyRecord();
    void openDelete();
    void deleteRecord();

    void exportList();
    void printList();

    // POS slip.
    void addToSlip();
    // A sale saved in the sales entry: the first free line; -1 when all taken.
    int addSaleToSlip(const xstj::SlipItem& item);
    // After such a sale: the slip's customer name and the customer-number
    // filter (which re-filters the list).
    void setSlipCustomer(const QString& customerName, const QString& customerNumber);
    void printReceipt();

    // Charts.
    void runMonthlyProfit();
    void runMonthlySales();
    void runDailyProfit();
    void runDailySales();

    // Rights of an operator other than the super administrator.
    void setRestricted(bool restricted);
    void setOperatorName(const QString& name) { operatorName_ = name; }
    QString operatorName() const { return operatorName_; }
    // The main window's customer name list, refilled by runThisMonth.
    void setCustomerBox(QComboBox* box) { customerBox_ = box; }
    // Run when the window closes (the main list's "全部记录").
    void setOnClosed(std::function<void()> f) { onClosed_ = std::move(f); }
    // The button "销售单打印" of the group " 个性信息设置".
    void setSalesSlipPrinter(std::function<void()> f) { printSalesSlip_ = std::move(f); }

    // What the sales slip and the sales entry read or set.
    QString companyName() const;
    QString addressLine() const;
    QLineEdit* customerNumberEdit() const { return customerNumber_; }
    grid::DataGrid* grid() const { return grid_; }
    xstj::PosSlipPanel* slipPanel() const { return slip_; }
    xstj::SalesRecordPanel* recordPanel() const { return record_; }
    QMenu* contextMenu() const { return menu_; }
    QAction* choiceAction(int choice) const { return choiceActions_.at(choice - 1); }
    QTabWidget* pages() const { return pages_; }
    chart::SalesBarChart* monthlyChart() const { return monthChart_; }
    chart::SalesBarChart* dailyChart() const { return dayChart_; }
    QComboBox* monthlyYearBox() const { return monthYear_; }
    QComboBox* dailyYearBox() const { return dayYear_; }
    QComboBox* dailyMonthBox() const { return dayMonth_; }
    QComboBox* categoryBox() const { return category_; }
    QLineEdit* nameInitialsEdit() const { return nameInitials_; }
    QLineEdit* codeEdit() const { return code_; }
    QLineEdit* specInitialsEdit() const { return specInitials_; }
    QLineEdit* customerNameEdit() const { return customerName_; }
    QLineEdit* remarkEdit() const { return remark_; }
    QCheckBox* dateCheck() const { return dateCheck_; }
    QDateEdit* fromDate() const { return fromDate_; }
    QDateEdit* toDate() const { return toDate_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void buildDetailPage(QWidget* page);
    void buildQueryGroup(QWidget* page);
    void buildSettingsGroup(QWidget* page);
    void buildChartPage(QWidget* page);
    void buildMenu();
    void applyColumns();
    void run(const std::function<void()>& command);

    Tdmfm* dm_;
    QTabWidget* pages_;
    grid::DataGrid* grid_;
    QComboBox* category_;
    QLineEdit* nameInitials_;
    QLineEdit* code_;
    QLineEdit* specInitials_;
    QLineEdit* customerName_;
    QLineEdit* remark_;
    QCheckBox* dateCheck_;
    QDateEdit* fromDate_;
    QDateEdit* toDate_;
    QLineEdit* company_;
    QLineEdit* address_;
    QLineEdit* customerNumber_;
    xstj::SalesRecordPanel* record_;
    xstj::PosSlipPanel* slip_;
    QMenu* menu_;
    QAction* modifyAction_;
    QAction* deleteAction_;
    QAction* showAllAction_;
    std::array<QAction*, xstj::kChoiceCount> choiceActions_{};
    chart::SalesBarChart* monthChart_;
    chart::SalesBarChart* dayChart_;
    QWidget* monthChartBar_;
    QWidget* dayChartBar_;
    QComboBox* monthYear_;
    QComboBox* dayYear_;
    QComboBox* dayMonth_;
    QTimer* slipTimer_;
    xstj::SalesColumnChoices choices_;
    QString operatorName_;
    QComboBox* customerBox_ = nullptr;
    std::function<void()> onClosed_;
    std::function<void()> printSalesSlip_;
    int clickedRow_ = -1;
};

} // namespace tolvi
