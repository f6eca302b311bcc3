#pragma once

#include <QString>

namespace tolvi {

// Rebuilds a shop address "省份 城市 区县 street" as "省份城市区县street":
// the three blanks go, repetitions of province, city and district inside the
// street part go, and the street part keeps at most 80 GBK bytes (a character
// that would be cut there is left out). Positions are GBK bytes: province in
// bytes 1-6, blank 7, city 8-13, blank 14, district 15-20, blank 21 (or the
// end), street from 22. An address of any other shape, such as one rebuilt by
// an earlier run, is returned unchanged, so running it twice changes nothing.
QString normaliseAddress(const QString& address);

} // namespace tolvi
