#pragma once
// The entry panel: one shipment record's fields, for new and modified records.

#include "platform/FloatingPanel.h"

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tolvi {

namespace db {
class Dataset;
}

class EntryPanel : public FloatingPanel {
    Q_OBJECT
public:
    struct Hooks {
        std::function<QString()> defaultCourier; // the sender panel's "默认快递"
        std::function<void()> showAllRecords;
        std::function<void(const QString&)> showSuccessTip;
        std::function<QList<int>()> selectedRows; // dataset rows selected in the list
    };

    EntryPanel(db::Dataset* list, db::Dataset* appender, Hooks hooks, QWidget* parent = nullptr);

    void setCourierNames(const QStringList& names);

    void openForNew();
    // fromPopup: the list pop-up's "修 改" (hides "新 建"); else the double-click.
    void openForModify(bool fromPopup);
    void saveNew();
    void saveModified();
    void deleteSelected();
    void clearPanel();
    void closePanel();
    void toggleExpanded();
    bool isExpanded() const;

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* mobileEdit() const { return mobile_; }
    QLineEdit* addressEdit() const { return address_; }
    QLineEdit* dateEdit() const { return date_; }
    QComboBox* courierBox() const { return courier_; }
    QComboBox* statusBox() const { return status_; }
    QLineEdit* goodsEdit() const { return goods_; }
    QLineEdit* amountEdit() const { return amount_; }
    QLineEdit* memberEdit() const { return member_; }
    QLineEdit* quantityEdit() const { return quantity_; }
    QLineEdit* orderEdit() const { return order_; }
    QLineEdit* remarksEdit() const { return remarks_; }
    QPushButton* newButton() const { return newButton_; }
    QPushButton* modifyButton() const { return modifyButton_; }
    QPushButton* moreButton() const { return more_; }
    QPushButton* clearAllButton() const { return clearAll_; }

    // An empty date field shows only its mask; Timer 1 refills it.
    bool dateIsEmpty() const;
    void setDateToNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checkInputs();
    // Trimmed texts and converted numbers for the twelve columns, in the
    // order they are written; raises the conversion error before any write.
    QList<std::pair<QString, QVariant>> fieldValues() const;

    db::Dataset* list_;
    db::Dataset* appender_;
    Hooks hooks_;
    qint64 modifyRowid_ = 0;
    QLineEdit* name_;
    QLineEdit* mobile_;
    QLineEdit* address_;
    QLineEdit* date_;
    QComboBox* courier_;
    QComboBox* status_;
    QLineEdit* goods_;
    QLineEdit* amount_;
    QLineEdit* member_;
    QLineEdit* quantity_;
    QLineEdit* order_;
    QLineEdit* remarks_;
    QPushButton* newButton_;
    QPushButton* modifyButton_;
    QPushButton* more_;
    QPushButton* clearAll_;
};

// Both conversions raise DbError with the program's conversion messages.
double textToFloat(const QString& text);
QString textToDate(const QString& text);

} // namespace tolvi
