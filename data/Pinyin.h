#pragma once
// Pinyin-initials search key of goods names (module mylib).

#include <QByteArray>
#include <QString>

namespace tolvi {

// Initial of the GBK pair in the first two bytes of pair (a missing second
// byte counts as 0): a lower-case letter, or '\0' when no level-1 interval
// holds the pair.
char gb2312Initial(const QByteArray& pair);

// The key of a GBK byte string: pass-through ASCII kept, every other byte
// taken with the one after it as a pair and replaced by its initial or "!".
// Never longer than the input.
QByteArray pinyinInitialsOfGbk(const QByteArray& gbk);

// The key of a text: converted to GBK and walked as above. A character GBK
// cannot encode counts as one unknown two-byte character ("!").
QString pinyinInitials(const QString& text);

} // namespace tolvi
