#pragma once
// The worksheet the export engine writes for a grid: title, operator line,
// one title row per title level, one row per record, the footer texts.

#include "data/db/Dataset.h"
#include "grid/GridColumn.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <functional>

class QIODevice;

namespace tolvi::grid {

struct SheetSource {
    QList<GridColumn> columns;
    const db::Dataset* dataset = nullptr;
    QHash<QString, FieldKind> fieldKinds; // by lower-case field name
    QString title;
    QString operatorName;
    QString beginDate;
    QString endDate;
    QDateTime now;
};

// The sheet's column of each dataset field: the grid's columns' fields in
// column order, then the dataset's other fields in their order.
QList<int> sheetFieldOrder(const SheetSource& source);

// Writes the whole record stream. progress(n) is called after n records.
// Returns false when the device failed or the list has more rows than a sheet
// holds (65,536).
bool writeGridSheet(QIODevice* device, const SheetSource& source,
                    const std::function<void(int)>& progress = {});

} // namespace tolvi::grid
