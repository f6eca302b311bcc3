#pragma once
// The data module: the one connection and the shared datasets.

#include "data/db/Connection.h"
#include "data/db/Dataset.h"

#include <QObject>

namespace tolvi {

class Tdmfm : public QObject {
    Q_OBJECT
public:
    // Opens the connection (DbError when data.mdb is missing, has another
    // password or is no database of ours) and prepares every dataset.
    explicit Tdmfm(const QString& connectionString, QObject* parent = nullptr);
    ~Tdmfm() override;

    // The module created at start-up; nullptr before.
    static Tdmfm* instance();

    // Reopens the connection after the backup window closed it.
    void reopen();

    db::Connection* ADOConnection1;
    db::Dataset* ADOQuery15; // shipment list
    db::Dataset* ADOTable5;  // appends to data
    db::Dataset* ADOQuery7;  // reads post
    db::Dataset* ADOTable6;  // writes post
    db::Dataset* ADOQuery1;  // general statement runner
    db::Dataset* ADOTable2;  // appends to data1
    db::Dataset* ADOQuery13; // sales detail list
    db::Dataset* ADOQuery12; // summary statistics

private:
    QString connectionString_;
};

} // namespace tolvi
