// The upgrade check against local version texts (file:// and a local HTTP
// server), never the network.
#include "support/TestEnv.h"
#include "upgrade/AutoUpgrade.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace tolvi;
using Outcome = AutoUpgrade::Outcome;

namespace {

// Answers every HTTP request with the given body.
class TinyHttpServer : public QTcpServer {
public:
    explicit TinyHttpServer(QByteArray body) : body_(std::move(body)) {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n"))
                        return;
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                             QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                             body_);
                    s->disconnectFromHost();
                });
            }
        });
    }

private:
    QByteArray body_;
};

Outcome runCheck(AutoUpgrade& upgrade) {
    QSignalSpy done(&upgrade, &AutoUpgrade::finished);
    upgrade.checkNow(nullptr);
    if (!done.wait(20000))
        qFatal("the check never finished");
    return done.first().first().value<Outcome>();
}

} // namespace

class TestUpgrade : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void versionTextFromFile_data();
    void versionTextFromFile();
    void versionTextOverHttp();
    void unreachableAddresses_data();
    void unreachableAddresses();
};

void TestUpgrade::versionTextFromFile_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<MsgButton>("answer");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("opened"); // address handed to the browser, or ""
    const QString ask = QStringLiteral("发现新版本 V2.2（当前版本 V2.1）。\n是否打开下载页面？");
    const QString latest = QStringLiteral("当前已是最新版本（V2.1），不需要升级。");
    QTest::newRow("newer, download")
        << QByteArray("2.2\nhttps://dl.tolvi.example/setup\n") << MsgButton::Yes
        << Outcome::NewerVersion << ask << "https://dl.tolvi.example/setup";
    QTest::newRow("newer, declined") << QByteArray("V2.2\r\nhttps://dl.tolvi.example/setup\r\n")
                                     << MsgButton::No << Outcome::NewerVersion << ask << "";
    QTest::newRow("newer, no page named")
        << QByteArray("\n 2.2 \n") << MsgButton::Yes << Outcome::NewerVersion << ask << "FOLDER";
    QTest::newRow("same") << QByteArray("2.1.0") << MsgButton::None << Outcome::UpToDate << latest
                          << "";
    QTest::newRow("older") << QByteArray("2.0.9\n") << MsgButton::None << Outcome::UpToDate
                           << latest << "";
    QTest::newRow("not a version")
        << QByteArray("<html>404</html>") << MsgButton::None << Outcome::Unreadable
        << "升级信息无法识别，暂时不能检查新版本。"
        << "";
    QTest::newRow("empty") << QByteArray() << MsgButton::None << Outcome::Unreadable
                           << "升级信息无法识别，暂时不能检查新版本。"
                           << "";
}

void TestUpgrade::versionTextFromFile() {
    QFETCH(QByteArray, text);
    QFETCH(MsgButton, answer);
    QFETCH(Outcome, outcome);
    QFETCH(QString, message);
    QFETCH(QString, opened);
    test::TestEnv env;
    QFile f(env.path(QStringLiteral("version.txt")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    if (answer != MsgButton::None)
        env.platform()->answers.enqueue(answer);
    AutoUpgrade upgrade(QUrl::fromLocalFile(f.fileName()), QStringLiteral("2.1"));
    QCOMPARE(runCheck(upgrade), outcome);
    QCOMPARE(env.platform()->texts(), QStringList{message});
    QCOMPARE(env.platform()->messages[0].caption, QStringLiteral("软件自动升级"));
    if (opened == QLatin1String("FOLDER"))
        opened = QUrl::fromLocalFile(env.dir() + QLatin1Char('/')).toString();
    QStringList urls;
    for (const QUrl& u : env.platform()->openedUrls)
        urls.append(u.toString());
    QCOMPARE(urls, opened.isEmpty() ? QStringList{} : QStringList{opened});
}

void TestUpgrade::versionTextOverHttp() {
    test::TestEnv env;
    TinyHttpServer server("3.0\nhttps://dl.tolvi.example/\n");
    QVERIFY(server.listen(QHostAddress::LocalHost));
    AutoUpgrade upgrade(
        QUrl(QStringLiteral("http://127.0.0.1:%1/update/version.txt").arg(server.serverPort())),
        QStringLiteral("2.1"));
    env.platform()->answers.enqueue(MsgButton::Yes);
    QCOMPARE(runCheck(upgrade), Outcome::NewerVersion);
    QCOMPARE(env.platform()->openedUrls,
             QList<QUrl>{QUrl(QStringLiteral("https://dl.tolvi.example/"))});
}

void TestUpgrade::unreachableAddresses_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("closed port") << "port";
    QTest::newRow("missing file") << "file";
}

void TestUpgrade::unreachableAddresses() {
    QFETCH(QString, kind);
    test::TestEnv env;
    QUrl url;
    if (kind == QLatin1String("port")) {
        QTcpServer probe; // a port that was free a moment ago and is closed now
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        url = QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(probe.serverPort()));
        probe.close();
    } else {
        url = QUrl::fromLocalFile(env.path(QStringLiteral("nothere.txt")));
    }
    AutoUpgrade upgrade(url, QStringLiteral("2.1"));
    QCOMPARE(runCheck(upgrade), Outcome::Unreachable);
    QCOMPARE(env.platform()->messages.size(), 1);
    QCOMPARE(env.platform()->messages[0].kind, test::Message::Warning);
    const QString text = env.platform()->lastText();
    QVERIFY2(text.startsWith(QStringLiteral("无法取得升级信息，请检查网络连接后再试。")),
             qPrintable(text));
    QVERIFY2(text.contains(url.toDisplayString()), qPrintable(text));
    QVERIFY(env.platform()->openedUrls.isEmpty());
    QVERIFY(!upgrade.isChecking());
}

QTEST_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
