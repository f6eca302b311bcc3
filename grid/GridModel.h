#pragma once
// The table model of a data grid: the rows of a dataset as the grid's columns
// show them. It reads values straight from the dataset when a cell is painted
// and keeps no copy, so a list of 100,000 rows costs no more than its columns.
// Footer sums are worked out lazily and follow every change of the rows.

#include "data/db/Dataset.h"
#include "grid/GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <functional>
#include <vector>

namespace tolvi::grid {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The text colour of a dataset row; an invalid colour keeps the normal one.
    using RowColor = std::function<QColor(int row)>;

    explicit GridModel(QObject* parent = nullptr);

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const { return dataset_; }

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return columns_; }
    GridColumn& column(int index) { return columns_[index]; }
    // Tells the model that a column's description changed.
    void columnChanged(int index);
    // -1 when no column shows the field (case-insensitive).
    int columnOfField(const QString& field) const;
    // The dataset field index behind a column, -1 when the dataset lacks it.
    int fieldIndex(int column) const;

    void setRowColor(RowColor color);
    // The row's own text colour; invalid for the default.
    QColor rowColor(int row) const { return rowColor_ ? rowColor_(row) : QColor(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The sum of the column's field over the rows the dataset holds.
    double footerSum(int column) const;
    // What the footer shows under the column: its sum (formatted) or fixed text.
    QString footerDisplayText(int column) const;

    SortMarker sortMarker(int column) const;

Q_SIGNALS:
    void footerChanged();
    void sortChanged();

private:
    void onAboutToReset();
    void onReset();
    void onRowUpdated(int row);
    void onRowInserted(int row);
    void onRowRemoved(int row);
    void rebuildFieldIndexes();
    void invalidateSums();

    QPointer<db::Dataset> dataset_;
    QList<GridColumn> columns_;
    std::vector<int> fieldIndexes_;
    int rows_ = 0;
    bool resetting_ = false;
    RowColor rowColor_;
    mutable std::vector<double> sums_;
    mutable bool sumsValid_ = false;
};

} // namespace tolvi::grid
