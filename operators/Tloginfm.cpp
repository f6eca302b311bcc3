#include "operators/Tloginfm.h"

#include "data/Dm.h"
#include "data/Mylib.h"
#include "data/Schema.h"
#include "operators/LoginHost.h"
#include "operators/OperatorSession.h"
#include "operators/PasswordKeyFilter.h"
#include "platform/Platform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvi {

Tloginfm::Tloginfm(LoginHost* host, QWidget* parent) : QDialog(parent), host_(host) {
    setWindowTitle(QStringLiteral("用户登录"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    auto* userLabel = new QLabel(QStringLiteral("用户名称："), this);
    userBox_ = new QComboBox(this);
    userBox_->setEditable(true);
    userBox_->setInsertPolicy(QComboBox::NoInsert);
    userLabel->setBuddy(userBox_);
    userBox_->setAccessibleName(userLabel->text());

    auto* passwordLabel = new QLabel(QStringLiteral("输入密码："), this);
    passwordBox_ = new QLineEdit(this);
    passwordLabel->setBuddy(passwordBox_);
    passwordBox_->setAccessibleName(passwordLabel->text());

    hint_ = new QLabel(QStringLiteral("初始登陆密码：") + kInitialPassword, this);
    hint_->setStyleSheet(QStringLiteral("color: red;"));

    loginButton_ = new QPushButton(QStringLiteral("登 录"), this);
    loginButton_->setAccessibleName(QStringLiteral("登 录"));
    // Enter in the boxes moves the focus; only the focused button logs in.
    loginButton_->setAutoDefault(false);
    loginButton_->setDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 20, 24, 16);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(userBox_, 0, 1);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(passwordBox_, 1, 1);
    grid->addWidget(hint_, 2, 0, 1, 2);
    grid->addWidget(loginButton_, 3, 1, Qt::AlignRight);
    setFixedSize(300, 170);

    // Enter in the password box focuses "登 录"; it never logs in by itself.
    PasswordKeyFilter::setUpPasswordBox(passwordBox_, loginButton_);
    userBox_->installEventFilter(this);
    userBox_->lineEdit()->installEventFilter(this);
    loginButton_->installEventFilter(this);
    connect(userBox_, &QComboBox::activated, this, [this] { passwordBox_->setFocus(); });
    connect(loginButton_, &QPushButton::clicked, this, &Tloginfm::Button1Click);
    setTabOrder(userBox_, passwordBox_);
    setTabOrder(passwordBox_, loginButton_);
}

void Tloginfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    closing_ = false;
    runCommand(this, [this] { prepare(); });
}

void Tloginfm::prepare() {
    fillComboFromGroupedQuery(Tdmfm::instance()->ADOQuery1, QStringLiteral("username"),
                              QStringLiteral("userdb"), userBox_);
    userBox_->setFocus();
    if (userBox_->count() > 0)
        userBox_->setCurrentIndex(0);
}

bool Tloginfm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == userBox_ || watched == userBox_->lineEdit()) {
        if (enter) {
            passwordBox_->setFocus();
            return true;
        }
    } else if (watched == loginButton_ && enter) {
        loginButton_->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tloginfm::Button1Click() {
    const QString user = userBox_->currentText();
    const QString password = passwordBox_->text().trimmed();
    if (!requireComboText(userBox_, QStringLiteral("必须选择用户！")))
        return;
    if (!requireEditText(passwordBox_, QStringLiteral("必须输入密码！")))
        return;
    runCommand(this, [&] {
        db::Dataset* q = Tdmfm::instance()->ADOQuery1;
        openQuery(q, QStringLiteral("select username from userdb where passwd='") +
                         sqlText(password) + QStringLiteral("'") +
                         QStringLiteral(" and username='") + sqlText(user) + QStringLiteral("'"));
        if (q->recordCount() == 1) {
            operatorSession().userName = user;
            operatorSession().loggedIn = true;
            accept();
            return;
        }
        platform().information(this, QStringLiteral("密码不正确！请重新输入！"));
        passwordBox_->clear();
        passwordBox_->setFocus();
    });
}

void Tloginfm::done(int result) {
    if (closing_)
        return;
    closing_ = true;
    QDialog::done(result);
    runCommand(parentWidget(), [this] { closingSteps(); });
}

void Tloginfm::closingSteps() {
    Tdmfm* dm = Tdmfm::instance();
    dm->ADOQuery1->close();
    if (host_)
        host_->showAllRecords();
    OperatorSession& session = operatorSession();
    if (!session.loggedIn) {
        if (host_)
            host_->closeMainWindow();
        return;
    }
    if (host_)
        host_->operatorLoggedIn(session.userName);
    if (!session.isSuperAdministrator())
        OperatorRights::instance().setRestricted(true);
    execQuery(dm->ADOQuery1, QStringLiteral("Insert into rz (username,btime) values ('") +
                                 sqlText(session.userName) + QStringLiteral("'") +
                                 QStringLiteral(",'") + sessionTimeText() + QStringLiteral("')"));
    openQuery(dm->ADOQuery1, QStringLiteral("select max(id) as maxid from rz"));
    session.sessionId =
        static_cast<int>(dm->ADOQuery1->fieldByName(QStringLiteral("maxid")).asInteger());
    if (host_)
        host_->setSessionId(session.sessionId);
}

} // namespace tolvi
