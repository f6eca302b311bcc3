#pragma once
// The group " 快速查询": seven condition boxes and two buttons.

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tolvi {

class QuickQueryPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit QuickQueryPanel(QWidget* parent = nullptr);

    QComboBox* courierBox() const { return courier_; }
    QComboBox* statusBox() const { return status_; }
    QLineEdit* mobileBox() const { return mobile_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* addressBox() const { return address_; }
    QLineEdit* memberBox() const { return member_; }
    QLineEdit* orderBox() const { return order_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* allButton() const { return all_; }

    // The WHERE conditions of the boxes in their fixed order.
    QString conditions() const;

Q_SIGNALS:
    // A condition changed through typing or choosing.
    void conditionChanged();

private:
    QComboBox* courier_;
    QComboBox* status_;
    QLineEdit* mobile_;
    QLineEdit* name_;
    QLineEdit* address_;
    QLineEdit* member_;
    QLineEdit* order_;
    QPushButton* clear_;
    QPushButton* all_;
};

} // namespace tolvi
