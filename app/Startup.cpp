#include "app/Startup.h"

#include "app/HelpWindows.h"
#include "app/MainForm.h"
#include "app/WebEngineSetup.h"
#include "data/Dm.h"
#include "data/Schema.h"
#include "data/db/DbError.h"
#include "operators/Tloginfm.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QFont>
#include <QHelpEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QToolTip>
#include <QTranslator>
#include <memory>

namespace tolvi {
namespace {

// Hints show at once and stay two seconds.
class HintStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 0;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Every hint disappears after two seconds.
class HintDuration : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->toolTip().isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), w->toolTip(), w, {}, 2000);
        return true;
    }
};

} // namespace

void prepareProcessEnvironment() {
    prepareWebEngineEnvironment();
}

void initialiseApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tolvi快递单打印软件"));
#ifndef Q_OS_WIN
    // 宋体/SimSun are Windows fonts; measure and draw with the installed CJK font.
    for (const char* name : {"宋体", "SimSun", "新宋体", "NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(name), {QStringLiteral("WenQuanYi Zen Hei"),
                                                             QStringLiteral("Noto Sans CJK SC")});
#endif
    QFont base(QStringLiteral("宋体"));
    base.setPixelSize(12);
    QApplication::setFont(base);
    app.setStyle(new HintStyle(app.style()->name()));
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(255, 194, 134));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    static HintDuration* hints = nullptr;
    if (!hints) {
        hints = new HintDuration(&app);
        app.installEventFilter(hints);
    }
}

QTranslator* installQtTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    // Beside the program first (a Windows installation), then Qt's own.
    for (const QString& dir :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), dir)) {
            QCoreApplication::installTranslator(translator);
            return translator;
        }
    }
    delete translator;
    return nullptr;
}

int runProgram(QApplication& app) {
    initialiseApplication(app);
    installQtTranslation(app);
    auto main = std::make_unique<TMainForm>();
    auto help = std::make_unique<Tchhform>();
    auto login = std::make_unique<Tloginfm>(main.get(), main.get());
    std::unique_ptr<Tdmfm> dm;
    try {
        dm = std::make_unique<Tdmfm>(mainConnectionString());
    } catch (const db::DbError& e) {
        platform().error(nullptr, e.message());
        return 1;
    }
    auto webPage = std::make_unique<Ttv2>();
    main->setDataModule(dm.get());
    main->setLoginWindow(login.get());
    installFeatureWindows(*main, *dm);
    main->show();
    return app.exec();
}

} // namespace tolvi
