#include "shipments/QuickQueryPanel.h"

#include "data/Mylib.h"
#include "platform/FloatingPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tolvi {

QuickQueryPanel::QuickQueryPanel(QWidget* parent) : QGroupBox(QStringLiteral(" 快速查询"), parent) {
    setAccessibleName(title().trimmed());
    resize(519, 118);
    courier_ = new QComboBox;
    courier_->setEditable(true);
    courier_->setInsertPolicy(QComboBox::NoInsert);
    status_ = new QComboBox;
    status_->setEditable(true);
    status_->setInsertPolicy(QComboBox::NoInsert);
    status_->addItems({QStringLiteral("已打印"), QStringLiteral("未打印")});
    status_->setCurrentIndex(-1);
    status_->setEditText(QString());
    mobile_ = new QLineEdit;
    name_ = new QLineEdit;
    address_ = new QLineEdit;
    member_ = new QLineEdit;
    order_ = new QLineEdit;

    placeField(this, QStringLiteral("快递方式："), courier_, 6, 20, 100, 70);
    placeField(this, QStringLiteral("打印状态："), status_, 6, 50, 100, 70);
    placeField(this, QStringLiteral("手机号："), mobile_, 6, 80, 100, 70);
    placeField(this, QStringLiteral("收件人姓名："), name_, 182, 20, 100, 84);
    placeField(this, QStringLiteral("收件地址："), address_, 182, 50, 100, 84);
    placeField(this, QStringLiteral("会员名："), member_, 182, 80, 100, 84);
    placeField(this, QStringLiteral("订单编号："), order_, 372, 20, 80, 60);

    clear_ = new QPushButton(QStringLiteral("清空条件"), this);
    clear_->setGeometry(380, 54, 132, 26);
    all_ = new QPushButton(QStringLiteral("全部记录"), this);
    all_->setGeometry(380, 84, 132, 26);
    for (QPushButton* b : {clear_, all_}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
    }

    for (QLineEdit* e : {mobile_, name_, address_, member_, order_})
        connect(e, &QLineEdit::textEdited, this, &QuickQueryPanel::conditionChanged);
    for (QComboBox* c : {courier_, status_}) {
        connect(c->lineEdit(), &QLineEdit::textEdited, this, &QuickQueryPanel::conditionChanged);
        connect(c, &QComboBox::textActivated, this, &QuickQueryPanel::conditionChanged);
    }
}

QString QuickQueryPanel::conditions() const {
    QString where;
    const std::pair<QString, QString> boxes[] = {
        {QStringLiteral("d"), courier_->currentText()}, {QStringLiteral("a"), name_->text()},
        {QStringLiteral("c"), address_->text()},        {QStringLiteral("j"), order_->text()},
        {QStringLiteral("i"), member_->text()},         {QStringLiteral("b"), mobile_->text()},
        {QStringLiteral("g"), status_->currentText()}};
    for (const auto& [column, text] : boxes)
        if (!text.isEmpty())
            where += QStringLiteral(" and ") + column + QStringLiteral(" like '%") + sqlText(text) +
                     QStringLiteral("%'");
    return where;
}

} // namespace tolvi
