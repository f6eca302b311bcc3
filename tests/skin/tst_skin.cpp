// Skin engine: the saved skin, the skin menu, and a skin reaching every window.
#include "platform/SettingsStore.h"
#include "skin/SkinColours.h"
#include "skin/SkinEngine.h"
#include "skin/SkinSettings.h"
#include "skin/SkinStore.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

using namespace tolvi;

namespace {

QStringList g_styleWarnings;

void collectStyleWarnings(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type != QtDebugMsg && msg.contains(QLatin1String("stylesheet"), Qt::CaseInsensitive))
        g_styleWarnings << msg;
}

QColor windowColourOf(int n) {
    return skin::storedSkin(n)->palette.color(QPalette::Window);
}

} // namespace

class TestSkin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void captionsInMenuOrder();
    void firstStartKeepsBuiltIn();
    void chosenSkinIsSavedAndRestored();
    void savedValuesThatLoadNothing_data();
    void savedValuesThatLoadNothing();
    void unknownNumberChangesNothing();
    void skinReachesExistingAndLaterWindows();
    void everySkinIsReadable_data();
    void everySkinIsReadable();

private:
    std::unique_ptr<test::TestEnv> env_;
    QPalette original_;
};

void TestSkin::init() {
    env_ = std::make_unique<test::TestEnv>();
    original_ = QApplication::palette();
}

void TestSkin::cleanup() {
    QCOMPARE(QApplication::palette().color(QPalette::Window), original_.color(QPalette::Window));
    env_.reset();
}

void TestSkin::captionsInMenuOrder() {
    SkinEngine engine;
    const QStringList expected{"黑色经典(皮肤)", "蓝色幻想(皮肤)", "梦幻天空(皮肤)",
                               "黑色遐想(皮肤)", "梦想成真(皮肤)"};
    QCOMPARE(engine.skinCount(), 5);
    QCOMPARE(engine.captions(), expected);
    std::unique_ptr<QMenu> menu(createSkinMenu(engine, nullptr));
    QCOMPARE(menu->title(), QStringLiteral("皮肤界面"));
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << a->text();
    QCOMPARE(entries, expected);
}

void TestSkin::firstStartKeepsBuiltIn() {
    QVERIFY(!SettingsStore::keyExists(kKeyKdd));
    SkinEngine engine;
    restoreSkin(engine);
    QCOMPARE(engine.currentSkin(), -1);
    QCOMPARE(qApp->styleSheet(), QString());
    QVERIFY(!SettingsStore::keyExists(kKeyKdd)); // reading creates nothing
}

void TestSkin::chosenSkinIsSavedAndRestored() {
    {
        SkinEngine engine;
        std::unique_ptr<QMenu> menu(createSkinMenu(engine, nullptr));
        menu->actions().at(2)->trigger(); // 梦幻天空(皮肤)
        QCOMPARE(SettingsStore::read(kKeyKdd, "skin"), QStringLiteral("2"));
        QCOMPARE(engine.currentSkin(), 2);
        QCOMPARE(QApplication::palette().color(QPalette::Window), windowColourOf(2));
        engine.restoreBuiltIn(); // the program ends
    }
    SkinEngine next; // the next start
    restoreSkin(next);
    QCOMPARE(next.currentSkin(), 2);
    QCOMPARE(QApplication::palette().color(QPalette::Window), windowColourOf(2));
    QCOMPARE(qApp->styleSheet(), skin::storedSkin(2)->styleSheet);
    next.restoreBuiltIn();
}

void TestSkin::savedValuesThatLoadNothing_data() {
    QTest::addColumn<QString>("saved");
    QTest::newRow("sixth skin") << "5";
    QTest::newRow("nine") << "9";
    QTest::newRow("text") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("leading zero") << "02";
    QTest::newRow("blank") << " 2";
    QTest::newRow("negative") << "-1";
}

void TestSkin::savedValuesThatLoadNothing() {
    QFETCH(QString, saved);
    SettingsStore::write(kKeyKdd, "skin", saved);
    SkinEngine engine;
    restoreSkin(engine);
    QCOMPARE(engine.currentSkin(), -1);
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(SettingsStore::read(kKeyKdd, "skin"), saved);
}

