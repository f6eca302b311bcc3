// The user administration window against a real data.mdb.
#include "data/Dm.h"
#include "data/Schema.h"
#include "operators/Tuserglfm.h"
#include "support/TestEnv.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace tolvi;

Q_DECLARE_METATYPE(QList<tolvi::MsgButton>)

namespace {

// Reads userdb through a connection of its own, not the window's.
QStringList userRows() {
    db::Connection c;
    c.openFile(QStringLiteral("data.mdb"), kDatabasePassword);
    QStringList rows;
    for (const auto& r : c.select(QStringLiteral("select username, passwd from userdb")).rows)
        rows.append(r.values.at(0).toString() + QLatin1Char('/') + r.values.at(1).toString());
    return rows;
}

void runSql(const QString& sql) {
    db::Connection c;
    c.openFile(QStringLiteral("data.mdb"), kDatabasePassword);
    c.exec(sql);
}

QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

struct Fixture {
    test::TestEnv env;
    Tdmfm dm{mainConnectionString()};
    QPointer<Tuserglfm> window = new Tuserglfm;

    Fixture() {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    ~Fixture() { delete window; }
    test::ScriptedPlatform* p() const { return env.platform(); }
    // Logs in as the super administrator and forgets the messages so far.
    void unlock() {
        window->adminPasswordBox->setText(kInitialPassword);
        QTest::mouseClick(window->loginButton, Qt::LeftButton);
        QVERIFY(window->isUnlocked());
        p()->clear();
    }
    void select(const QString& name) {
        const auto items = window->userList->findItems(name, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        const QRect r = window->userList->visualItemRect(items.first());
        QTest::mouseClick(window->userList->viewport(), Qt::LeftButton, {}, r.center());
    }
};

} // namespace

class TestUsergl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensLockedWithTheNamesInTableOrder();
    void administratorLogin_data();
    void administratorLogin();
    void passwordBoxFiltersKeysAndEnterMovesOn();
    void clickingANameFillsBothTabs();
    void resetPassword();
    void resetOfAVanishedNameChangesNothing();
    void addUser_data();
    void addUser();
    void addRefusedByTheDatabaseShowsTheErrorAndKeepsTheList();
    void deleteUser_data();
    void deleteUser();
    void closesOnQuitAndEscape_data();
    void closesOnQuitAndEscape();
};

void TestUsergl::opensLockedWithTheNamesInTableOrder() {
    test::TestEnv env;
    runSql(QStringLiteral("insert into userdb values ('王五','1')"));
    runSql(QStringLiteral("insert into userdb values ('李四','2')"));
    Tdmfm dm(mainConnectionString());
    Tuserglfm w;
    QCOMPARE(w.windowTitle(), QStringLiteral("用户管理—(管理员专用)"));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(listed(w.userList),
             (QStringList{kSuperAdministrator, QStringLiteral("王五"), QStringLiteral("李四")}));
    QVERIFY(!w.userList->isEnabled());
    QVERIFY(!w.tabs->isEnabled());
    QVERIFY(w.adminPasswordBox->hasFocus());
    QCOMPARE(w.adminPasswordBox->accessibleName(), QStringLiteral("管理员密码："));
    QCOMPARE(w.adminPasswordBox->echoMode(), QLineEdit::Password);
    QCOMPARE(w.adminPasswordBox->maxLength(), 10);
}

void TestUsergl::administratorLogin_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("unlocked");
    QTest::newRow("right") << "888"
                           << "888" << true;
    QTest::newRow("blanks around are ignored") << "888"
                                               << " 888 " << true;
    QTest::newRow("wrong") << "888"
                           << "889" << false;
    QTest::newRow("letter case counts") << "Ab1"
                                        << "ab1" << false;
    QTest::newRow("empty box, password set") << "888"
                                             << "" << false;
    QTest::newRow("empty box, empty password") << ""
                                               << "" << true;
}

void TestUsergl::administratorLogin() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, unlocked);
    Fixture f;
    runSql(QStringLiteral("update userdb set passwd='%1'").arg(stored));
    f.window->adminPasswordBox->setText(typed);
    QTest::mouseClick(f.window->loginButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(), QStringList{unlocked ? QStringLiteral("超级管理员登录成功！")
                                                  : QStringLiteral("密码不对！")});
    QCOMPARE(f.window->isUnlocked(), unlocked);
    QCOMPARE(f.window->userList->isEnabled(), unlocked);
    QCOMPARE(f.window->adminPasswordBox->text(), unlocked ? QString() : typed);
}

