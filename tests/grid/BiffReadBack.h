#pragma once
// Reads a BIFF record stream back into its records and cells, for checking
// what the export engine wrote.

#include "platform/Gbk.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QtEndian>
#include <cstring>
#include <optional>

namespace tolvi::test {

struct BiffRecord {
    quint16 type = 0;
    QByteArray body;
};

struct BiffCell {
    quint16 type = 0; // record type
    quint16 format = 0;
    QString text;      // text cells
    double number = 0; // number and integer cells
    int textBytes = 0;
};

struct BiffSheet {
    QList<BiffRecord> records;
    QMap<std::pair<int, int>, BiffCell> cells; // (row, column)
    bool wellFormed = false;                   // every length fits, BOF first, EOF last

    std::optional<BiffCell> cell(int row, int column) const {
        const auto it = cells.find({row, column});
        if (it == cells.end())
            return std::nullopt;
        return *it;
    }
    QString text(int row, int column) const {
        const auto c = cell(row, column);
        return c ? c->text : QString();
    }
    int rowCount() const {
        int rows = 0;
        for (auto it = cells.begin(); it != cells.end(); ++it)
            rows = std::max(rows, it.key().first + 1);
        return rows;
    }
};

inline quint16 le16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

inline BiffSheet readBiff(const QByteArray& data) {
    BiffSheet sheet;
    int pos = 0;
    bool ok = true;
    while (pos + 4 <= data.size()) {
        BiffRecord r;
        r.type = le16(data, pos);
        const int len = le16(data, pos + 2);
        if (pos + 4 + len > data.size()) {
            ok = false;
            break;
        }
        r.body = data.mid(pos + 4, len);
        pos += 4 + len;
        sheet.records.append(r);
        if (r.type == 0x0204 || r.type == 0x0203 || r.type == 0x027E || r.type == 0x0201) {
            // Every cell record starts with row, column and format; a text
            // cell has its length next. Shorter bodies are malformed.
            if (len < (r.type == 0x0201 ? 6 : 8)) {
                ok = false;
                continue;
            }
            BiffCell c;
            c.type = r.type;
            const int row = le16(r.body, 0);
            const int col = le16(r.body, 2);
            c.format = le16(r.body, 4);
            if (r.type == 0x0204) {
                c.textBytes = le16(r.body, 6);
                ok = ok && c.textBytes == len - 8;
                c.text = gbk::decode(r.body.mid(8));
            } else if (r.type == 0x0203) {
                if (len != 14) {
                    ok = false;
                    continue;
                }
                quint64 bits = qFromLittleEndian<quint64>(r.body.constData() + 6);
                std::memcpy(&c.number, &bits, 8);
            } else if (r.type == 0x027E) {
                if (len != 10) {
                    ok = false;
                    continue;
                }
                const qint32 rk = qFromLittleEndian<qint32>(r.body.constData() + 6);
                c.number = rk >> 2;
            } else {
                ok = ok && len == 6;
            }
            sheet.cells.insert({row, col}, c);
        }
    }
    sheet.wellFormed = ok && pos == data.size() && !sheet.records.isEmpty() &&
                       sheet.records.first().type == 0x0809 && sheet.records.last().type == 0x000A;
    return sheet;
}

} // namespace tolvi::test