void TestSkin::unknownNumberChangesNothing() {
    SkinEngine engine;
    QVERIFY(selectSkin(engine, 1));
    const QString sheet = qApp->styleSheet();
    QVERIFY(!engine.loadSkin(5));
    QVERIFY(!selectSkin(engine, 5));
    QVERIFY(!engine.loadSkin(-1));
    QCOMPARE(engine.currentSkin(), 1);
    QCOMPARE(qApp->styleSheet(), sheet);
    QCOMPARE(SettingsStore::read(kKeyKdd, "skin"), QStringLiteral("1"));
    // A saved "5" leaves the skin in use alone as well.
    SettingsStore::write(kKeyKdd, "skin", "5");
    restoreSkin(engine);
    QCOMPARE(engine.currentSkin(), 1);
    engine.restoreBuiltIn();
}

void TestSkin::skinReachesExistingAndLaterWindows() {
    SkinEngine engine;
    QMainWindow main;
    auto* table = new QTableWidget(3, 2, &main);
    main.setCentralWidget(table);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    QVERIFY(engine.loadSkin(0));
    QCOMPARE(main.palette().color(QPalette::Window), windowColourOf(0));
    QCOMPARE(table->palette().color(QPalette::Base),
             skin::storedSkin(0)->palette.color(QPalette::Base));

    QDialog later;
    QPushButton button(QStringLiteral("确定"), &later);
    later.show();
    QCOMPARE(later.palette().color(QPalette::Window), windowColourOf(0));
    QCOMPARE(button.palette().color(QPalette::ButtonText),
             skin::storedSkin(0)->palette.color(QPalette::ButtonText));

    // Another skin replaces the first everywhere, and the built-in comes back.
    QVERIFY(engine.loadSkin(4));
    QCOMPARE(main.palette().color(QPalette::Window), windowColourOf(4));
    QCOMPARE(later.palette().color(QPalette::Window), windowColourOf(4));
    engine.restoreBuiltIn();
    QCOMPARE(main.palette().color(QPalette::Window), original_.color(QPalette::Window));
    QCOMPARE(qApp->styleSheet(), QString());
}

void TestSkin::everySkinIsReadable_data() {
    QTest::addColumn<int>("n");
    for (int n = 0; n < skin::storedSkinCount(); ++n)
        QTest::addRow("%d", n) << n;
}

void TestSkin::everySkinIsReadable() {
    QFETCH(int, n);
    const skin::SkinColours c = skin::storedSkin(n)->colours;
    const struct {
        const char* what;
        QColor fg, bg;
    } pairs[] = {
        {"window", c.windowText, c.window},
        {"input", c.text, c.base},
        {"alternate row", c.text, c.alternateBase},
        {"button", c.buttonText, c.button},
        {"hovered button", c.buttonText, c.buttonHover},
        {"pressed button", c.buttonText, c.buttonPressed},
        {"selection", c.highlightedText, c.highlight},
        {"header", c.headerText, c.header},
        {"menu bar", c.menuBarText, c.menuBar},
        {"tool tip", c.toolTipText, c.toolTip},
    };
    for (const auto& p : pairs) {
        const double ratio = skin::contrastRatio(p.fg, p.bg);
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(p.what).arg(ratio)));
    }
    QVERIFY(skin::contrastRatio(c.disabledText, c.window) >= 2.0);

    // The sheet must parse: Qt only says so in a warning while polishing.
    g_styleWarnings.clear();
    const auto previous = qInstallMessageHandler(collectStyleWarnings);
    SkinEngine engine;
    QVERIFY(engine.loadSkin(n));
    QMainWindow w;
    w.setCentralWidget(new QTableWidget(2, 2));
    w.show();
    QCoreApplication::processEvents();
    engine.restoreBuiltIn();
    qInstallMessageHandler(previous);
    QVERIFY2(g_styleWarnings.isEmpty(), qPrintable(g_styleWarnings.join('\n')));

    // Every glyph the sheet names is in the library's resources.
    const QString sheet = skin::storedSkin(n)->styleSheet;
    const QRegularExpression url(QStringLiteral(R"(url\((:[^)]+)\))"));
    int images = 0;
    for (const auto& m : url.globalMatch(sheet)) {
        ++images;
        QVERIFY2(!QImage(m.captured(1)).isNull(), qPrintable(m.captured(1)));
    }
    QVERIFY(images > 0);
}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
