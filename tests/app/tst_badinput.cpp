// Hostile text typed into every box whose value reaches a statement: quotes,
// like wildcards, a backslash, a very long Chinese text, control characters
// and characters GBK cannot encode. Each is stored and found as typed; no
// statement breaks and no other row changes.
#include "app/MainForm.h"
#include "app/ProgramFixture.h"
#include "app/Startup.h"
#include "data/Dm.h"
#include "data/Schema.h"
#include "operators/OperatorSession.h"
#include "operators/Tchangepassfm.h"
#include "operators/Tloginfm.h"
#include "operators/Tuserglfm.h"
#include "platform/Gbk.h"
#include "shipments/EntryPanel.h"
#include "shipments/QuickQueryPanel.h"
#include "shipments/SenderPanel.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvi;

namespace {

// The program with a look at every row of data, to see that nothing else changed.
struct Program : test::Program {
    QString dataDump() const {
        QStringList out;
        for (const auto& r : rows("select a,b,c,d,g,h,i,j,z,k from data order by rowid").rows) {
            QStringList v;
            for (const QVariant& x : r.values)
                v << x.toString();
            out << v.join(QChar(0x1F));
        }
        return out.join(QChar(0x1E));
    }
};

QStringList errorTexts(const test::ScriptedPlatform* p) {
    QStringList out;
    for (const test::Message& m : p->messages)
        if (m.kind == test::Message::Error)
            out << m.text;
    return out;
}

void type(QLineEdit* box, const QString& text) {
    box->setText(text);
    Q_EMIT box->textEdited(text);
}

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initialiseApplication(*qApp); }
    void quickQueryFindsTheRecord_data();
    void quickQueryFindsTheRecord();
    void entryPanelStoresAsTyped_data();
    void entryPanelStoresAsTyped();
    void senderPanelStoresAsTyped_data();
    void senderPanelStoresAsTyped();
    void operatorNameAndPasswordSurviveTheirLife_data();
    void operatorNameAndPasswordSurviveTheirLife();
    void loginWithUnknownHostileNameIsRefused_data();
    void loginWithUnknownHostileNameIsRefused();
    void secretsReachNoLogAndNoPlainFile();
};

static void hostileTexts() {
    QTest::addColumn<QString>("value");
    QTest::newRow("apostrophe") << QStringLiteral("王'五");
    QTest::newRow("closing quote and statement") << QStringLiteral("x' or '1'='1");
    QTest::newRow("double quote") << QStringLiteral("王\"五");
    QTest::newRow("percent") << QStringLiteral("王%五");
    QTest::newRow("underscore") << QStringLiteral("王_五");
    QTest::newRow("backslash") << QStringLiteral("C:\\王\\五");
    QTest::newRow("comment dashes") << QStringLiteral("王--五");
    QTest::newRow("bracket and hash") << QStringLiteral("[王]#2024-1-1#");
    QString longText;
    while (longText.size() < 10000)
        longText += QStringLiteral("广东省深圳市南山区科技园");
    QTest::newRow("10000 Chinese characters") << longText.left(10000);
    QTest::newRow("control characters") << QStringLiteral("王\t五\x01六\x1B七");
    QTest::newRow("emoji outside GBK") << QStringLiteral("王😀五𠀀");
}

void TestBadInput::quickQueryFindsTheRecord_data() {
    hostileTexts();
}

void TestBadInput::quickQueryFindsTheRecord() {
    QFETCH(QString, value);
    Program p;
    QVERIFY(p.login(kSuperAdministrator, kInitialPassword));
    auto* conn = p.dm->ADOConnection1;
    const QString insert =
        QStringLiteral("insert into data (a,b,c,d,g,i,j) values (?,?,?,?,?,?,?)");
    conn->execBound(insert, {value, value, value, value, value, value, value});
    conn->execBound(insert, {"张三", "139", "北京", "申通快递", "未打印", "m", "1"});
    const QString before = p.dataDump();
    QuickQueryPanel* q = p.main->quickQuery();
    const std::pair<const char*, QLineEdit*> boxes[] = {{"name", q->nameBox()},
                                                        {"mobile", q->mobileBox()},
                                                        {"address", q->addressBox()},
                                                        {"member", q->memberBox()},
                                                        {"order", q->orderBox()},
                                                        {"courier", q->courierBox()->lineEdit()},
                                                        {"status", q->statusBox()->lineEdit()}};
    // A typed % or _ stays a like wildcard in "like '%<text>%'": the record
    // holding the text is found, and others may be found with it, which only
    // widens a filter and never changes data.
    const bool wildcard = value.contains('%') || value.contains('_');
    for (const auto& [label, box] : boxes) {
        type(box, value);
        QVERIFY2(errorTexts(p.env.platform()).isEmpty(),
                 qPrintable(QString(label) + ": " + errorTexts(p.env.platform()).join('|')));
        db::Dataset* list = p.dm->ADOQuery15;
        QVERIFY2(list->isOpen(), label);
        bool found = false;
        for (list->first(); !list->eof(); list->next())
            found = found || list->fieldByName("a").asString() == value;
        QVERIFY2(found, label);
        if (!wildcard)
            QCOMPARE(list->recordCount(), 1);
        type(box, QString());
    }
    QCOMPARE(p.dataDump(), before);
}

