// The shared form and query helpers.
#include "data/Dm.h"
#include "data/Mylib.h"
#include "data/Schema.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace tolvi;

class TestMylib : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void requireChecks_data();
    void requireChecks();
    void groupedQueryStatementAndOrder();
    void fillComboFromEmptyAndNullColumns();
    void execQueryReportsChanges();
    void quotedValuesRoundTrip();
    void runCommandShowsTheError();
};

void TestMylib::requireChecks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << "   " << false;
    QTest::newRow("controls") << "\t\r\n" << false;
    QTest::newRow("' a '") << " a " << true;
    QTest::newRow("chinese") << "王" << true;
}

void TestMylib::requireChecks() {
    QFETCH(QString, text);
    QFETCH(bool, passes);
    test::TestEnv env;
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    auto* other = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setText(text);
    combo->setEditText(text);
    other->setFocus();
    QCOMPARE(requireEditText(edit, "姓名必须输入！"), passes);
    QCOMPARE(requireComboText(combo, "快递必须输入！"), passes);
    if (passes) {
        QVERIFY(env.platform()->messages.isEmpty());
        QCOMPARE(edit->text(), text); // the box is not touched
        QCOMPARE(QApplication::focusWidget(), other);
    } else {
        QCOMPARE(env.platform()->texts(), (QStringList{"姓名必须输入！", "快递必须输入！"}));
        QCOMPARE(env.platform()->messages[0].kind, test::Message::Warning);
        QCOMPARE(QApplication::focusWidget(), combo);
    }
}

void TestMylib::groupedQueryStatementAndOrder() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    for (const char* u : {"b", "a", "b", "c"})
        dm.ADOConnection1->exec(QStringLiteral("insert into userdb values ('%1','1')").arg(u));
    openGroupedQuery(dm.ADOQuery1, "username", "userdb");
    QCOMPARE(dm.ADOQuery1->sql().join("\n"),
             QStringLiteral("select username from userdb group by username order by username"));
    QStringList got;
    for (; !dm.ADOQuery1->eof(); dm.ADOQuery1->next())
        got << dm.ADOQuery1->fieldByName("username").asString();
    QCOMPARE(got, (QStringList{"a", "b", "c", kSuperAdministrator}));
}

void TestMylib::fillComboFromEmptyAndNullColumns() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    QComboBox box;
    box.setEditable(true);
    box.addItem("old");
    box.setEditText("typed");
    fillComboFromGroupedQuery(dm.ADOQuery1, "d", "data", &box);
    QCOMPARE(box.count(), 0);
    QCOMPARE(box.currentText(), QString());
    // A NULL courier lists as an empty item and no longer stops the command.
    dm.ADOConnection1->exec("insert into data (a,d) values ('x',NULL)");
    dm.ADOConnection1->exec("insert into data (a,d) values ('y','申通快递')");
    fillComboFromGroupedQuery(dm.ADOQuery1, "d", "data", &box);
    QCOMPARE(box.count(), 2);
    QCOMPARE(box.itemText(0), QString());
    QCOMPARE(box.itemText(1), QStringLiteral("申通快递"));
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(box.currentText(), QString());
}

void TestMylib::execQueryReportsChanges() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    QCOMPARE(execQuery(dm.ADOQuery1, "update userdb set passwd='1' where username='nobody'"), 0);
    QVERIFY(!dm.ADOQuery1->isOpen());
    QCOMPARE(execQuery(dm.ADOQuery1, "Insert into userdb values ('a','1')"), 1);
    QCOMPARE(execQuery(dm.ADOQuery1, "update userdb set passwd='2'"), 2);
}

void TestMylib::quotedValuesRoundTrip() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    const QString name = "O'Neil ''x'' \\ % _ \"q\"";
    execQuery(dm.ADOQuery1, "Insert into userdb values ('" + sqlText(name) + "'" + ",'1')");
    openQuery(dm.ADOQuery1, "select username from userdb where username='" + sqlText(name) + "'");
    QCOMPARE(dm.ADOQuery1->recordCount(), 1);
    QCOMPARE(dm.ADOQuery1->fieldByName("username").asString(), name);
}

void TestMylib::runCommandShowsTheError() {
    test::TestEnv env;
    Tdmfm dm(mainConnectionString());
    bool after = false;
    QVERIFY(!runCommand(nullptr, [&] {
        openQuery(dm.ADOQuery1, "select * from nosuchtable");
        after = true;
    }));
    QVERIFY(!after);
    QCOMPARE(env.platform()->messages.size(), 1);
    QCOMPARE(env.platform()->messages[0].kind, test::Message::Error);
    QVERIFY(env.platform()->lastText().contains("nosuchtable"));
    QVERIFY(!dm.ADOQuery1->isOpen()); // a failed query leaves the list closed
}

QTEST_MAIN(TestMylib)
#include "tst_mylib.moc"
