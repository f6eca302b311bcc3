#pragma once
// Shared by the targets: the fuzzer's bytes read as the program would meet them.

#include "platform/Gbk.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace tolvi::fuzz {

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Typed text arrives as UTF-16 from the keyboard; imported text as GBK or
// UTF-8. The first byte picks the decoding so that all three are reached.
inline QString textOf(const uint8_t* data, size_t size) {
    if (size == 0)
        return {};
    const QByteArray rest = bytesOf(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromUtf8(rest);
    case 1:
        return gbk::decode(rest);
    default:
        return QString(reinterpret_cast<const QChar*>(rest.constData()), rest.size() / 2);
    }
}

} // namespace tolvi::fuzz
