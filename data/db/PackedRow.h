#pragma once
// One result row kept as a single byte buffer: a tag per column, numbers in
// 8 bytes, text as its UTF-8 bytes. A large list held this way costs little
// more than its text, where a QVariant per column would cost many times that.

#include <QByteArray>
#include <QList>
#include <QVariant>

namespace tolvi::db {

class PackedRow {
public:
    PackedRow() = default;
    explicit PackedRow(const QList<QVariant>& values) { setValues(values); }

    qint64 rowid = 0;

    int size() const { return count_; }
    // NULL (and a column past the end) reads as an invalid QVariant.
    QVariant at(int column) const;
    QList<QVariant> values() const;
    void setValues(const QList<QVariant>& values);

    // Building a row column by column, in order.
    void clear() { bytes_.clear(), count_ = 0; }
    void reserve(qsizetype bytes) { bytes_.reserve(bytes); }
    void appendNull();
    void appendInteger(qint64 v);
    void appendDouble(double v);
    void appendText(const char* utf8, qsizetype size);
    void appendBlob(const char* data, qsizetype size);
    void appendVariant(const QVariant& v);
    // Drops spare capacity left by building.
    void squeeze() { bytes_.squeeze(); }

private:
    // Offset of the column's tag, or -1 past the end.
    qsizetype offsetOf(int column) const;
    void appendSized(char tag, const char* data, qsizetype size);

    QByteArray bytes_;
    int count_ = 0;
};

} // namespace tolvi::db
