#include "grid/DataGrid.h"

#include "grid/GridFooter.h"
#include "grid/GridHeader.h"
#include "grid/GridView.h"
#include "grid/RowIndicator.h"

#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>

namespace tolvi::grid {

DataGrid::DataGrid(QWidget* parent)
    : QWidget(parent), model_(new GridModel(this)), view_(new GridView(this)),
      indicator_(new RowIndicator(view_)), footer_(new GridFooter(view_, model_, this)) {
    view_->setVerticalHeader(indicator_);
    view_->setGridModel(model_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    layout->addWidget(footer_);

    QPalette pal = view_->palette();
    const QColor grey(238, 238, 238);
    pal.setColor(QPalette::Base, grey);
    pal.setColor(QPalette::Window, grey);
    pal.setColor(QPalette::Button, grey);
    view_->setPalette(pal);

    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    setGridFont(font);
    setTitleRowHeight(18);

    connect(header(), &GridHeader::titleClicked, this, [this](int logical) {
        if (logical >= 0 && logical < columnCount())
            Q_EMIT titleClicked(column(logical).fieldName, logical);
    });
    connect(view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT rowDoubleClicked(index.row());
    });
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { followView(current); });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataGrid::selectionChanged);
    connect(model_, &GridModel::sortChanged, this, &DataGrid::refreshHeader);

    // While the dataset removes or resets rows the view moves its own current
    // index; that move must not be handed back to the dataset's cursor.
    auto changing = [this] { modelChanging_ = true; };
    auto done = [this] {
        modelChanging_ = false;
        if (db::Dataset* d = dataset())
            followDataset(d->recNo());
    };
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, changing);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        modelChanging_ = false;
        applyVisibility();
    });
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, done);
    connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(model_, &QAbstractItemModel::rowsInserted, this, done);
}

DataGrid::~DataGrid() = default;

GridHeader* DataGrid::header() const {
    return static_cast<GridHeader*>(view_->horizontalHeader());
}

void DataGrid::setDataset(db::Dataset* dataset) {
    if (db::Dataset* old = model_->dataset())
        old->disconnect(this);
    model_->setDataset(dataset);
    if (dataset) {
        connect(dataset, &db::Dataset::currentChanged, this, &DataGrid::followDataset);
        followDataset(dataset->recNo());
    }
}

db::Dataset* DataGrid::dataset() const {
    return model_->dataset();
}

void DataGrid::setColumns(const QList<GridColumn>& columns) {
    model_->setColumns(columns);
    applyVisibility();
    if (db::Dataset* d = dataset())
        followDataset(d->recNo());
}

const QList<GridColumn>& DataGrid::columns() const {
    return model_->columns();
}

int DataGrid::columnCount() const {
    return model_->columnCount();
}

const GridColumn& DataGrid::column(int index) const {
    return model_->columns().at(index);
}

void DataGrid::setColumn(int index, const GridColumn& column) {
    if (index < 0 || index >= columnCount())
        return;
    model_->column(index) = column;
    model_->columnChanged(index);
    applyVisibility();
}

int DataGrid::columnOfField(const QString& field) const {
    return model_->columnOfField(field);
}

void DataGrid::setColumnVisible(int index, bool visible) {
    if (index < 0 || index >= columnCount() || column(index).visible == visible)
        return;
    model_->column(index).visible = visible;
    applyVisibility();
}

bool DataGrid::isColumnVisible(int index) const {
    return index >= 0 && index < columnCount() && column(index).visible;
}

void DataGrid::applyVisibility() {
    for (int c = 0; c < columnCount(); ++c)
        view_->setColumnHidden(c, !column(c).visible);
    header()->setFixedHeight(header()->levelHeight() * header()->levels());
    view_->fitColumns();
    header()->viewport()->update();
    footer_->update();
}

void DataGrid::refreshHeader() {
    header()->viewport()->update();
}

