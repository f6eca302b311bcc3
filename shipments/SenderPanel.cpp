#include "shipments/SenderPanel.h"

#include "data/Mylib.h"
#include "data/db/Dataset.h"
#include "platform/Icons.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvi {
namespace {} // namespace

SenderPanel::SenderPanel(db::Dataset* reader, db::Dataset* writer,
                         std::function<void(const QString&)> showSuccessTip, QWidget* parent)
    : FloatingPanel(parent), reader_(reader), writer_(writer),
      showSuccessTip_(std::move(showSuccessTip)) {
    setAccessibleName(QStringLiteral("寄件人信息"));
    auto* title = new QLabel(QStringLiteral("寄件人信息设置"), this);
    title->setGeometry(12, 6, 200, 20);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    name_ = new QLineEdit;
    mobile_ = new QLineEdit;
    address_ = new QLineEdit;
    courier_ = new QComboBox;
    courier_->setEditable(true);
    courier_->setInsertPolicy(QComboBox::NoInsert);
    placeField(this, QStringLiteral("寄件人姓名："), name_, 12, 36, 96);
    placeField(this, QStringLiteral("寄件人手机："), mobile_, 12, 68, 96);
    placeField(this, QStringLiteral("寄件地址："), address_, 12, 100, 316);
    placeField(this, QStringLiteral("默认快递："), courier_, 12, 132, 91);
    save_ = new QPushButton(this);
    save_->setGeometry((465 - 130) / 2, 217 - 36 - 8, 130, 36);
    save_->setIcon(
        QIcon(captionPicture(QStringLiteral("保存设置"), QColor(40, 120, 200), QSize(126, 32))));
    save_->setIconSize(QSize(126, 32));
    save_->setFlat(true);
    save_->setAccessibleName(QStringLiteral("保存设置"));
    save_->setToolTip(QStringLiteral("保存寄件人信息"));
    save_->setCursor(Qt::PointingHandCursor);
    save_->setAutoDefault(false);
    resize(465, 217);
    move(232, 208);
    connect(save_, &QPushButton::clicked, this, &SenderPanel::saveSenderProfile);
    // Unsaved edits stay in the fields: other commands use them as typed.
    connect(this, &FloatingPanel::closeClicked, this, &QWidget::hide);
    hide(); // shown only when called
}

void SenderPanel::setCourierNames(const QStringList& names) {
    const QString text = courier_->currentText();
    courier_->clear();
    courier_->addItems(names);
    courier_->setCurrentIndex(-1);
    courier_->setEditText(text);
}

void SenderPanel::loadSenderProfile() {
    openQuery(reader_, QStringLiteral("select * from post"));
    QString a, b, c, d;
    if (reader_->recordCount() > 0) {
        a = reader_->fieldByName(QStringLiteral("a")).asString();
        b = reader_->fieldByName(QStringLiteral("b")).asString();
        c = reader_->fieldByName(QStringLiteral("c")).asString();
        d = reader_->fieldByName(QStringLiteral("d")).asString();
    }
    name_->setText(a);
    mobile_->setText(b);
    address_->setText(c);
    courier_->setEditText(d);
}

void SenderPanel::saveSenderProfile() {
    if (!requireComboText(courier_, QStringLiteral("默认快递必须输入！")) ||
        !requireEditText(name_, QStringLiteral("寄件人姓名必须输入！")) ||
        !requireEditText(mobile_, QStringLiteral("寄件人手机必须输入！")) ||
        !requireEditText(address_, QStringLiteral("寄件地址必须输入！")))
        return;
    runCommand(window(), [&] {
        writer_->open();
        if (writer_->recordCount() == 0) {
            writer_->append();
        } else {
            writer_->first();
            writer_->edit();
        }
        try {
            writer_->setValue(QStringLiteral("a"), trimBlanksAndControls(name_->text()));
            writer_->setValue(QStringLiteral("b"), trimBlanksAndControls(mobile_->text()));
            writer_->setValue(QStringLiteral("c"), trimBlanksAndControls(address_->text()));
            writer_->setValue(QStringLiteral("d"), trimBlanksAndControls(courier_->currentText()));
            writer_->post();
        } catch (...) {
            writer_->cancel();
            throw;
        }
        if (showSuccessTip_)
            showSuccessTip_(QStringLiteral("寄件人设置成功.."));
        hide();
    });
}

QString SenderPanel::senderName() const {
    return name_->text();
}
QString SenderPanel::senderMobile() const {
    return mobile_->text();
}
QString SenderPanel::senderAddress() const {
    return address_->text();
}
QString SenderPanel::defaultCourier() const {
    return courier_->currentText();
}

} // namespace tolvi
