#include "grid/GridModel.h"

#include "grid/DisplayFormat.h"

#include <QRegularExpression>

namespace tolvi::grid {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setDataset(db::Dataset* dataset) {
    if (dataset_ == dataset)
        return;
    beginResetModel();
    if (dataset_)
        dataset_->disconnect(this);
    dataset_ = dataset;
    if (dataset_) {
        connect(dataset_, &db::Dataset::aboutToReset, this, &GridModel::onAboutToReset);
        connect(dataset_, &db::Dataset::reset, this, &GridModel::onReset);
        connect(dataset_, &db::Dataset::rowUpdated, this, &GridModel::onRowUpdated);
        connect(dataset_, &db::Dataset::rowInserted, this, &GridModel::onRowInserted);
        connect(dataset_, &db::Dataset::rowRemoved, this, &GridModel::onRowRemoved);
        connect(dataset_, &QObject::destroyed, this, [this] {
            beginResetModel();
            rows_ = 0;
            fieldIndexes_.assign(static_cast<size_t>(columns_.size()), -1);
            endResetModel();
            invalidateSums();
        });
    }
    rows_ = dataset_ ? dataset_->recordCount() : 0;
    rebuildFieldIndexes();
    endResetModel();
    invalidateSums();
    Q_EMIT sortChanged();
}

void GridModel::setColumns(const QList<GridColumn>& columns) {
    beginResetModel();
    columns_ = columns;
    rebuildFieldIndexes();
    endResetModel();
    invalidateSums();
}

void GridModel::columnChanged(int index) {
    if (index < 0 || index >= columns_.size())
        return;
    fieldIndexes_[static_cast<size_t>(index)] =
        dataset_ ? dataset_->fieldIndex(columns_.at(index).fieldName) : -1;
    Q_EMIT headerDataChanged(Qt::Horizontal, index, index);
    if (rows_ > 0)
        Q_EMIT dataChanged(this->index(0, index), this->index(rows_ - 1, index));
    invalidateSums();
}

int GridModel::columnOfField(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).fieldName.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int GridModel::fieldIndex(int column) const {
    if (column < 0 || column >= static_cast<int>(fieldIndexes_.size()))
        return -1;
    return fieldIndexes_[static_cast<size_t>(column)];
}

void GridModel::setRowColor(RowColor color) {
    rowColor_ = std::move(color);
    if (rows_ > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1), {Qt::ForegroundRole});
}

void GridModel::rebuildFieldIndexes() {
    fieldIndexes_.resize(static_cast<size_t>(columns_.size()));
    for (int i = 0; i < columns_.size(); ++i)
        fieldIndexes_[static_cast<size_t>(i)] =
            dataset_ ? dataset_->fieldIndex(columns_.at(i).fieldName) : -1;
}

void GridModel::invalidateSums() {
    sumsValid_ = false;
    Q_EMIT footerChanged();
}

void GridModel::onAboutToReset() {
    if (resetting_)
        return;
    resetting_ = true;
    beginResetModel();
}

void GridModel::onReset() {
    if (!resetting_)
        beginResetModel();
    rows_ = dataset_ ? dataset_->recordCount() : 0;
    rebuildFieldIndexes();
    resetting_ = false;
    endResetModel();
    invalidateSums();
    Q_EMIT sortChanged();
}

void GridModel::onRowUpdated(int row) {
    if (row >= 0 && row < rows_)
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    invalidateSums();
}

void GridModel::onRowInserted(int row) {
    // The dataset has already taken the row in; announce it after the fact.
    beginInsertRows({}, row, row);
    rows_ = dataset_ ? dataset_->recordCount() : 0;
    endInsertRows();
    invalidateSums();
}

void GridModel::onRowRemoved(int row) {
    if (row < 0 || row >= rows_)
        return;
    beginRemoveRows({}, row, row);
    rows_ = dataset_ ? dataset_->recordCount() : 0;
    endRemoveRows();
    invalidateSums();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !dataset_)
        return {};
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const int field = fieldIndex(col);
        if (field < 0)
            return QString();
        return displayText(dataset_->value(index.row(), field), columns_.at(col).displayFormat);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns_.at(col).alignment | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (rowColor_) {
            const QColor c = rowColor_(index.row());
            if (c.isValid())
                return c;
        }
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < columns_.size()) {
        if (role == Qt::DisplayRole)
            return columns_.at(section).title;
        if (role == Qt::ToolTipRole)
            return columns_.at(section).caption();
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

double GridModel::footerSum(int column) const {
    if (column < 0 || column >= columns_.size())
        return 0.0;
    if (!sumsValid_) {
        sums_.assign(static_cast<size_t>(columns_.size()), 0.0);
        if (dataset_ && dataset_->isOpen()) {
            const int n = dataset_->recordCount();
            for (int c = 0; c < columns_.size(); ++c) {
                const int field = fieldIndex(c);
                if (!columns_.at(c).footerSum || field < 0)
                    continue;
                double sum = 0.0;
                for (int r = 0; r < n; ++r)
                    sum += numericValue(dataset_->value(r, field));
                sums_[static_cast<size_t>(c)] = sum;
            }
        }
        sumsValid_ = true;
    }
    return sums_[static_cast<size_t>(column)];
}

QString GridModel::footerDisplayText(int column) const {
    if (column < 0 || column >= columns_.size())
        return {};
    const GridColumn& c = columns_.at(column);
    if (!c.footerSum)
        return c.footerText;
    const QString& format = c.footerFormat.isEmpty() ? c.displayFormat : c.footerFormat;
    return formatNumber(footerSum(column), format);
}

SortMarker GridModel::sortMarker(int column) const {
    if (!dataset_ || column < 0 || column >= columns_.size())
        return SortMarker::None;
    static const QRegularExpression re(QStringLiteral(R"(^\s*\[?([^\]\s]+)\]?\s*(desc|asc)?\s*$)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(dataset_->sortSpec());
    if (!m.hasMatch() ||
        m.captured(1).compare(columns_.at(column).fieldName, Qt::CaseInsensitive) != 0)
        return SortMarker::None;
    return m.captured(2).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0 ? SortMarker::Down
                                                                                  : SortMarker::Up;
}

} // namespace tolvi::grid
