// The password change window against a real data.mdb.
#include "data/Dm.h"
#include "data/Schema.h"
#include "operators/Tchangepassfm.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace tolvi;

namespace {

QString storedPassword(const QString& name) {
    db::Connection c;
    c.openFile(QStringLiteral("data.mdb"), kDatabasePassword);
    const auto r =
        c.selectBound(QStringLiteral("select passwd from userdb where username=?"), {name});
    return r.rows.empty() ? QStringLiteral("<no row>") : r.rows[0].values.at(0).toString();
}

void runSql(const QString& sql) {
    db::Connection c;
    c.openFile(QStringLiteral("data.mdb"), kDatabasePassword);
    c.exec(sql);
}

struct Fixture {
    test::TestEnv env;
    Tdmfm dm{mainConnectionString()};
    QPointer<Tchangepassfm> window;

    Fixture() {
        runSql(QStringLiteral("insert into userdb values ('张三','abc')"));
        runSql(QStringLiteral("insert into userdb values ('李四','Xy9')"));
        window = new Tchangepassfm;
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    ~Fixture() { delete window; }
    test::ScriptedPlatform* p() const { return env.platform(); }
    void fill(const QString& name, const QString& oldPw, const QString& newPw,
              const QString& repeat) {
        window->operatorBox->setCurrentIndex(window->operatorBox->findText(name));
        window->oldPasswordBox->setText(oldPw);
        window->newPasswordBox->setText(newPw);
        window->repeatPasswordBox->setText(repeat);
    }
};

} // namespace

class TestChangepass : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithDistinctSortedOperatorsAndNoneChosen();
    void focusChainAndKeyFilter();
    void refusedChanges_data();
    void refusedChanges();
    void operatorGoneMeanwhile();
    void changeClosesOrStaysOpen_data();
    void changeClosesOrStaysOpen();
};

void TestChangepass::opensWithDistinctSortedOperatorsAndNoneChosen() {
    Fixture f;
    runSql(QStringLiteral("insert into userdb values ('张三','dup')"));
    delete f.window;
    f.window = new Tchangepassfm;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("更改密码"));
    QStringList items;
    for (int i = 0; i < f.window->operatorBox->count(); ++i)
        items.append(f.window->operatorBox->itemText(i));
    QStringList expected{kSuperAdministrator, QStringLiteral("张三"), QStringLiteral("李四")};
    std::sort(expected.begin(), expected.end());
    QCOMPARE(items, expected);
    QCOMPARE(f.window->operatorBox->currentIndex(), -1);
    QVERIFY(!f.window->operatorBox->isEditable());
    QVERIFY(f.window->operatorBox->hasFocus());
    QVERIFY(f.window->closeWhenDoneBox->isChecked());
    for (QLineEdit* box :
         {f.window->oldPasswordBox, f.window->newPasswordBox, f.window->repeatPasswordBox}) {
        QCOMPARE(box->maxLength(), 10);
        QCOMPARE(box->echoMode(), QLineEdit::Password);
    }
    QCOMPARE(f.window->repeatPasswordBox->accessibleName(), QStringLiteral("新密码重复"));
}

void TestChangepass::focusChainAndKeyFilter() {
    Fixture f;
    QTest::keyClick(f.window->operatorBox, Qt::Key_Down);
    QVERIFY(f.window->oldPasswordBox->hasFocus());
    test::typeText(f.window->oldPasswordBox, QStringLiteral("a b#1密"));
    QCOMPARE(f.window->oldPasswordBox->text(), QStringLiteral("ab1"));
    QTest::keyClick(f.window->oldPasswordBox, Qt::Key_Return);
    QVERIFY(f.window->newPasswordBox->hasFocus());
    QTest::keyClick(f.window->newPasswordBox, Qt::Key_Enter);
    QVERIFY(f.window->repeatPasswordBox->hasFocus());
    QTest::keyClick(f.window->repeatPasswordBox, Qt::Key_Return);
    QVERIFY(f.window->changeButton->hasFocus());
    QVERIFY2(f.p()->messages.isEmpty(), "Enter alone never runs the change");
}

