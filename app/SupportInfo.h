#pragma once
// The maker's addresses and contact details (fictional values of our own).

#include <QString>

namespace tolvi::support {

inline const QString kWebAddress = QStringLiteral("http://www.tolvi.example");
inline const QString kMailAddress = QStringLiteral("support@tolvi.example");
inline const QString kSupportLine = QStringLiteral("技术支持电话：400-000-0000");
inline const QString kNotice = QStringLiteral("本软件为免费软件，欢迎使用与传播。");
inline const QString kHelpAddress = QStringLiteral("http://www.tolvi.example/help");
inline const QString kUpgradeInfoAddress =
    QStringLiteral("http://www.tolvi.example/update/version.txt");

} // namespace tolvi::support
