#pragma once
// Lets a report walk a client-side dataset in its current order (the rows
// it holds after its filter and sort), reading NULL as the empty text.

#include "data/db/Dataset.h"
#include "report/Report.h"

namespace tolvi {

class DatasetReportData : public report::ReportData {
public:
    explicit DatasetReportData(const db::Dataset* dataset) : dataset_(dataset) {}
    int recordCount() const override;
    QString text(int record, const QString& field) const override;

private:
    const db::Dataset* dataset_;
};

} // namespace tolvi
