// The auxiliary windows: network-point query with its embedded browser (local
// pages only) and the about box.
#include "app/AboutBox.h"
#include "app/CourierSites.h"
#include "app/Form2.h"
#include "app/LinkLabel.h"
#include "app/Pictures.h"
#include "app/SupportInfo.h"
#include "app/WebEngineSetup.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#if __has_include(<QWebEngineView>)
#include <QWebEnginePage>
#include <QWebEngineView>
#endif
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace tolvi;

namespace {

QUrl writePage(const test::TestEnv& env, const QString& name, const QString& title) {
    QFile f(env.path(name));
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write page");
    f.write(QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                           "<body><h1>%1</h1></body></html>")
                .arg(title)
                .toUtf8());
    return QUrl::fromLocalFile(f.fileName());
}

QStringList labelTexts(const QWidget* w) {
    QStringList texts;
    for (const QLabel* l : w->findChildren<QLabel*>())
        texts.append(l->text());
    return texts;
}

} // namespace

class TestAux : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void environmentLetsTheBrowserStart();
    void networkPointWindowLayout_data();
    void networkPointWindowLayout();
    void logoButtonsShowTheirCouriersSites();
    void aboutBox();
};

void TestAux::environmentLetsTheBrowserStart() {
    // main() ran prepareWebEngineEnvironment() before the application existed.
    QVERIFY(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--disable-gpu"));
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        QVERIFY(!qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"));
#endif
    QVERIFY(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
}

void TestAux::networkPointWindowLayout_data() {
    QTest::addColumn<Courier>("courier");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("EMS") << Courier::EMS << QPoint(31, 16);
    QTest::newRow("STO") << Courier::STO << QPoint(191, 16);
    QTest::newRow("YTO") << Courier::YTO << QPoint(351, 16);
    QTest::newRow("ZTO") << Courier::ZTO << QPoint(511, 16);
    QTest::newRow("ZJS") << Courier::ZJS << QPoint(671, 16);
    QTest::newRow("SF") << Courier::SF << QPoint(31, 72);
    QTest::newRow("YUNDA") << Courier::YUNDA << QPoint(191, 72);
    QTest::newRow("HUITONG") << Courier::HUITONG << QPoint(351, 72);
    QTest::newRow("TTK") << Courier::TTK << QPoint(511, 72);
}

void TestAux::networkPointWindowLayout() {
    QFETCH(Courier, courier);
    QFETCH(QPoint, position);
    TForm2 w;
    QCOMPARE(w.windowTitle(), QStringLiteral("网点查询"));
    QCOMPARE(w.size(), QSize(1033, 705));
    QCOMPARE(w.browserArea()->geometry(), QRect(8, 128, 1025, 577));
    QPushButton* b = w.button(courier);
    QVERIFY(b);
    QCOMPARE(b->geometry(), QRect(position, QSize(140, 40)));
    QVERIFY(!b->accessibleName().isEmpty());
    QCOMPARE(b->iconSize(), QSize(140, 40));
    const QPixmap logo = courierLogo(courier);
    QCOMPARE(logo.size(), QSize(140, 40));
    QCOMPARE(w.address(courier), courierWebAddress(courier));
    QCOMPARE(w.address(courier).scheme(), QStringLiteral("https"));
    QSet<QString> hosts;
    for (Courier c : kAllCouriers)
        hosts.insert(courierWebAddress(c).host());
    QCOMPARE(hosts.size(), 9);
    QVERIFY(w.requestedUrl().isEmpty()); // nothing shown before a button is pressed
}

void TestAux::logoButtonsShowTheirCouriersSites() {
    test::TestEnv env;
    TForm2 w;
    w.setAddress(Courier::EMS,
                 writePage(env, QStringLiteral("ems.html"), QStringLiteral("邮政网点")));
    w.setAddress(Courier::SF,
                 writePage(env, QStringLiteral("sf.html"), QStringLiteral("顺丰网点")));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy loaded(&w, &TForm2::pageLoaded);

    QTest::mouseClick(w.button(Courier::EMS), Qt::LeftButton);
    QVERIFY(loaded.wait(30000));
    QCOMPARE(loaded.last().first().toBool(), true);
    QCOMPARE(w.requestedUrl(), w.address(Courier::EMS));
    QTest::mouseClick(w.button(Courier::SF), Qt::LeftButton);
    QVERIFY(loaded.wait(30000));
    QCOMPARE(w.requestedUrl(), w.address(Courier::SF));
#if __has_include(<QWebEngineView>)
    QCOMPARE(w.browser()->url(), w.address(Courier::SF));
    QTRY_COMPARE(w.browser()->title(), QStringLiteral("顺丰网点"));
#else
    QVERIFY(
        static_cast<QLabel*>(w.browserArea())->text().contains(w.address(Courier::SF).toString()));
#endif
    QVERIFY(env.platform()->openedUrls.isEmpty()); // stays inside the program
}

void TestAux::aboutBox() {
    test::TestEnv env;
    TAboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("关于软件..."));
    QCOMPARE(box.size(), QSize(387, 163));
    QCOMPARE(aboutPicture().size(), QSize(387, 163));
    const QStringList texts = labelTexts(&box);
    for (const QString& t :
         {QStringLiteral("《Tolvi快递单打印软件》"), QStringLiteral("Email："),
          support::kMailAddress, QStringLiteral("网 站："), support::kWebAddress, support::kNotice})
        QVERIFY2(texts.contains(t), qPrintable(t));
    QVERIFY(box.mailLabel->font().underline());
    QCOMPARE(box.webLabel->cursor().shape(), Qt::PointingHandCursor);

    box.open();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.isModal());
    QTest::mouseClick(box.mailLabel, Qt::LeftButton);
    QTest::mouseClick(box.webLabel, Qt::LeftButton);
    QCOMPARE(env.platform()->openedUrls,
             (QList<QUrl>{QUrl(QStringLiteral("mailto:") + support::kMailAddress),
                          QUrl(support::kWebAddress)}));
    QVERIFY(box.isVisible());
    QCOMPARE(box.okButton->text(), QStringLiteral("确 定"));
    QTest::mouseClick(box.okButton, Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

int main(int argc, char** argv) {
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestAux test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_aux.moc"
