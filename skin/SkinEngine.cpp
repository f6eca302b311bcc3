#include "skin/SkinEngine.h"

#include "skin/SkinStore.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

// The glyphs of the style sheets live in a resource of this static library.
static void initSkinResources() {
    Q_INIT_RESOURCE(skin);
}

namespace tolvi {
namespace {

// The skins are drawn on Fusion, which honours every palette role on all
// platforms; native styles ignore parts of it.
const QString kSkinStyle = QStringLiteral("Fusion");

} // namespace

SkinEngine::SkinEngine(QObject* parent)
    : QObject(parent), builtInStyle_(QApplication::style()->name()),
      builtInPalette_(QApplication::palette()), builtInStyleSheet_(qApp->styleSheet()) {
    initSkinResources();
}

int SkinEngine::skinCount() const {
    return skin::storedSkinCount();
}

QStringList SkinEngine::captions() const {
    QStringList out;
    for (int n = 0; n < skinCount(); ++n)
        out << skin::storedSkin(n)->caption;
    return out;
}

bool SkinEngine::loadSkin(int n) {
    const auto s = skin::storedSkin(n);
    if (!s)
        return false;
    apply(kSkinStyle, s->palette, s->styleSheet);
    current_ = n;
    Q_EMIT skinChanged(n);
    return true;
}

void SkinEngine::restoreBuiltIn() {
    apply(builtInStyle_, builtInPalette_, builtInStyleSheet_);
    current_ = -1;
    Q_EMIT skinChanged(-1);
}

void SkinEngine::apply(const QString& styleName, const QPalette& palette,
                       const QString& styleSheet) {
    // The palette goes in before the old sheet comes off: taking a sheet away
    // hands each widget the application palette of that moment. setStyle
    // resets the application palette, so it is set again after a style change.
    QApplication::setPalette(palette);
    qApp->setStyleSheet(QString());
    if (QApplication::style()->name().compare(styleName, Qt::CaseInsensitive) != 0) {
        if (QStyle* style = QStyleFactory::create(styleName)) {
            QApplication::setStyle(style);
            QApplication::setPalette(palette);
        }
    }
    qApp->setStyleSheet(styleSheet);
}

} // namespace tolvi
