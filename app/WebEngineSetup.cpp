#include "app/WebEngineSetup.h"

#include <QCoreApplication>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tolvi {

void prepareWebEngineEnvironment() {
#ifdef Q_OS_UNIX
    // Chromium refuses to run its sandbox as root; other users keep it.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) {
        flags = flags.isEmpty() ? QByteArray("--disable-gpu") : flags + " --disable-gpu";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
    // The browser shares OpenGL contexts with the widgets; Qt wants this set
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace tolvi
