#pragma once
// Re-skins every window of the application at once: the application palette
// and style sheet reach all top-level widgets, those that exist and those
// created later.

#include <QObject>
#include <QPalette>
#include <QString>
#include <QStringList>

namespace tolvi {

class SkinEngine : public QObject {
    Q_OBJECT
public:
    // Remembers the application's look at this moment as the built-in skin.
    explicit SkinEngine(QObject* parent = nullptr);

    int skinCount() const;
    QStringList captions() const;
    // Applies the stored skin n; false, changing nothing, when there is none.
    bool loadSkin(int n);
    // Puts back the look remembered at construction.
    void restoreBuiltIn();
    // The skin in use, -1 for the built-in one.
    int currentSkin() const { return current_; }

Q_SIGNALS:
    void skinChanged(int n);

private:
    void apply(const QString& styleName, const QPalette& palette, const QString& styleSheet);

    QString builtInStyle_;
    QPalette builtInPalette_;
    QString builtInStyleSheet_;
    int current_ = -1;
};

} // namespace tolvi