void TestChangepass::refusedChanges_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("oldPw");
    QTest::addColumn<QString>("newPw");
    QTest::addColumn<QString>("repeat");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused"); // accessible name of the box that gets the focus
    QTest::addColumn<QString>("emptied"); // box that was emptied, or ""
    const int warn = test::Message::Warning, info = test::Message::Information;
    QTest::newRow("no old password") << "张三"
                                     << "  "
                                     << "new1"
                                     << "new1" << warn << "必须输入旧口令！"
                                     << "输入旧密码"
                                     << "";
    QTest::newRow("no new password") << "张三"
                                     << "abc"
                                     << ""
                                     << "" << warn << "新口令长度不能为空！"
                                     << "输入新密码"
                                     << "";
    QTest::newRow("repeat differs in case")
        << "张三"
        << "abc"
        << "new1"
        << "NEW1" << info << "两次输入的密码不一致！请重新输入！"
        << "新密码重复"
        << "新密码重复";
    QTest::newRow("no operator chosen") << ""
                                        << "abc"
                                        << "new1"
                                        << "new1" << warn << "没有修改任何用户！请先选择操作员。"
                                        << "选择操作员"
                                        << "";
    QTest::newRow("wrong old password") << "张三"
                                        << "Xy9"
                                        << "new1"
                                        << "new1" << warn << "旧密码不正确！密码没有修改。"
                                        << "输入旧密码"
                                        << "输入旧密码";
    QTest::newRow("old password in other case") << "李四"
                                                << "xy9"
                                                << "new1"
                                                << "new1" << warn << "旧密码不正确！密码没有修改。"
                                                << "输入旧密码"
                                                << "输入旧密码";
}

void TestChangepass::refusedChanges() {
    QFETCH(QString, name);
    QFETCH(QString, oldPw);
    QFETCH(QString, newPw);
    QFETCH(QString, repeat);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    QFETCH(QString, emptied);
    Fixture f;
    f.fill(name, oldPw, newPw, repeat);
    QTest::mouseClick(f.window->changeButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(), QStringList{message});
    QCOMPARE(int(f.p()->messages[0].kind), kind);
    QVERIFY(f.window);
    QCOMPARE(QApplication::focusWidget()->accessibleName(), focused);
    for (QLineEdit* box :
         {f.window->oldPasswordBox, f.window->newPasswordBox, f.window->repeatPasswordBox})
        if (box->accessibleName() == emptied)
            QVERIFY(box->text().isEmpty());
    QCOMPARE(storedPassword(QStringLiteral("张三")), QStringLiteral("abc"));
    QCOMPARE(storedPassword(QStringLiteral("李四")), QStringLiteral("Xy9"));
}

void TestChangepass::operatorGoneMeanwhile() {
    Fixture f;
    f.fill(QStringLiteral("张三"), QStringLiteral("abc"), QStringLiteral("n1"),
           QStringLiteral("n1"));
    runSql(QStringLiteral("delete from userdb where username='张三'"));
    QTest::mouseClick(f.window->changeButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(),
             QStringList{QStringLiteral("没有修改任何用户！操作员“张三”已不存在。")});
    QCOMPARE(storedPassword(QStringLiteral("张三")), QStringLiteral("<no row>"));
}

void TestChangepass::changeClosesOrStaysOpen_data() {
    QTest::addColumn<bool>("closeWhenDone");
    QTest::newRow("更改完毕退出 ticked") << true;
    QTest::newRow("unticked") << false;
}

void TestChangepass::changeClosesOrStaysOpen() {
    QFETCH(bool, closeWhenDone);
    Fixture f;
    f.window->closeWhenDoneBox->setChecked(closeWhenDone);
    f.fill(QStringLiteral("张三"), QStringLiteral(" abc "), QStringLiteral("New9"),
           QStringLiteral("New9"));
    QTest::mouseClick(f.window->changeButton, Qt::LeftButton);
    QCOMPARE(f.p()->texts(),
             QStringList{QStringLiteral("你已经成功修改了密码！下次运行程序时生效！")});
    QCOMPARE(storedPassword(QStringLiteral("张三")), QStringLiteral("New9"));
    QCOMPARE(storedPassword(QStringLiteral("李四")), QStringLiteral("Xy9"));
    if (closeWhenDone) {
        QVERIFY(!f.dm.ADOQuery1->isOpen());
        QTRY_VERIFY(f.window.isNull());
    } else {
        QTest::qWait(20);
        QVERIFY(f.window && f.window->isVisible());
        QVERIFY(f.window->oldPasswordBox->text().isEmpty());
        QVERIFY(f.window->newPasswordBox->text().isEmpty());
        QVERIFY(f.window->repeatPasswordBox->text().isEmpty());
    }
}

QTEST_MAIN(TestChangepass)
#include "tst_changepass.moc"
