#pragma once
// The baselines: the same work through the plain SQLite C API, the standard
// library, one fwrite and a bare QPdfWriter loop.

#include "Orders.h"

#include <QPageLayout>
#include <QString>
#include <string>
#include <vector>

struct sqlite3;

namespace bench {

class RawDb {
public:
    RawDb(const QString& path, const QString& password);
    ~RawDb();
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    // Steps every row of the statement into rows (one text per column, NULL
    // as empty); returns the number of rows.
    size_t selectAll(const char* sql);
    // The bytes of every value of the last selection (text and blob bytes, 8
    // per number).
    qint64 lastRawBytes() const { return rawBytes_; }
    void clear() {
        rows_.clear();
        rows_.shrink_to_fit();
    }

    // The import's rows inserted into data in one transaction with one
    // prepared statement.
    void insertOrders(const std::vector<Order>& orders);

private:
    sqlite3* db_ = nullptr;
    std::vector<std::vector<std::string>> rows_;
    qint64 rawBytes_ = 0;
};

// Sorts a copy of the values, largest first, keeping ties in order.
void stableSortDescending(std::vector<double> values);

// One fwrite of bytes to path.
void writeWithFwrite(const QString& path, const QByteArray& bytes);

// The sender's three texts, the sender's name again and the order's name,
// mobile and address for every order, spread over pageCount pages.
void bareWaybillPdf(const QString& path, const QPageLayout& layout,
                    const std::vector<Order>& orders, int pageCount);

} // namespace bench
