#pragma once
// GBK (code page 936) conversion through iconv.

#include <QByteArray>
#include <QString>

namespace tolvi::gbk {

// Characters GBK cannot encode become '?'.
QByteArray encode(const QString& text);
// Invalid byte sequences become U+FFFD.
QString decode(const QByteArray& bytes);
// True when every character of text has a GBK encoding.
bool canEncode(const QString& text);

} // namespace tolvi::gbk