void TestBadInput::entryPanelStoresAsTyped_data() {
    hostileTexts();
}

void TestBadInput::entryPanelStoresAsTyped() {
    QFETCH(QString, value);
    Program p;
    QVERIFY(p.login(kSuperAdministrator, kInitialPassword));
    p.dm->ADOConnection1->exec(
        "insert into data (a,b,c,d,g,k) values ('张三','139','北京','申通快递','未打印','留言')");
    EntryPanel* e = p.main->entryPanel();
    e->openForNew();
    for (QLineEdit* box : {e->nameEdit(), e->mobileEdit(), e->addressEdit(), e->goodsEdit(),
                           e->memberEdit(), e->orderEdit(), e->remarksEdit()})
        box->setText(value);
    e->courierBox()->setEditText(value);
    e->statusBox()->setEditText(value);
    e->dateEdit()->setText("2024-05-06");
    e->newButton()->click();
    QVERIFY2(errorTexts(p.env.platform()).isEmpty(),
             qPrintable(errorTexts(p.env.platform()).join('|')));
    const auto stored = p.rows("select a,b,c,d,g,h,i,j,z from data where k is null");
    QCOMPARE(stored.rows.size(), size_t(1));
    for (const QVariant& v : stored.rows[0].values)
        QCOMPARE(v.toString(), value);
    const auto other = p.rows("select a,b,c,k from data where k is not null");
    QCOMPARE(other.rows.size(), size_t(1));
    QCOMPARE(other.rows[0].values[0].toString(), QStringLiteral("张三"));
    QCOMPARE(other.rows[0].values[3].toString(), QStringLiteral("留言"));
}

void TestBadInput::senderPanelStoresAsTyped_data() {
    hostileTexts();
}

void TestBadInput::senderPanelStoresAsTyped() {
    QFETCH(QString, value);
    Program p;
    SenderPanel* s = p.main->senderPanel();
    s->show();
    for (QLineEdit* box : {s->nameEdit(), s->mobileEdit(), s->addressEdit()})
        box->setText(value);
    s->courierBox()->setEditText(value);
    s->saveButton()->click();
    QVERIFY2(errorTexts(p.env.platform()).isEmpty(),
             qPrintable(errorTexts(p.env.platform()).join('|')));
    const auto post = p.rows("select a,b,c,d from post");
    QCOMPARE(post.rows.size(), size_t(1));
    for (const QVariant& v : post.rows[0].values)
        QCOMPARE(v.toString(), value);
    s->nameEdit()->clear();
    s->loadSenderProfile();
    QCOMPARE(s->nameEdit()->text(), value);
}

void TestBadInput::operatorNameAndPasswordSurviveTheirLife_data() {
    hostileTexts();
}

// Added as a name, logged in with, given the text as password, logged in
// with that, deleted: every statement of the operator windows meets the text.
void TestBadInput::operatorNameAndPasswordSurviveTheirLife() {
    QFETCH(QString, value);
    Program p;
    test::ScriptedPlatform* platform = p.env.platform();
    auto users = [&] {
        QStringList out;
        for (const auto& r : p.rows("select username, passwd from userdb order by rowid").rows)
            out << r.values[0].toString() + "=" + r.values[1].toString();
        return out;
    };
    const QStringList before = users();
    {
        Tuserglfm admin;
        admin.show();
        admin.adminPasswordBox->setText(kInitialPassword);
        admin.loginButton->click();
        QVERIFY(admin.isUnlocked());
        admin.addNameBox->setText(value);
        admin.addButton->click();
        QVERIFY2(platform->lastText().startsWith(QStringLiteral("成功添加新用户！")),
                 qPrintable(platform->lastText()));
        // A second add of the same text finds it and refuses.
        admin.addNameBox->setText(value);
        admin.addButton->click();
        QVERIFY(platform->lastText().contains(QStringLiteral("已经存在")));
    }
    QCOMPARE(users(), before + QStringList{value + "=" + kInitialPassword});
    QVERIFY(p.login(value, kInitialPassword));
    QVERIFY(!p.login(value, value));
    // Password boxes take at most 10 characters: the password is what the
    // box holds, the longer texts cut there.
    QString password;
    {
        Tchangepassfm change;
        change.show();
        change.operatorBox->setCurrentText(value);
        QCOMPARE(change.operatorBox->currentText(), value);
        change.oldPasswordBox->setText(kInitialPassword);
        change.newPasswordBox->setText(value);
        change.repeatPasswordBox->setText(value);
        password = change.newPasswordBox->text();
        QCOMPARE(password, value.left(10));
        change.changeButton->click();
        QCOMPARE(platform->lastText(),
                 QStringLiteral("你已经成功修改了密码！下次运行程序时生效！"));
    }
    QCOMPARE(users(), before + QStringList{value + "=" + password});
    QVERIFY(p.login(value, password));
    QVERIFY(!p.login(value, kInitialPassword));
    {
        Tuserglfm admin;
        admin.show();
        admin.adminPasswordBox->setText(kInitialPassword);
        admin.loginButton->click();
        admin.deleteNameBox->setText(value);
        platform->answers.enqueue(MsgButton::Yes);
        admin.deleteButton->click();
        QCOMPARE(platform->lastText(), QStringLiteral("成功删除！"));
    }
    QCOMPARE(users(), before);
    QVERIFY(errorTexts(platform).isEmpty());
}

