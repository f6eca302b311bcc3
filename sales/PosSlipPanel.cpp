#include "sales/PosSlipPanel.h"

#include "data/Mylib.h"
#include "sales/XstjNumbers.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tolvi::xstj {

bool SlipLine::isFree() const {
    return name->text().isEmpty();
}

void SlipLine::clear() {
    for (QLineEdit* e : {code, name, model, quantity, price, amount})
        e->clear();
}

void SlipLine::fill(const SlipItem& item) {
    code->setText(item.code);
    name->setText(item.name);
    model->setText(item.model);
    quantity->setText(item.quantity);
    price->setText(item.price);
    // A sale without an amount counts as nothing owed rather than ending the command.
    amount->setText(fixed2(item.amount.trimmed().isEmpty() ? 0 : parseNumber(item.amount)));
    // Long values show their beginning.
    for (QLineEdit* e : {code, name, model, quantity, price, amount})
        e->setCursorPosition(0);
}

PosSlipPanel::PosSlipPanel(QWidget* parent) : XstjPanelFrame(parent) {
    setFixedSize(641, 313);
    setAccessibleName(QStringLiteral("POS小票"));
    setToolTip(QStringLiteral("销售明细中点右键POS销售单打印可添加多行记录"));

    customer_ = new QLineEdit;
    placeCaptioned(this, QStringLiteral("客户名称："), customer_, 8, 8, 220, 70);

    const int xs[] = {8, 88, 188, 268, 318, 368};
    const int ws[] = {78, 98, 78, 48, 48, 58};
    const char* heads[] = {"商品编码", "商品名称", "规格型号", "数 量", "单 价", "金 额"};
    for (int c = 0; c < 6; ++c) {
        auto* h = new QLabel(QString::fromUtf8(heads[c]), this);
        h->setGeometry(xs[c], 36, ws[c], 20);
        h->setAlignment(Qt::AlignCenter);
    }
    auto* remarkHead = new QLabel(QStringLiteral("备 注"), this);
    remarkHead->setGeometry(460, 36, 170, 20);
    remarkHead->setAlignment(Qt::AlignCenter);
    for (int r = 0; r < kSlipLineCount; ++r) {
        SlipLine& line = lines_[static_cast<size_t>(r)];
        QLineEdit** fields[] = {&line.code,     &line.name,  &line.model,
                                &line.quantity, &line.price, &line.amount};
        for (int c = 0; c < 6; ++c) {
            auto* e = new QLineEdit(this);
            e->setReadOnly(true);
            e->setGeometry(xs[c], 58 + r * 26, ws[c], 24);
            e->setAccessibleName(QStringLiteral("第%1行").arg(r + 1) + QString::fromUtf8(heads[c]));
            *fields[c] = e;
        }
        line.clearButton = new QPushButton(QStringLiteral("删"), this);
        line.clearButton->setGeometry(428, 58 + r * 26, 26, 24);
        line.clearButton->setAccessibleName(QStringLiteral("删"));
        connect(line.clearButton, &QPushButton::clicked, this, [this, r] {
            lines_[static_cast<size_t>(r)].clear();
            updateSlipTotal();
        });
    }
    remark_ = new QPlainTextEdit(this);
    remark_->setGeometry(460, 58, 172, 6 * 26 - 2);
    remark_->setAccessibleName(QStringLiteral("备 注"));

    auto* group = new QGroupBox(QStringLiteral(" 小票现金结算"), this);
    group->setGeometry(8, 222, 440, 82);
    total_ = new QLineEdit;
    total_->setReadOnly(true);
    placeCaptioned(group, QStringLiteral("合计："), total_, 4, 22, 80, 50);
    cash_ = new QLineEdit;
    placeCaptioned(group, QStringLiteral("现金："), cash_, 140, 22, 80, 50);
    cash_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), cash_));
    change_ = new QLineEdit;
    change_->setReadOnly(true);
    placeCaptioned(group, QStringLiteral("找零："), change_, 280, 22, 80, 50);

    print_ = new QPushButton(QStringLiteral("POS小票打印"), this);
    print_->setGeometry(470, 230, 150, 30);
    salesSlip_ = new QPushButton(QStringLiteral("销售单打印"), this);
    salesSlip_->setGeometry(470, 268, 150, 30);

    connect(cash_, &QLineEdit::returnPressed, print_, [this] { print_->setFocus(); });
    connect(cash_, &QLineEdit::editingFinished, this,
            [this] { runCommand(window(), [this] { computeChange(); }); });
    connect(print_, &QPushButton::clicked, this, &PosSlipPanel::printRequested);
    connect(salesSlip_, &QPushButton::clicked, this, &PosSlipPanel::clearForSalesSlip);
    connect(this, &XstjPanelFrame::closeClicked, this, &PosSlipPanel::closePanel);
    updateSlipTotal();
    hide();
}

int PosSlipPanel::addItem(const SlipItem& item) {
    for (int i = 0; i < kSlipLineCount; ++i) {
        SlipLine& line = lines_[static_cast<size_t>(i)];
        if (line.isFree()) {
            line.fill(item);
            return i;
        }
    }
    return -1;
}

void PosSlipPanel::updateSlipTotal() {
    double sum = 0;
    for (const SlipLine& line : lines_) {
        bool ok = false;
        const double v = QLocale::c().toDouble(line.amount->text(), &ok);
        if (ok)
            sum += v;
    }
    const QString text = fixed2(sum);
    if (total_->text() != text)
        total_->setText(text);
}

void PosSlipPanel::computeChange() {
    if (cash_->text().isEmpty())
        return;
    change_->setText(generalNumber(parseNumber(cash_->text()) - parseNumber(total_->text())));
}

void PosSlipPanel::clearSlip() {
    customer_->clear();
    cash_->clear();
    change_->clear();
    for (SlipLine& line : lines_)
        line.clear();
}

void PosSlipPanel::closePanel() {
    hide();
    for (SlipLine& line : lines_)
        line.clear();
}

void PosSlipPanel::clearForSalesSlip() {
    clearSlip();
    customer_->clear();
    remark_->clear();
}

ReceiptInput PosSlipPanel::receiptInput() const {
    ReceiptInput in;
    for (const SlipLine& line : lines_)
        if (!line.isFree())
            in.items.append({line.name->text(), line.quantity->text(), line.amount->text()});
    in.cash = cash_->text();
    in.total = total_->text();
    in.change = change_->text();
    return in;
}

} // namespace tolvi::xstj
