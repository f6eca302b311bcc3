#pragma once
// Generated shipment records: Chinese names, 11-digit mobiles, the shop's
// address format, couriers and amounts, always the same for the same seed.

#include <QString>
#include <vector>

namespace bench {

struct Order {
    QString name;      // a
    QString mobile;    // b
    QString address;   // c
    QString courier;   // d
    QString status;    // g
    QString goods;     // h
    QString member;    // i
    QString orderNo;   // j
    QString message;   // k
    QString paid;      // day1
    QString memo;      // z
    int quantity = 1;  // 1
    double amount = 0; // 2
};

std::vector<Order> generateOrders(int count, unsigned seed = 20130706u);

// Fills table data of the encrypted database at path (one transaction).
void insertOrders(const QString& dbPath, const QString& password, const std::vector<Order>& orders);

// The shop's order report with its titles: as CSV (UTF-8 with BOM), and as an
// Excel 97 workbook with the sheet "brimvale" (written by python3-xlwt; false
// when that is missing).
void writeOrderCsv(const QString& path, const std::vector<Order>& orders);
bool writeOrderXls(const QString& path, const QString& csvPath);

} // namespace bench
