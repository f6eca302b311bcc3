#include "grid/BiffWriter.h"

#include "platform/Gbk.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>

namespace tolvi::grid {
namespace {

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

QByteArray cellHeader(int row, int column, quint16 format) {
    QByteArray h;
    put16(h, static_cast<quint16>(row));
    put16(h, static_cast<quint16>(column));
    put16(h, format);
    return h;
}

// Cuts GBK bytes at a character boundary: a lead byte (0x81-0xFE) starts a
// two-byte character, anything else is one byte.
QByteArray cutGbk(const QByteArray& bytes, int max) {
    if (bytes.size() <= max)
        return bytes;
    int i = 0;
    while (i < bytes.size()) {
        const int len = static_cast<unsigned char>(bytes.at(i)) >= 0x81 ? 2 : 1;
        if (i + len > max)
            break;
        i += len;
    }
    return bytes.left(i);
}

} // namespace

void BiffWriter::record(quint16 type, const QByteArray& body) {
    QByteArray out;
    out.reserve(4 + body.size());
    put16(out, type);
    put16(out, static_cast<quint16>(body.size()));
    out.append(body);
    if (ok_ && device_->write(out) != out.size())
        ok_ = false;
}

void BiffWriter::beginOfFile() {
    QByteArray body;
    put16(body, 0x0000); // version
    put16(body, 0x0010); // worksheet
    put32(body, 0);
    record(biff::kBof, body);
}

void BiffWriter::endOfFile() {
    record(biff::kEof, {});
}

void BiffWriter::text(int row, int column, const QString& value) {
    const QByteArray bytes = cutGbk(gbk::encode(value), biff::kMaxTextBytes);
    QByteArray body = cellHeader(row, column, 0);
    put16(body, static_cast<quint16>(bytes.size()));
    body.append(bytes);
    record(biff::kLabel, body);
}

void BiffWriter::number(int row, int column, double value) {
    QByteArray body = cellHeader(row, column, 0);
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char b[8];
    qToLittleEndian(bits, b);
    body.append(b, 8);
    record(biff::kNumber, body);
}

void BiffWriter::integer(int row, int column, qint64 value) {
    if (value < biff::kRkMin || value > biff::kRkMax) {
        number(row, column, static_cast<double>(value));
        return;
    }
    QByteArray body = cellHeader(row, column, 0);
    put32(body, static_cast<quint32>(static_cast<qint32>(value) * 4 + 2));
    record(biff::kRk, body);
}

void BiffWriter::blank(int row, int column) {
    record(biff::kBlank, cellHeader(row, column, biff::kBlankFormat));
}

} // namespace tolvi::grid