void TestBadInput::loginWithUnknownHostileNameIsRefused_data() {
    hostileTexts();
}

void TestBadInput::loginWithUnknownHostileNameIsRefused() {
    QFETCH(QString, value);
    Program p;
    const int logRows = p.rows("select count(*) from rz").rows[0].values[0].toInt();
    QVERIFY(!p.login(value, kInitialPassword));
    QVERIFY(!p.login(kSuperAdministrator, value));
    QCOMPARE(p.env.platform()->lastText(), QStringLiteral("密码不正确！请重新输入！"));
    QVERIFY(errorTexts(p.env.platform()).isEmpty());
    QCOMPARE(p.rows("select count(*) from rz").rows[0].values[0].toInt(), logRows);
}

namespace {
QStringList logged;
void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    logged << text;
}
} // namespace

// Files under root holding any of the secrets.
static QStringList filesHolding(const QString& root, const QList<QByteArray>& secrets) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = f.read(64 << 20);
        for (const QByteArray& secret : secrets)
            if (bytes.contains(secret))
                found << file;
    }
    return found;
}

// Operator passwords and typed values go to the encrypted database only: not
// to Qt's log, not to a settings or temporary file, not as plain bytes.
void TestBadInput::secretsReachNoLogAndNoPlainFile() {
    // Temporary files of this test go to a directory of its own.
    QTemporaryDir tmp;
    const QByteArray previousTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    const QString password = QStringLiteral("Pw7q9zK2x");
    const QString typed = QStringLiteral("Typed4711Value");
    QList<QByteArray> secrets;
    for (const QString& s : {password, typed, kDatabasePassword})
        secrets << s.toUtf8() << gbk::encode(s)
                << QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
    {
        Program p;
        p.dm->ADOConnection1->execBound("insert into userdb values (?,?)", {"op", "888"});
        QVERIFY(p.login("op", "888"));
        {
            Tchangepassfm change;
            change.show();
            change.operatorBox->setCurrentText("op");
            change.oldPasswordBox->setText("888");
            change.newPasswordBox->setText(password);
            change.repeatPasswordBox->setText(password);
            change.changeButton->click();
        }
        QVERIFY(p.login("op", password));
        QVERIFY(!p.login("op", password + "x"));
        type(p.main->quickQuery()->nameBox(), typed);
        EntryPanel* e = p.main->entryPanel();
        e->openForNew();
        e->courierBox()->setEditText("申通快递");
        e->statusBox()->setEditText("未打印");
        e->nameEdit()->setText(typed);
        e->mobileEdit()->setText("139");
        e->addressEdit()->setText("北京");
        e->dateEdit()->setText("2024-05-06");
        e->newButton()->click();
        QCOMPARE(p.rows("select count(*) from data where a='" + typed + "'").rows[0].values[0],
                 QVariant(1));
        p.main->close();
        // data.mdb, its journal and the settings all live here.
        const QStringList plain = filesHolding(p.env.dir(), secrets);
        QVERIFY2(plain.isEmpty(), qPrintable(plain.join(", ")));
    }
    qInstallMessageHandler(previous);
    if (previousTmp.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previousTmp);
    for (const QString& line : logged)
        for (const QString& s : {password, typed, kDatabasePassword})
            QVERIFY2(!line.contains(s), qPrintable(line));
    const QStringList temporary = filesHolding(tmp.path(), secrets);
    QVERIFY2(temporary.isEmpty(), qPrintable(temporary.join(", ")));
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
