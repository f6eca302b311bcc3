#include "data/db/PackedRow.h"

#include <QDataStream>
#include <QIODevice>
#include <cstring>

namespace tolvi::db {
namespace {

enum Tag : char { kNull, kInteger, kDouble, kText, kBlob, kVariant };

void appendLength(QByteArray& out, quint64 n) {
    while (n >= 0x80) {
        out.append(static_cast<char>((n & 0x7F) | 0x80));
        n >>= 7;
    }
    out.append(static_cast<char>(n));
}

quint64 readLength(const char* p, qsizetype* pos) {
    quint64 n = 0;
    int shift = 0;
    for (;;) {
        const auto b = static_cast<unsigned char>(p[(*pos)++]);
        n |= static_cast<quint64>(b & 0x7F) << shift;
        if (!(b & 0x80))
            return n;
        shift += 7;
    }
}

template <typename T> T readFixed(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

qsizetype PackedRow::offsetOf(int column) const {
    if (column < 0 || column >= count_)
        return -1;
    const char* p = bytes_.constData();
    qsizetype pos = 0;
    for (int c = 0; c < column; ++c) {
        switch (p[pos++]) {
        case kNull:
            break;
        case kInteger:
        case kDouble:
            pos += 8;
            break;
        default:
            pos += static_cast<qsizetype>(readLength(p, &pos));
            break;
        }
    }
    return pos;
}

QVariant PackedRow::at(int column) const {
    qsizetype pos = offsetOf(column);
    if (pos < 0)
        return {};
    const char* p = bytes_.constData();
    const char tag = p[pos++];
    switch (tag) {
    case kInteger:
        return QVariant(static_cast<qlonglong>(readFixed<qint64>(p + pos)));
    case kDouble:
        return QVariant(readFixed<double>(p + pos));
    case kText:
    case kBlob:
    case kVariant: {
        const auto size = static_cast<qsizetype>(readLength(p, &pos));
        if (tag == kText)
            return QVariant(QString::fromUtf8(p + pos, size));
        const QByteArray data(p + pos, size);
        if (tag == kBlob)
            return QVariant(data);
        QVariant v;
        QDataStream in(data);
        in >> v;
        return v;
    }
    default:
        return {};
    }
}

QList<QVariant> PackedRow::values() const {
    QList<QVariant> out;
    out.reserve(count_);
    for (int c = 0; c < count_; ++c)
        out.append(at(c));
    return out;
}

void PackedRow::setValues(const QList<QVariant>& values) {
    clear();
    for (const QVariant& v : values)
        appendVariant(v);
    squeeze();
}

void PackedRow::appendNull() {
    bytes_.append(kNull);
    ++count_;
}

void PackedRow::appendInteger(qint64 v) {
    bytes_.append(kInteger);
    bytes_.append(reinterpret_cast<const char*>(&v), sizeof v);
    ++count_;
}

void PackedRow::appendDouble(double v) {
    bytes_.append(kDouble);
    bytes_.append(reinterpret_cast<const char*>(&v), sizeof v);
    ++count_;
}

void PackedRow::appendSized(char tag, const char* data, qsizetype size) {
    bytes_.append(tag);
    appendLength(bytes_, static_cast<quint64>(size));
    bytes_.append(data, size);
    ++count_;
}

void PackedRow::appendText(const char* utf8, qsizetype size) {
    appendSized(kText, utf8, size);
}

void PackedRow::appendBlob(const char* data, qsizetype size) {
    appendSized(kBlob, data, size);
}

void PackedRow::appendVariant(const QVariant& v) {
    // Only the types a statement returns are packed as such; anything else a
    // caller stored keeps its exact type through QDataStream.
    if (!v.isValid()) {
        appendNull();
        return;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong:
        appendInteger(v.toLongLong());
        return;
    case QMetaType::Double:
        appendDouble(v.toDouble());
        return;
    case QMetaType::QString: {
        const QByteArray u = v.toString().toUtf8();
        appendText(u.constData(), u.size());
        return;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        appendBlob(b.constData(), b.size());
        return;
    }
    default: {
        QByteArray data;
        QDataStream out(&data, QIODevice::WriteOnly);
        out << v;
        appendSized(kVariant, data.constData(), data.size());
        return;
    }
    }
}

} // namespace tolvi::db
