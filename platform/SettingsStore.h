#pragma once
// Per-user string settings under registry-style key paths such as
// "\Software\brimvale\kdd". Native registry on Windows; elsewhere one ini file
// per key under the user's configuration folder (same key path).

#include <QString>

namespace tolvi {

class SettingsStore {
public:
    // Reads without creating the key; a missing key or value reads as "".
    static QString read(const QString& key, const QString& name);
    // True when the key exists at all.
    static bool keyExists(const QString& key);
    // Creates the key when needed and writes at once. Failures are not reported.
    static void write(const QString& key, const QString& name, const QString& value);

    // Redirects every key to files below dir (tests); empty restores the default.
    static void setRootForTesting(const QString& dir);
};

inline const QString kKeyKdd = QStringLiteral("\\Software\\brimvale\\kdd");
inline const QString kKeyJxc = QStringLiteral("\\Software\\brimvale\\jxc");
inline const QString kKeyNembraJxc = QStringLiteral("\\Software\\nembra\\jxc");

} // namespace tolvi
