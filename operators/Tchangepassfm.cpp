#include "operators/Tchangepassfm.h"

#include "data/Dm.h"
#include "data/Mylib.h"
#include "operators/PasswordKeyFilter.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvi {
namespace {

void addRow(QFormLayout* form, const QString& caption, QWidget* box) {
    auto* label = new QLabel(caption);
    label->setBuddy(box);
    box->setAccessibleName(caption);
    form->addRow(label, box);
}

QPushButton* button(const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setAccessibleName(caption);
    b->setAutoDefault(true);
    return b;
}

} // namespace

Tchangepassfm::Tchangepassfm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("更改密码"));
    setAccessibleName(windowTitle());

    operatorBox = new QComboBox;
    operatorBox->setEditable(false);
    oldPasswordBox = new QLineEdit;
    newPasswordBox = new QLineEdit;
    repeatPasswordBox = new QLineEdit;
    changeButton = button(QStringLiteral("更改密码"));
    quitButton = button(QStringLiteral("退出"));
    closeWhenDoneBox = new QCheckBox(QStringLiteral("更改完毕退出"));
    closeWhenDoneBox->setAccessibleName(closeWhenDoneBox->text());
    closeWhenDoneBox->setChecked(true);
    PasswordKeyFilter::setUpPasswordBox(oldPasswordBox, newPasswordBox);
    PasswordKeyFilter::setUpPasswordBox(newPasswordBox, repeatPasswordBox);
    PasswordKeyFilter::setUpPasswordBox(repeatPasswordBox, changeButton);

    auto* form = new QFormLayout;
    addRow(form, QStringLiteral("选择操作员"), operatorBox);
    addRow(form, QStringLiteral("输入旧密码"), oldPasswordBox);
    addRow(form, QStringLiteral("输入新密码"), newPasswordBox);
    addRow(form, QStringLiteral("新密码重复"), repeatPasswordBox);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(changeButton);
    buttons->addWidget(quitButton);
    buttons->addWidget(closeWhenDoneBox);

    auto* hint = new QLabel(QStringLiteral("提示：密码只能输入字母和数字，最长10个字符！"));
    hint->setStyleSheet(QStringLiteral("color: #0000c0;"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(hint);
    setFixedSize(340, 210);

    connect(operatorBox, &QComboBox::activated, this,
            [this] { oldPasswordBox->setFocus(Qt::OtherFocusReason); });
    connect(changeButton, &QPushButton::clicked, this, &Tchangepassfm::changeButtonClick);
    connect(quitButton, &QPushButton::clicked, this, &QWidget::close);
}

void Tchangepassfm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    runCommand(this, [this] {
        fillComboFromGroupedQuery(Tdmfm::instance()->ADOQuery1, QStringLiteral("username"),
                                  QStringLiteral("userdb"), operatorBox);
    });
    operatorBox->setFocus(Qt::OtherFocusReason);
}

void Tchangepassfm::closeEvent(QCloseEvent* event) {
    if (Tdmfm* dm = Tdmfm::instance())
        dm->ADOQuery1->close();
    QWidget::closeEvent(event);
}

void Tchangepassfm::changeButtonClick() {
    runCommand(this, [this] {
        const QString name = operatorBox->currentText();
        const QString oldPassword = oldPasswordBox->text().trimmed();
        const QString newPassword = newPasswordBox->text().trimmed();
        const QString repeated = repeatPasswordBox->text().trimmed();
        if (!requireEditText(oldPasswordBox, QStringLiteral("必须输入旧口令！")))
            return;
        if (!requireEditText(newPasswordBox, QStringLiteral("新口令长度不能为空！")))
            return;
        if (newPassword != repeated) {
            platform().information(this, QStringLiteral("两次输入的密码不一致！请重新输入！"));
            repeatPasswordBox->clear();
            repeatPasswordBox->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (name.isEmpty()) {
            platform().warning(this, QStringLiteral("没有修改任何用户！请先选择操作员。"));
            operatorBox->setFocus(Qt::OtherFocusReason);
            return;
        }
        db::Dataset* q = Tdmfm::instance()->ADOQuery1;
        openQuery(q, QStringLiteral("select username from userdb where username='") +
                         sqlText(name) + QStringLiteral("'"));
        const bool known = q->recordCount() > 0;
        q->close();
        if (!known) {
            platform().warning(this,
                               QStringLiteral("没有修改任何用户！操作员“%1”已不存在。").arg(name));
            return;
        }
        // The old password must be the operator's stored one; checking it in
        // the statement itself leaves no gap between check and change.
        const int changed = execQuery(
            q, QStringLiteral("update userdb set passwd='") + sqlText(newPassword) +
                   QStringLiteral("'") + QStringLiteral(" where username='") + sqlText(name) +
                   QStringLiteral("' and passwd='") + sqlText(oldPassword) + QStringLiteral("'"));
        if (changed == 0) {
            platform().warning(this, QStringLiteral("旧密码不正确！密码没有修改。"));
            oldPasswordBox->clear();
            oldPasswordBox->setFocus(Qt::OtherFocusReason);
            return;
        }
        platform().information(this, QStringLiteral("你已经成功修改了密码！下次运行程序时生效！"));
        oldPasswordBox->clear();
        newPasswordBox->clear();
        repeatPasswordBox->clear();
        if (closeWhenDoneBox->isChecked())
            close();
    });
}

} // namespace tolvi
