#pragma once
// Writes a worksheet as a plain little-endian BIFF record stream, the form
// Excel reads as an .xls file: each record a 2-byte type, a 2-byte body length
// and the body.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QIODevice;

namespace tolvi::grid {

namespace biff {
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kLabel = 0x0204;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kRk = 0x027E;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kBlankFormat = 0x0017;
// The longest text a cell takes, in GBK bytes: a longer one would not fit the
// record's length field together with the cell's header.
constexpr int kMaxTextBytes = 0xFFFF - 8;
// Whole numbers an integer cell can hold (30 bits with sign).
constexpr qint64 kRkMin = -(qint64(1) << 29);
constexpr qint64 kRkMax = (qint64(1) << 29) - 1;
} // namespace biff

class BiffWriter {
public:
    explicit BiffWriter(QIODevice* device) : device_(device) {}

    void beginOfFile();
    void endOfFile();
    // Text in GBK; an over-long text is cut at a whole character.
    void text(int row, int column, const QString& value);
    void number(int row, int column, double value);
    // A whole number outside the integer cell's range goes as a number cell.
    void integer(int row, int column, qint64 value);
    void blank(int row, int column);

    // False once a write to the device failed.
    bool ok() const { return ok_; }

private:
    void record(quint16 type, const QByteArray& body);

    QIODevice* device_;
    bool ok_ = true;
};

} // namespace tolvi::grid
