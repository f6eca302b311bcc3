#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace tolvi {
namespace {

QString& testRoot() {
    static QString root;
    return root;
}

QString relativeKey(const QString& key) {
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (k.startsWith(QLatin1Char('/')))
        k.remove(0, 1);
    return k;
}

bool useFiles() {
#ifdef Q_OS_WIN
    return !testRoot().isEmpty();
#else
    return true;
#endif
}

QString iniPath(const QString& key) {
    QString root = testRoot();
    if (root.isEmpty())
        root = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return root + QLatin1Char('/') + relativeKey(key) + QStringLiteral(".ini");
}

std::unique_ptr<QSettings> open(const QString& key) {
    if (useFiles())
        return std::make_unique<QSettings>(iniPath(key), QSettings::IniFormat);
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\") +
            relativeKey(key).replace(QLatin1Char('/'), QLatin1Char('\\')),
        QSettings::NativeFormat);
}

} // namespace

bool SettingsStore::keyExists(const QString& key) {
    if (useFiles())
        return QFileInfo::exists(iniPath(key));
    // QSettings on the registry does not create a key by reading it.
    auto s = open(key);
    return !s->allKeys().isEmpty();
}

QString SettingsStore::read(const QString& key, const QString& name) {
    if (!keyExists(key))
        return {};
    auto s = open(key);
    return s->value(name).toString();
}

void SettingsStore::write(const QString& key, const QString& name, const QString& value) {
    if (useFiles())
        QDir().mkpath(QFileInfo(iniPath(key)).absolutePath());
    auto s = open(key);
    s->setValue(name, value);
    s->sync();
}

void SettingsStore::setRootForTesting(const QString& dir) {
    testRoot() = dir;
}

} // namespace tolvi