void TestUsergl::passwordBoxFiltersKeysAndEnterMovesOn() {
    Fixture f;
    QLineEdit* box = f.window->adminPasswordBox;
    test::typeText(box, QStringLiteral("8a!中 Z-9"));
    QCOMPARE(box->text(), QStringLiteral("8aZ9"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("8aZ"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(f.window->loginButton->hasFocus());
    QVERIFY2(f.p()->messages.isEmpty(), "Enter must not log in");
    QVERIFY(!f.window->isUnlocked());
    test::typeText(box, QStringLiteral("12345678901234"));
    QCOMPARE(box->text().size(), 10);
}

void TestUsergl::clickingANameFillsBothTabs() {
    Fixture f;
    runSql(QStringLiteral("insert into userdb values ('张三','1')"));
    f.window->loadUserList();
    f.unlock();
    f.select(QStringLiteral("张三"));
    QCOMPARE(f.window->resetNameBox->text(), QStringLiteral("张三"));
    QCOMPARE(f.window->deleteNameBox->text(), QStringLiteral("张三"));
    QVERIFY(f.window->resetNameBox->isReadOnly());
    QVERIFY(f.window->deleteNameBox->isReadOnly());
}

void TestUsergl::resetPassword() {
    Fixture f;
    runSql(QStringLiteral("insert into userdb values ('张三','abc')"));
    f.window->loadUserList();
    f.unlock();
    QTest::mouseClick(f.window->resetButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(), QStringList{QStringLiteral("请选择用户名！")});
    f.p()->clear();

    f.select(QStringLiteral("张三"));
    QTest::mouseClick(f.window->resetButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(), QStringList{QStringLiteral("已经成功将密码初始化为：888")});
    QVERIFY(userRows().contains(QStringLiteral("张三/888")));
    f.p()->clear();

    QTest::mouseClick(f.window->resetHintButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(),
             QStringList{QStringLiteral("初始化口令用于忘记密码的用户，将口令更改为:888")});
}

void TestUsergl::resetOfAVanishedNameChangesNothing() {
    Fixture f;
    runSql(QStringLiteral("insert into userdb values ('张三','abc')"));
    f.window->loadUserList();
    f.unlock();
    f.select(QStringLiteral("张三"));
    runSql(QStringLiteral("delete from userdb where username='张三'"));
    QTest::mouseClick(f.window->resetButton, Qt::LeftButton);
    QCOMPARE(f.p()->messages.size(), 1);
    QCOMPARE(f.p()->messages[0].kind, test::Message::Warning);
    QCOMPARE(f.p()->lastText(), QStringLiteral("用户“张三”已不存在，没有初始化任何密码！"));
    QCOMPARE(userRows(), QStringList{kSuperAdministrator + QStringLiteral("/888")});
    QCOMPARE(listed(f.window->userList), QStringList{kSuperAdministrator});
}

void TestUsergl::addUser_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    const QString admin = kSuperAdministrator + QStringLiteral("/888");
    QTest::newRow("new name") << "  王小二  "
                              << "成功添加新用户！缺省口令是：888,请此用户下次登录时及时修改口令！"
                              << QStringList{admin, QStringLiteral("王小二/888")};
    QTest::newRow("apostrophe")
        << "O'Neil"
        << "成功添加新用户！缺省口令是：888,请此用户下次登录时及时修改口令！"
        << QStringList{admin, QStringLiteral("O'Neil/888")};
    QTest::newRow("super administrator with blanks")
        << " 超级管理员 "
        << "超级管理员只能有一个，不能增加" << QStringList{admin};
    QTest::newRow("empty") << "   "
                           << "请选择用户名！" << QStringList{admin};
    QTest::newRow("existing name")
        << "张三"
        << "用户“张三”已经存在，不能重复增加！" << QStringList{admin, QStringLiteral("张三/1")};
}

void TestUsergl::addUser() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    Fixture f;
    if (QByteArray(QTest::currentDataTag()) == "existing name")
        runSql(QStringLiteral("insert into userdb values ('张三','1')"));
    f.window->loadUserList();
    f.unlock();
    f.window->addNameBox->setText(typed);
    QTest::mouseClick(f.window->addButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(), QStringList{message});
    QCOMPARE(userRows(), rows);
    QStringList names;
    for (const QString& r : rows)
        names.append(r.section(QLatin1Char('/'), 0, 0));
    QCOMPARE(listed(f.window->userList), names);
    QCOMPARE(f.window->addNameBox->text(), typed);
}

void TestUsergl::addRefusedByTheDatabaseShowsTheErrorAndKeepsTheList() {
    Fixture f;
    f.unlock();
    runSql(QStringLiteral("create trigger refuse before insert on userdb "
                          "begin select raise(abort, 'no more operators'); end"));
    f.window->addNameBox->setText(QStringLiteral("王小二"));
    QTest::mouseClick(f.window->addButton, Qt::LeftButton);
    QCOMPARE(f.p()->messages.size(), 1);
    QCOMPARE(f.p()->messages[0].kind, test::Message::Error);
    QVERIFY2(f.p()->lastText().contains(QStringLiteral("no more operators")),
             qPrintable(f.p()->lastText()));
    QCOMPARE(userRows(), QStringList{kSuperAdministrator + QStringLiteral("/888")});
}

void TestUsergl::deleteUser_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("goneBeforehand");
    QTest::addColumn<QList<tolvi::MsgButton>>("answers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("boxAfter");
    const QString admin = kSuperAdministrator;
    const QString zhang = QStringLiteral("张三");
    const QString ask = QStringLiteral("你真的要删除用户：张三吗?");
    QTest::newRow("yes") << zhang << false << QList<MsgButton>{MsgButton::Yes}
                         << QStringList{ask, QStringLiteral("成功删除！")} << QStringList{admin}
                         << QString();
    QTest::newRow("no") << zhang << false << QList<MsgButton>{MsgButton::No} << QStringList{ask}
                        << QStringList{admin, zhang} << zhang;
    QTest::newRow("vanished") << zhang << true << QList<MsgButton>{MsgButton::Yes}
                              << QStringList{ask, QStringLiteral(
                                                      "用户“张三”已不存在，没有删除任何用户！")}
                              << QStringList{admin} << QString();
    QTest::newRow("super administrator") << admin << false << QList<MsgButton>{}
                                         << QStringList{QStringLiteral("超级管理员不能删除！")}
                                         << QStringList{admin, zhang} << admin;
    QTest::newRow("nothing chosen")
        << QString() << false << QList<MsgButton>{} << QStringList{QStringLiteral("请选择用户")}
        << QStringList{admin, zhang} << QString();
}

void TestUsergl::deleteUser() {
    QFETCH(QString, name);
    QFETCH(bool, goneBeforehand);
    QFETCH(QList<tolvi::MsgButton>, answers);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, names);
    QFETCH(QString, boxAfter);
    Fixture f;
    runSql(QStringLiteral("insert into userdb values ('张三','1')"));
    f.window->loadUserList();
    f.unlock();
    if (!name.isEmpty())
        f.select(name);
    if (goneBeforehand)
        runSql(QStringLiteral("delete from userdb where username='张三'"));
    for (MsgButton a : answers)
        f.p()->answers.enqueue(a);
    QTest::mouseClick(f.window->deleteButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(), texts);
    QStringList stored;
    for (const QString& r : userRows())
        stored.append(r.section(QLatin1Char('/'), 0, 0));
    QCOMPARE(stored, names);
    QCOMPARE(listed(f.window->userList), names);
    QCOMPARE(f.window->deleteNameBox->text(), boxAfter);
}

void TestUsergl::closesOnQuitAndEscape_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("退出") << false;
    QTest::newRow("Escape") << true;
}

void TestUsergl::closesOnQuitAndEscape() {
    QFETCH(bool, escape);
    Fixture f;
    f.unlock();
    QVERIFY(f.dm.ADOQuery1->isOpen());
    if (escape)
        QTest::keyClick(f.window->tabs, Qt::Key_Escape);
    else
        QTest::mouseClick(f.window->quitButton, Qt::LeftButton);
    QVERIFY(!f.dm.ADOQuery1->isOpen());
    QTRY_VERIFY(f.window.isNull()); // destroyed on close
}

QTEST_MAIN(TestUsergl)
#include "tst_usergl.moc"
