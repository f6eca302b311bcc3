#pragma once
// The sender panel: the seller's name, mobile, address and default courier.
// The rest of the program reads these fields, not the table.

#include "platform/FloatingPanel.h"

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tolvi {

namespace db {
class Dataset;
}

class SenderPanel : public FloatingPanel {
    Q_OBJECT
public:
    SenderPanel(db::Dataset* reader, db::Dataset* writer,
                std::function<void(const QString&)> showSuccessTip, QWidget* parent = nullptr);

    void setCourierNames(const QStringList& names);

    // "select * from post" into the four fields (empty fields for no row).
    void loadSenderProfile();
    void saveSenderProfile();

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* mobileEdit() const { return mobile_; }
    QLineEdit* addressEdit() const { return address_; }
    QComboBox* courierBox() const { return courier_; }
    QPushButton* saveButton() const { return save_; }

    QString senderName() const;
    QString senderMobile() const;
    QString senderAddress() const;
    QString defaultCourier() const;

private:
    db::Dataset* reader_;
    db::Dataset* writer_;
    std::function<void(const QString&)> showSuccessTip_;
    QLineEdit* name_;
    QLineEdit* mobile_;
    QLineEdit* address_;
    QComboBox* courier_;
    QPushButton* save_;
};

} // namespace tolvi
