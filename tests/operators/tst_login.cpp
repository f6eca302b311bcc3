// The login window against a real data.mdb.
#include "data/Dm.h"
#include "data/Schema.h"
#include "operators/LoginHost.h"
#include "operators/OperatorSession.h"
#include "operators/Tloginfm.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tolvi;

namespace {

struct RecordingHost : LoginHost {
    QStringList calls;
    QString user;
    int sessionId = 0;
    void showAllRecords() override { calls << "showAllRecords"; }
    void closeMainWindow() override { calls << "closeMainWindow"; }
    void operatorLoggedIn(const QString& u) override {
        calls << "loggedIn";
        user = u;
    }
    void setSessionId(int id) override { sessionId = id; }
};

int rzRows(Tdmfm& dm) {
    return dm.ADOConnection1->select("select count(*) from rz").rows[0].values[0].toInt();
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        operatorSession() = OperatorSession{};
        OperatorRights::instance().setRestricted(false);
    }
    void successWritesOneSessionRow();
    void closingWithoutLoginEndsProgram();
    void refusedLogins_data();
    void refusedLogins();
    void emptyUserTable();
    void leadingBlankIsNotTheAdministrator();
    void passwordBoxFiltersKeysAndEnterMovesFocus();
};

void TestLogin::successWritesOneSessionRow() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    dm.ADOConnection1->exec("insert into userdb values ('张三','123')");
    RecordingHost host;
    Tloginfm login(&host);
    login.show();
    // first name in ascending order is preset
    QCOMPARE(login.userBox()->count(), 2);
    QCOMPARE(login.userBox()->currentIndex(), 0);
    login.userBox()->setCurrentText(kSuperAdministrator);
    login.passwordBox()->setText(" " + kInitialPassword + " ");
    login.loginButton()->click();
    QVERIFY(!login.isVisible());
    QCOMPARE(host.calls, (QStringList{"showAllRecords", "loggedIn"}));
    QCOMPARE(host.user, kSuperAdministrator);
    const auto rz = dm.ADOConnection1->select("select id, username, btime, jtime from rz");
    QCOMPARE(rz.rows.size(), size_t(1));
    QCOMPARE(host.sessionId, rz.rows[0].values[0].toInt());
    QCOMPARE(operatorSession().sessionId, host.sessionId);
    QCOMPARE(rz.rows[0].values[1].toString(), kSuperAdministrator);
    QVERIFY(
        rz.rows[0].values[2].toString().startsWith(QDate::currentDate().toString("yyyy-MM-dd")));
    QVERIFY(rz.rows[0].values[3].isNull());
    QVERIFY(!OperatorRights::instance().isRestricted());
    QVERIFY(env.platform()->messages.isEmpty());
}

void TestLogin::closingWithoutLoginEndsProgram() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    RecordingHost host;
    Tloginfm login(&host);
    login.show();
    login.passwordBox()->setText("000");
    login.loginButton()->click(); // a failed try first
    QVERIFY(login.isVisible());
    login.reject(); // the close box
    QCOMPARE(host.calls, (QStringList{"showAllRecords", "closeMainWindow"}));
    QCOMPARE(rzRows(dm), 0);
    QCOMPARE(host.sessionId, 0);
}

void TestLogin::refusedLogins_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong password") << kSuperAdministrator << "999"
                                    << "密码不正确！请重新输入！";
    QTest::newRow("unknown user") << "李四" << kInitialPassword << "密码不正确！请重新输入！";
    QTest::newRow("duplicate rows") << "重复"
                                    << "111"
                                    << "密码不正确！请重新输入！";
    QTest::newRow("quote in name")
        << kSuperAdministrator + "' --" << kInitialPassword << "密码不正确！请重新输入！";
    QTest::newRow("quote or true") << "x' or '1'='1"
                                   << "x' or '1'='1"
                                   << "密码不正确！请重新输入！";
    QTest::newRow("blank user") << "   " << kInitialPassword << "必须选择用户！";
    QTest::newRow("blank password") << kSuperAdministrator << "  "
                                    << "必须输入密码！";
}

void TestLogin::refusedLogins() {
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, message);
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    dm.ADOConnection1->exec("insert into userdb values ('重复','111')");
    dm.ADOConnection1->exec("insert into userdb values ('重复','111')");
    RecordingHost host;
    Tloginfm login(&host);
    login.show();
    login.userBox()->setEditText(user);
    login.passwordBox()->setText(password);
    login.loginButton()->click();
    QVERIFY(login.isVisible());
    QCOMPARE(env.platform()->texts(), QStringList{message});
    QVERIFY(host.calls.isEmpty());
    QCOMPARE(rzRows(dm), 0);
    if (message.startsWith("密码不正确")) {
        QVERIFY(login.passwordBox()->text().isEmpty());
    }
}

void TestLogin::emptyUserTable() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    dm.ADOConnection1->exec("delete from userdb");
    RecordingHost host;
    Tloginfm login(&host);
    login.show();
    QCOMPARE(login.userBox()->count(), 0);
    QCOMPARE(login.userBox()->currentText(), QString());
    login.passwordBox()->setText("1");
    login.loginButton()->click();
    QCOMPARE(env.platform()->texts(), QStringList{"必须选择用户！"});
}

void TestLogin::leadingBlankIsNotTheAdministrator() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    dm.ADOConnection1->exec("insert into userdb values (' 超级管理员','555')");
    RecordingHost host;
    Tloginfm login(&host);
    login.show();
    login.userBox()->setEditText(" " + kSuperAdministrator);
    login.passwordBox()->setText("555");
    login.loginButton()->click();
    QVERIFY(!login.isVisible());
    QCOMPARE(operatorSession().userName, " " + kSuperAdministrator);
    QVERIFY(!operatorSession().isSuperAdministrator());
    QVERIFY(OperatorRights::instance().isRestricted());
    QCOMPARE(dm.ADOConnection1->select("select username from rz").rows[0].values[0].toString(),
             " " + kSuperAdministrator);
}

void TestLogin::passwordBoxFiltersKeysAndEnterMovesFocus() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    RecordingHost host;
    Tloginfm login(&host);
    login.show();
    QApplication::setActiveWindow(&login);
    login.passwordBox()->setFocus();
    QTest::keyClicks(login.passwordBox(), "a1!B -'9");
    QCOMPARE(login.passwordBox()->text(), QStringLiteral("a1B9"));
    QTest::keyClick(login.passwordBox(), Qt::Key_Return);
    QVERIFY(login.isVisible()); // Enter does not log in by itself
    QCOMPARE(QApplication::focusWidget(), login.loginButton());
    login.userBox()->setFocus();
    QTest::keyClick(login.userBox()->lineEdit(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), login.passwordBox());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
