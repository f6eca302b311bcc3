#pragma once
// The single and the batch waybill print runs. Both fill their report, place
// the items for the chosen courier and open the modal preview, from which the
// user prints. Neither changes a record.

#include "waybill/Courier.h"

#include <QString>

class QWidget;

namespace tolvi {

namespace db {
class Dataset;
}

// The texts of the sender panel, as they stand when the run starts.
struct SenderTexts {
    QString name;
    QString mobile;
    QString address;
};

// One waybill for the list's current record (fields a, b, c; NULL prints as
// nothing). With no current record it warns and opens no preview.
void printSingleWaybill(QWidget* parent, Courier courier, db::Dataset* list,
                        const SenderTexts& sender);

// One waybill per record the list holds, in its current filter and order.
void printBatchWaybills(QWidget* parent, Courier courier, db::Dataset* list,
                        const SenderTexts& sender);

// The warning of a single run on an empty list.
QString noRecordToPrintText();

} // namespace tolvi
