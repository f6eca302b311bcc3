#pragma once
// The record panel of the sales detail window: shows the chosen sale, lets
// the user correct its debt and customer part ("修 改") or delete it while
// returning its quantity to the goods record ("删 除").

#include "sales/XstjPanelFrame.h"

#include <QString>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tolvi::db {
class Dataset;
}

namespace tolvi::xstj {

class SalesRecordPanel : public XstjPanelFrame {
    Q_OBJECT
public:
    enum class Mode { Modify, Delete };

    explicit SalesRecordPanel(QWidget* parent = nullptr);

    // Fills the panel from the detail list's current row and shows it with
    // the mode's button; false (and nothing shown) when the row has no name.
    bool openFor(Mode mode, const db::Dataset& detail);
    // Empties the shown values and the five customer fields; the debt stays.
    void clearValues();

    // "修 改": the debt and the customer fields into the current row.
    void modify(db::Dataset* detail) const;
    // Finds the goods record of the sale in goods (the main list's dataset)
    // and gives it the quantity back. False when no goods record matched.
    bool returnStock(db::Dataset* goods);

    QLineEdit* debtEdit() const { return debt_; }
    QLineEdit* customerNumberEdit() const { return customerNumber_; }
    QLineEdit* customerNameEdit() const { return customerName_; }
    QLineEdit* contactEdit() const { return contact_; }
    QLineEdit* addressEdit() const { return address_; }
    QLineEdit* remarkEdit() const { return remark_; }
    QPushButton* modifyButton() const { return modify_; }
    QPushButton* deleteButton() const { return delete_; }
    QString shownName() const;

private:
    QLabel* value(int x, int y, const QString& caption, int width = 150);

    QLabel* name_;
    QLabel* spec_;
    QLabel* code_;
    QLabel* category_;
    QLabel* price_;
    QLabel* quantity_;
    QLabel* amount_;
    QLabel* saleDate_;
    QLineEdit* debt_;
    QLineEdit* customerNumber_;
    QLineEdit* customerName_;
    QLineEdit* contact_;
    QLineEdit* address_;
    QLineEdit* remark_;
    QPushButton* modify_;
    QPushButton* delete_;
    // Unseen: the sale's purchase unit price and in-stock date, and the goods
    // record's quantity sold, sales amount, stock quantity and stock amount.
    QString purchasePrice_;
    QString inStockDate_;
    std::array<QString, 4> goods_;
};

} // namespace tolvi::xstj
