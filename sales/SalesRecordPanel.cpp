#include "sales/SalesRecordPanel.h"

#include "data/Mylib.h"
#include "data/db/Dataset.h"
#include "sales/SalesQueries.h"
#include "sales/XstjNumbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tolvi::xstj {

SalesRecordPanel::SalesRecordPanel(QWidget* parent) : XstjPanelFrame(parent) {
    setFixedSize(505, 273);
    setAccessibleName(QStringLiteral("销售记录"));
    name_ = new QLabel(this);
    name_->setGeometry(20, 8, 440, 24);
    QFont big = name_->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 3);
    name_->setFont(big);
    name_->setAccessibleName(QStringLiteral("商品名称"));
    spec_ = value(10, 40, QStringLiteral("规格型号："));
    code_ = value(250, 40, QStringLiteral("商品编码："));
    category_ = value(10, 66, QStringLiteral("类 别："));
    saleDate_ = value(250, 66, QStringLiteral("销售日期："));
    price_ = value(10, 92, QStringLiteral("销售单价："));
    quantity_ = value(250, 92, QStringLiteral("销售数量："));
    amount_ = value(10, 118, QStringLiteral("销售金额："));

    debt_ = new QLineEdit;
    placeCaptioned(this, QStringLiteral("欠款金额："), debt_, 250, 118, 100, 80);
    // Digits and the point only; Backspace and Enter still work.
    debt_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), debt_));
    auto* note = new QLabel(QStringLiteral("不欠款填0"), this);
    note->setGeometry(434, 118, 66, 22);
    customerNumber_ = new QLineEdit;
    placeCaptioned(this, QStringLiteral("客户编号："), customerNumber_, 10, 150, 150, 80);
    customerName_ = new QLineEdit;
    placeCaptioned(this, QStringLiteral("客户名称："), customerName_, 250, 150, 160, 80);
    contact_ = new QLineEdit;
    placeCaptioned(this, QStringLiteral("联系方式："), contact_, 10, 178, 150, 80);
    address_ = new QLineEdit;
    placeCaptioned(this, QStringLiteral("地 址："), address_, 250, 178, 160, 80);
    remark_ = new QLineEdit;
    placeCaptioned(this, QStringLiteral("备 注："), remark_, 10, 206, 400, 80);
    connect(debt_, &QLineEdit::returnPressed, customerNumber_,
            [this] { customerNumber_->setFocus(); });

    modify_ = new QPushButton(QStringLiteral("修 改"), this);
    modify_->setGeometry(200, 238, 100, 28);
    delete_ = new QPushButton(QStringLiteral("删 除"), this);
    delete_->setGeometry(200, 238, 100, 28);
    hide();
}

QLabel* SalesRecordPanel::value(int x, int y, const QString& caption, int width) {
    auto* v = new QLabel;
    placeCaptioned(this, caption, v, x, y, width, 80);
    return v;
}

QString SalesRecordPanel::shownName() const {
    return name_->text();
}

bool SalesRecordPanel::openFor(Mode mode, const db::Dataset& detail) {
    if (detail.recNo() < 0 || detail.fieldByName(QStringLiteral("a")).asString().isEmpty())
        return false;
    const auto text = [&detail](const char* field) {
        return detail.fieldByName(QString::fromLatin1(field)).asString();
    };
    show();
    raise();
    modify_->setVisible(mode == Mode::Modify);
    delete_->setVisible(mode == Mode::Delete);
    name_->setText(text("a"));
    spec_->setText(text("b"));
    code_->setText(text("c"));
    category_->setText(text("d"));
    price_->setText(text("2"));
    quantity_->setText(text("3"));
    amount_->setText(text("4"));
    debt_->setText(text("6"));
    saleDate_->setText(text("day1"));
    inStockDate_ = text("day2");
    customerNumber_->setText(text("z"));
    if (mode == Mode::Modify)
        customerName_->setText(text("g"));
    else
        purchasePrice_ = text("1");
    address_->setText(text("h"));
    contact_->setText(text("i"));
    remark_->setText(text("j"));
    goods_.fill(QString()); // nothing of an earlier sale's goods record carries over
    return true;
}

void SalesRecordPanel::clearValues() {
    for (QLabel* l : {name_, spec_, code_, category_, price_, quantity_, amount_, saleDate_})
        l->clear();
    for (QLineEdit* e : {customerNumber_, customerName_, contact_, address_, remark_})
        e->clear();
}

void SalesRecordPanel::modify(db::Dataset* detail) const {
    if (!detail->isOpen() || detail->recordCount() == 0)
        return;
    // Parsed first, so a debt that is no number writes nothing.
    const double debt = parseNumber(debt_->text());
    detail->edit();
    detail->setValue(QStringLiteral("6"), debt);
    detail->setValue(QStringLiteral("z"), customerNumber_->text().trimmed());
    detail->setValue(QStringLiteral("g"), customerName_->text().trimmed());
    detail->setValue(QStringLiteral("h"), address_->text().trimmed());
    detail->setValue(QStringLiteral("i"), contact_->text().trimmed());
    detail->setValue(QStringLiteral("j"), remark_->text().trimmed());
    detail->post();
}

bool SalesRecordPanel::returnStock(db::Dataset* goods) {
    openQuery(goods, goodsSearchStatement(name_->text(), spec_->text(), code_->text(),
                                          category_->text(), inStockDate_));
    if (goods->recordCount() == 0)
        return false;
    goods->first();
    const char* fields[] = {"5", "6", "7", "8"};
    for (size_t i = 0; i < goods_.size(); ++i)
        goods_[i] = goods->fieldByName(QString::fromLatin1(fields[i])).asString();
    // A goods record without sold or stock quantity is left as it is.
    if (goods_[0].isEmpty() || goods_[2].isEmpty())
        return false;
    const double q = parseNumber(quantity_->text());
    const double a = parseNumber(amount_->text());
    const double b = purchasePrice_.isEmpty() ? 0 : parseNumber(purchasePrice_);
    const double stockAmount = goods_[3].isEmpty() ? 0 : parseNumber(goods_[3]);
    const double soldAmount = goods_[1].isEmpty() ? 0 : parseNumber(goods_[1]);
    const QString values[] = {
        generalNumber(parseNumber(goods_[0]) - q), generalNumber(soldAmount - a),
        generalNumber(parseNumber(goods_[2]) + q), generalNumber(q * b + stockAmount)};
    goods->edit();
    for (size_t i = 0; i < goods_.size(); ++i)
        goods->setValue(QString::fromLatin1(fields[i]), parseNumber(values[i]));
    goods->post();
    return true;
}

} // namespace tolvi::xstj
