#pragma once
// Data of the pinyin-initials key: level-1 intervals and level-2 tables.

#include <array>
#include <cstdint>

namespace tolvi::pinyin {

// Level-1 GB2312 characters are sorted by reading, so each initial owns one
// interval of first byte * 256 + second byte (both ends included).
struct Level1Range {
    char letter;
    std::uint16_t from;
    std::uint16_t to;
};

inline constexpr std::array<Level1Range, 23> kLevel1Ranges{{
    {'a', 0xB0A1, 0xB0C4}, {'b', 0xB0C5, 0xB2C0}, {'c', 0xB2C1, 0xB4ED}, {'d', 0xB4EE, 0xB6E9},
    {'e', 0xB6EA, 0xB7A1}, {'f', 0xB7A2, 0xB8C0}, {'g', 0xB8C1, 0xB9FD}, {'h', 0xB9FE, 0xBBF6},
    {'j', 0xBBF7, 0xBFA5}, {'k', 0xBFA6, 0xC0AB}, {'l', 0xC0AC, 0xC2E7}, {'m', 0xC2E8, 0xC4C2},
    {'n', 0xC4C3, 0xC5B5}, {'o', 0xC5B6, 0xC5BD}, {'p', 0xC5BE, 0xC6D9}, {'q', 0xC6DA, 0xC8BA},
    {'r', 0xC8BB, 0xC8F5}, {'s', 0xC8F6, 0xCBF9}, {'t', 0xCBFA, 0xCDD9}, {'w', 0xCDDA, 0xCEF3},
    {'x', 0xCEF4, 0xD1B8}, {'y', 0xD1B9, 0xD4D0}, {'z', 0xD4D1, 0xD7F9},
}};

struct Level2Table {
    char letter;
    const char* utf8; // every character followed by one blank
};

// The 23 tables in letter order.
const std::array<Level2Table, 23>& level2Tables();

} // namespace tolvi::pinyin
