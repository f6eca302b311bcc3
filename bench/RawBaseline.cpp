#include "RawBaseline.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdio>
#include <sqlcipher/sqlite3.h>
#include <stdexcept>

namespace bench {

RawDb::RawDb(const QString& path, const QString& password) {
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open the database");
    const QByteArray key = password.toUtf8();
    sqlite3_key(db_, key.constData(), static_cast<int>(key.size()));
}

RawDb::~RawDb() {
    sqlite3_close(db_);
}

size_t RawDb::selectAll(const char* sql) {
    rows_.clear();
    rawBytes_ = 0;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<std::string> row(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            const int type = sqlite3_column_type(st, c);
            if (type == SQLITE_NULL)
                continue;
            if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
                rawBytes_ += 8;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            const int bytes = sqlite3_column_bytes(st, c);
            if (type == SQLITE_TEXT || type == SQLITE_BLOB)
                rawBytes_ += bytes;
            row[static_cast<size_t>(c)].assign(text, static_cast<size_t>(bytes));
        }
        rows_.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    return rows_.size();
}

void RawDb::insertOrders(const std::vector<Order>& orders) {
    sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db_,
                       "INSERT INTO data (a,b,c,d,g,\"1\",\"2\",h,i,j,k,day1,z) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &st, nullptr);
    if (!st)
        throw std::runtime_error(sqlite3_errmsg(db_));
    for (const Order& o : orders) {
        sqlite3_reset(st);
        int i = 1;
        for (const QString* t : {&o.name, &o.mobile, &o.address, &o.courier, &o.status}) {
            const QByteArray u = t->toUtf8();
            sqlite3_bind_text(st, i++, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
        }
        sqlite3_bind_int(st, i++, o.quantity);
        sqlite3_bind_double(st, i++, o.amount);
        for (const QString* t : {&o.goods, &o.member, &o.orderNo, &o.message, &o.paid, &o.status}) {
            const QByteArray u = t->toUtf8();
            sqlite3_bind_text(st, i++, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(st) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db_));
    }
    sqlite3_finalize(st);
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
}

void stableSortDescending(std::vector<double> values) {
    std::stable_sort(values.begin(), values.end(), [](double a, double b) { return a > b; });
}

void writeWithFwrite(const QString& path, const QByteArray& bytes) {
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f)
        throw std::runtime_error("cannot write the export copy");
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f);
    std::fclose(f);
}

void bareWaybillPdf(const QString& path, const QPageLayout& layout,
                    const std::vector<Order>& orders, int pageCount) {
    QPdfWriter writer(path);
    writer.setPageLayout(layout);
    QPainter painter(&writer);
    const double mm = writer.resolution() / 25.4;
    painter.scale(mm, mm);
    QFont font(QStringLiteral("Sans"));
    font.setPointSizeF(10 * 25.4 / 72.0);
    painter.setFont(font);
    const QString sender = QString::fromUtf8("布林小店");
    const QString senderMobile = QStringLiteral("13800138000");
    const QString senderAddress = QString::fromUtf8("广东省 广州市 越秀区 环市东路1号");
    const int count = static_cast<int>(orders.size());
    const int pages = std::max(1, pageCount);
    const int perPage = (count + pages - 1) / pages;
    const double slot = layout.fullRect(QPageLayout::Millimeter).height() / std::max(1, perPage);
    int page = 0;
    for (int i = 0; i < count; ++i) {
        const int p = std::min(pages - 1, i / std::max(1, perPage));
        for (; page < p; ++page)
            writer.newPage();
        const double top = (i % std::max(1, perPage)) * slot;
        const Order& o = orders[static_cast<size_t>(i)];
        painter.drawText(QPointF(30, top + 20), sender);
        painter.drawText(QPointF(30, top + 28), senderMobile);
        painter.drawText(QRectF(30, top + 32, 80, 20), Qt::TextWordWrap, senderAddress);
        painter.drawText(QPointF(30, top + 60), sender);
        painter.drawText(QPointF(130, top + 20), o.name);
        painter.drawText(QPointF(130, top + 28), o.mobile);
        painter.drawText(QRectF(130, top + 32, 80, 20), Qt::TextWordWrap, o.address);
    }
    for (; page < pages - 1; ++page)
        writer.newPage();
}

} // namespace bench
