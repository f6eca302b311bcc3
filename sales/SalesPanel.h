#pragma once
// The sales entry panel of the main window: one goods item's sale — actual
// price or discount, quantity, debt, date and customer. Saving moves stock on
// the goods record (a row of `data`) and appends a sales record to `data1` in
// one transaction, then feeds the POS slip and refreshes the sales windows
// through hooks the main window connects.

#include "platform/FloatingPanel.h"
#include <QDate>

#include <QFrame>
#include <QPoint>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tolvi {

class Tdmfm;
class UpDownButtons;

// A goods item as the sales side reads a row of `data`.
struct GoodsRecord {
    QString name, model, code, category; // a, b, c, d
    QString suggestedPrice;              // [4], empty when NULL
    QString purchasePrice;               // see purchaseUnitPrice()
    QString stockQuantity;               // [7]
    QString quantitySold;                // [5]
    QString salesAmount;                 // [6]
    QString inStockDate;                 // day1
};

// One item for the POS slip of the sales detail window.
struct SlipItem {
    QString name, model, code, quantity, unitPrice, amount;
};

class SalesPanel : public FloatingPanel {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> showAllRecords;               // the main list's "全部记录"
        std::function<void(const QString&)> showSuccessTip; // main window's tip
        std::function<void(const SlipItem&)> addSlipLine;   // first free slip line
        std::function<void(const QString& customerName, const QString& customerNumber)>
            setSlipCustomer;                       // slip name, number filter
        std::function<void()> refreshSummary;      // TForm1::runSummary
        std::function<void()> runThisMonth;        // detail window's "本 月"
        std::function<void()> disableRecordModify; // record editor's "修 改"
    };

    explicit SalesPanel(Tdmfm* dm, QWidget* parent = nullptr);
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    Hooks& hooks() { return hooks_; }

    // Shows the panel for the shipment list's current record as the goods
    // record; false (and a message) when the list has no current record.
    bool openForGoodsRecord();
    // Loads the goods values without touching a dataset (the caller decides
    // which row of the list the sale is booked against: bookedRowid).
    void setGoodsValues(const GoodsRecord& goods, qint64 listRowid);
    static GoodsRecord goodsRecordOfCurrentRow(Tdmfm* dm);

    bool computeSale();
    void saveSale();
    void confirmSale();
    void appendSalesRecord();
    void clearSaleInputs();
    void closeSalePanel();
    void newCustomerNumber();
    void nextCustomerNumber();
    int customerCounter() const { return counter_; }

    // Start-up: the customer number from `ordernumber`.
    void loadCustomerNumber();
    // The distinct customer names of data1 into the name box.
    void refillCustomerNames();
    // Operators other than the super administrator may not change the date.
    void setSaleDateReadOnly(bool readOnly);
    bool saleDateIsEmpty() const;
    void setSaleDate(const QDate& day);
    // Used by the main window's Timer 1 and first show.
    void setSaleDateToToday() { setSaleDate(QDate::currentDate()); }

    QComboBox* customerBox() const { return customerName_; }
    QLineEdit* priceEdit() const { return price_; }
    QLineEdit* discountEdit() const { return discount_; }
    QLineEdit* quantityEdit() const { return quantity_; }
    QLineEdit* debtEdit() const { return debt_; }
    QLineEdit* saleDateEdit() const { return date_; }
    QToolButton* datePickerButton() const { return datePick_; }
    QLineEdit* customerNumberEdit() const { return customerNumber_; }
    QLineEdit* addressEdit() const { return address_; }
    QLineEdit* contactEdit() const { return contact_; }
    QLineEdit* remarkEdit() const { return remark_; }
    QLineEdit* stockEdit() const { return stock_; }
    QLineEdit* amountEdit() const { return amount_; }
    QLabel* nameLabel() const { return nameLabel_; }
    QLabel* specLabel() const { return modelLabel_; }
    QLabel* codeLabel() const { return codeLabel_; }
    QLabel* categoryLabel() const { return categoryLabel_; }
    QLabel* suggestedPriceLabel() const { return suggestedLabel_; }
    QToolButton* saveButton() const { return save_; }
    QToolButton* plusButton() const { return plus_; }
    UpDownButtons* discountUpDown() const { return discountUpDown_; }
    UpDownButtons* quantityUpDown() const { return quantityUpDown_; }
    QPushButton* button(const QString& caption) const; // the five off-panel buttons
    const GoodsRecord& goods() const { return goods_; }
    qint64 bookedRowid() const { return rowid_; }

    // The hidden results of computeSale.
    QString newQuantitySold() const { return newSold_; }
    QString newSalesAmount() const { return newAmount_; }
    QString newStockQuantity() const { return newStock_; }
    QString newStockAmount() const { return newStockAmount_; }
    QString profit() const { return profit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct SaleValues;
    void build();
    void recomputeAmount();
    void applyDiscount();
    void pickDate();
    bool quantityPasses();
    bool collectSaleValues(SaleValues* values);
    void bookSale(const SaleValues& values);
    void writeSalesRecord(const SaleValues& values);
    void run(const std::function<void()>& command);

    Tdmfm* dm_;
    Hooks hooks_;
    GoodsRecord goods_;
    qint64 rowid_ = 0;
    int counter_ = 1;
    QString newSold_, newAmount_, newStock_, newStockAmount_, profit_;

    QLabel* nameLabel_;
    QLabel* modelLabel_;
    QLabel* codeLabel_;
    QLabel* categoryLabel_;
    QLabel* suggestedLabel_;
    QLineEdit* price_;
    QLineEdit* discount_;
    QLineEdit* quantity_;
    QLineEdit* stock_;
    QLineEdit* amount_;
    QLineEdit* debt_;
    QLineEdit* date_;
    QToolButton* datePick_;
    QLineEdit* customerNumber_;
    QToolButton* plus_;
    QComboBox* customerName_;
    QLineEdit* address_;
    QLineEdit* contact_;
    QLineEdit* remark_;
    QToolButton* save_;
    UpDownButtons* discountUpDown_;
    UpDownButtons* quantityUpDown_;
    QList<QPushButton*> offPanel_;
};

} // namespace tolvi
