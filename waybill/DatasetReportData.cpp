#include "waybill/DatasetReportData.h"

namespace tolvi {

int DatasetReportData::recordCount() const {
    return dataset_ && dataset_->isOpen() ? dataset_->recordCount() : 0;
}

QString DatasetReportData::text(int record, const QString& field) const {
    const int column = dataset_ ? dataset_->fieldIndex(field) : -1;
    if (column < 0)
        return {};
    return db::Field(field, dataset_->value(record, column)).asString();
}

} // namespace tolvi
