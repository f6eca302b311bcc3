#include "operators/Tuserglfm.h"

#include "data/Dm.h"
#include "data/Mylib.h"
#include "data/Schema.h"
#include "operators/PasswordKeyFilter.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tolvi {
namespace {

db::Dataset* runner() {
    return Tdmfm::instance()->ADOQuery1;
}

QLabel* captionFor(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return label;
}

QPushButton* button(const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setAccessibleName(caption);
    b->setAutoDefault(true);
    return b;
}

// One tab page: a caption and box in a row, the buttons below.
QWidget* tabPage(const QString& caption, QLineEdit* box,
                 std::initializer_list<QPushButton*> buttons) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->addWidget(captionFor(caption, box));
    row->addWidget(box, 1);
    layout->addLayout(row);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (QPushButton* b : buttons)
        buttonRow->addWidget(b);
    buttonRow->addStretch();
    layout->addLayout(buttonRow);
    layout->addStretch();
    return page;
}

} // namespace

Tuserglfm::Tuserglfm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("用户管理—(管理员专用)"));
    setAccessibleName(windowTitle());

    adminPasswordBox = new QLineEdit;
    loginButton = button(QStringLiteral("登录"));
    quitButton = button(QStringLiteral("退出"));
    PasswordKeyFilter::setUpPasswordBox(adminPasswordBox, loginButton);

    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(captionFor(QStringLiteral("管理员密码："), adminPasswordBox));
    panelLayout->addWidget(adminPasswordBox);
    panelLayout->addWidget(loginButton);
    panelLayout->addWidget(quitButton);
    panelLayout->addStretch();

    userList = new QListWidget;
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(captionFor(QStringLiteral("用户列表"), userList));
    listColumn->addWidget(userList);

    resetNameBox = new QLineEdit;
    resetNameBox->setReadOnly(true);
    resetButton = button(QStringLiteral("初始化密码"));
    resetHintButton = button(QStringLiteral("提示"));
    addNameBox = new QLineEdit;
    addButton = button(QStringLiteral("增加用户"));
    deleteNameBox = new QLineEdit;
    deleteNameBox->setReadOnly(true);
    deleteButton = button(QStringLiteral("删除用户"));

    tabs = new QTabWidget;
    tabs->addTab(
        tabPage(QStringLiteral("你选择的用户名："), resetNameBox, {resetButton, resetHintButton}),
        QStringLiteral("初始化密码"));
    tabs->addTab(tabPage(QStringLiteral("新增用户名："), addNameBox, {addButton}),
                 QStringLiteral("增加用户"));
    tabs->addTab(tabPage(QStringLiteral("你选择的用户名："), deleteNameBox, {deleteButton}),
                 QStringLiteral("删除用户"));

    panel->setFixedWidth(110);
    userList->setFixedWidth(150);
    tabs->setMinimumWidth(330);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(listColumn);
    layout->addWidget(tabs, 1);
    setFixedSize(640, 240);

    connect(loginButton, &QPushButton::clicked, this, &Tuserglfm::loginButtonClick);
    connect(quitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(userList, &QListWidget::itemClicked, this, &Tuserglfm::userListClick);
    connect(userList, &QListWidget::currentRowChanged, this, &Tuserglfm::userListClick);
    connect(resetButton, &QPushButton::clicked, this, &Tuserglfm::resetButtonClick);
    connect(resetHintButton, &QPushButton::clicked, this, &Tuserglfm::resetHintButtonClick);
    connect(addButton, &QPushButton::clicked, this, &Tuserglfm::addButtonClick);
    connect(deleteButton, &QPushButton::clicked, this, &Tuserglfm::deleteButtonClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    setUnlocked(false);
}

bool Tuserglfm::isUnlocked() const {
    return tabs->isEnabled();
}

void Tuserglfm::setUnlocked(bool unlocked) {
    userList->setEnabled(unlocked);
    tabs->setEnabled(unlocked);
}

void Tuserglfm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    runCommand(this, [this] { loadUserList(); });
    adminPasswordBox->setFocus(Qt::OtherFocusReason);
}

void Tuserglfm::closeEvent(QCloseEvent* event) {
    if (Tdmfm* dm = Tdmfm::instance())
        dm->ADOQuery1->close();
    QWidget::closeEvent(event);
}

void Tuserglfm::loadUserList() {
    userList->clear();
    db::Dataset* q = runner();
    openQuery(q, QStringLiteral("select username from userdb"));
    const int count = q->recordCount();
    for (int i = 0; i < count; ++i) {
        userList->addItem(q->fieldByName(QStringLiteral("username")).asString());
        q->next();
    }
}