void DataGrid::setFooterText(int column, const QString& text) {
    if (column < 0 || column >= columnCount())
        return;
    model_->column(column).footerText = text;
    footer_->update();
}

QString DataGrid::footerText(int column) const {
    return column >= 0 && column < columnCount() ? this->column(column).footerText : QString();
}

void DataGrid::setFooterSum(int column, bool sum) {
    if (column < 0 || column >= columnCount())
        return;
    model_->column(column).footerSum = sum;
    model_->columnChanged(column);
}

void DataGrid::setFooterAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= columnCount())
        return;
    model_->column(column).footerAlignment = alignment;
    footer_->update();
}

void DataGrid::setFooterColor(const QColor& color) {
    footer_->setColor(color);
}

QColor DataGrid::footerColor() const {
    return footer_->color();
}

void DataGrid::setFooterVisible(bool visible) {
    footer_->setVisible(visible);
}

bool DataGrid::isFooterVisible() const {
    return !footer_->isHidden();
}

QString DataGrid::footerDisplayText(int column) const {
    return model_->footerDisplayText(column);
}

double DataGrid::footerSum(int column) const {
    return model_->footerSum(column);
}

SortMarker DataGrid::sortMarker(int column) const {
    return model_->sortMarker(column);
}

void DataGrid::setRowColor(GridModel::RowColor color) {
    model_->setRowColor(std::move(color));
}

QList<int> DataGrid::selectedRows() const {
    QSet<int> rows;
    const QItemSelection selection = view_->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection)
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.insert(r);
    QList<int> out(rows.begin(), rows.end());
    std::sort(out.begin(), out.end());
    return out;
}

void DataGrid::selectRow(int row, bool add) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const QModelIndex index = model_->index(row, 0);
    auto flags = QItemSelectionModel::Rows |
                 (add ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
    view_->selectionModel()->setCurrentIndex(index, flags);
}

int DataGrid::currentRow() const {
    const QModelIndex current = view_->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void DataGrid::setFieldKind(const QString& field, FieldKind kind) {
    fieldKinds_.insert(field.toLower(), kind);
}

FieldKind DataGrid::fieldKind(const QString& field) const {
    return fieldKinds_.value(field.toLower(), FieldKind::Auto);
}

void DataGrid::setGridFont(const QFont& font) {
    setFont(font);
    view_->setFont(font);
    header()->setFont(font);
    indicator_->setFont(font);
    footer_->setFont(font);
    const int row = QFontMetrics(font).height() + 4;
    setRowHeight(row);
}

void DataGrid::setRowHeight(int pixels) {
    indicator_->setMinimumSectionSize(std::min(pixels, 8));
    indicator_->setDefaultSectionSize(pixels);
    footer_->setRowHeight(pixels);
}

int DataGrid::rowHeight() const {
    return indicator_->defaultSectionSize();
}

void DataGrid::setTitleRowHeight(int pixels) {
    header()->setLevelHeight(pixels);
    header()->setFixedHeight(pixels * header()->levels());
}

void DataGrid::setHint(const QString& text) {
    setToolTip(text);
    view_->setToolTip(text);
    view_->viewport()->setToolTip(text);
}

void DataGrid::followDataset(int row) {
    if (syncing_ || modelChanging_)
        return;
    syncing_ = true;
    indicator_->setCurrentRow(row);
    if (row < 0 || row >= model_->rowCount()) {
        view_->selectionModel()->clear();
    } else {
        const QModelIndex index = model_->index(row, 0);
        view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        view_->scrollTo(index);
    }
    syncing_ = false;
}

void DataGrid::followView(const QModelIndex& current) {
    indicator_->setCurrentRow(current.isValid() ? current.row() : -1);
    if (syncing_ || modelChanging_ || !current.isValid())
        return;
    db::Dataset* d = dataset();
    if (!d || d->recNo() == current.row())
        return;
    syncing_ = true;
    d->moveTo(current.row());
    syncing_ = false;
}

} // namespace tolvi::grid