void Tuserglfm::loginButtonClick() {
    runCommand(this, [this] {
        const QString password = adminPasswordBox->text().trimmed();
        db::Dataset* q = runner();
        openQuery(q, QStringLiteral("select username from userdb where passwd='") +
                         sqlText(password) + QStringLiteral("'") +
                         QStringLiteral(" and username='") + kSuperAdministrator +
                         QStringLiteral("'"));
        if (q->recordCount() == 1) {
            platform().information(this, QStringLiteral("超级管理员登录成功！"));
            setUnlocked(true);
            adminPasswordBox->clear();
        } else {
            platform().information(this, QStringLiteral("密码不对！"));
        }
    });
}

void Tuserglfm::userListClick() {
    QListWidgetItem* item = userList->currentItem();
    if (!item)
        return;
    resetNameBox->setText(item->text());
    deleteNameBox->setText(item->text());
}

void Tuserglfm::resetButtonClick() {
    runCommand(this, [this] {
        const QString name = resetNameBox->text().trimmed();
        if (name.isEmpty()) {
            platform().information(this, QStringLiteral("请选择用户名！"));
            return;
        }
        const int changed =
            execQuery(runner(), QStringLiteral("update userdb set passwd='") + kInitialPassword +
                                    QStringLiteral("'") + QStringLiteral("where username='") +
                                    sqlText(name) + QStringLiteral("'"));
        if (changed == 0) {
            platform().warning(this,
                               QStringLiteral("用户“%1”已不存在，没有初始化任何密码！").arg(name));
            loadUserList();
            return;
        }
        platform().information(this, QStringLiteral("已经成功将密码初始化为：") + kInitialPassword);
    });
}

void Tuserglfm::resetHintButtonClick() {
    platform().information(this, QStringLiteral("初始化口令用于忘记密码的用户，将口令更改为:") +
                                     kInitialPassword);
}

void Tuserglfm::addButtonClick() {
    runCommand(this, [this] {
        const QString name = addNameBox->text().trimmed();
        if (name == kSuperAdministrator) {
            platform().information(this, QStringLiteral("超级管理员只能有一个，不能增加"));
            return;
        }
        if (name.isEmpty()) {
            platform().information(this, QStringLiteral("请选择用户名！"));
            loadUserList();
            return;
        }
        // A second row of the same name would make that operator's login
        // ambiguous, so an existing name is refused.
        db::Dataset* q = runner();
        openQuery(q, QStringLiteral("select username from userdb where username='") +
                         sqlText(name) + QStringLiteral("'"));
        const bool exists = q->recordCount() > 0;
        q->close();
        if (exists) {
            platform().warning(this, QStringLiteral("用户“%1”已经存在，不能重复增加！").arg(name));
            return;
        }
        execQuery(q, QStringLiteral("Insert into userdb values ('") + sqlText(name) +
                         QStringLiteral("'") + QStringLiteral(",'") + kInitialPassword +
                         QStringLiteral("')"));
        platform().information(this, QStringLiteral("成功添加新用户！缺省口令是：") +
                                         kInitialPassword +
                                         QStringLiteral(",请此用户下次登录时及时修改口令！"));
        loadUserList();
    });
}

void Tuserglfm::deleteButtonClick() {
    runCommand(this, [this] {
        const QString name = deleteNameBox->text().trimmed();
        if (name == kSuperAdministrator) {
            platform().information(this, QStringLiteral("超级管理员不能删除！"));
            return;
        }
        if (name.isEmpty()) {
            platform().information(this, QStringLiteral("请选择用户"));
            return;
        }
        const MsgButton answer = platform().question(
            this, QStringLiteral("你真的要删除用户：") + name + QStringLiteral("吗?"),
            QStringLiteral("删除用户"), MsgButtons::YesNo, MsgButton::No);
        if (answer == MsgButton::Yes) {
            const int changed =
                execQuery(runner(), QStringLiteral("delete from userdb where username='") +
                                        sqlText(name) + QStringLiteral("'"));
            if (changed == 0) {
                platform().warning(
                    this, QStringLiteral("用户“%1”已不存在，没有删除任何用户！").arg(name));
            } else {
                platform().information(this, QStringLiteral("成功删除！"));
            }
            deleteNameBox->clear();
        }
        loadUserList();
    });
}

} // namespace tolvi
