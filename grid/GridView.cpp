#include "grid/GridView.h"

#include "grid/GridHeader.h"
#include "grid/GridModel.h"

#include <algorithm>

namespace tolvi::grid {
namespace {
constexpr int kMinWidth = 8;
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setShowGrid(true);
    setCornerButtonEnabled(false);
    auto* header = new GridHeader(this);
    setHorizontalHeader(header);
    connect(header, &QHeaderView::sectionResized, this, &GridView::onSectionResized);
}

void GridView::setGridModel(GridModel* model) {
    model_ = model;
    setModel(model);
    // A reload rebuilds the header's sections; those sizes are no user drag
    // and must not replace the designed widths.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { fitting_ = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        fitting_ = false;
        fitColumns();
    });
}

void GridView::fitColumns() {
    if (!model_)
        return;
    const int avail = viewport()->width();
    QList<int> visible;
    long total = 0;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c))
            continue;
        visible.append(c);
        total += std::max(1, model_->columns().at(c).width);
    }
    if (visible.isEmpty() || avail <= 0)
        return;
    fitting_ = true;
    int used = 0;
    for (int i = 0; i < visible.size(); ++i) {
        const int c = visible.at(i);
        int w = static_cast<int>(std::max(1, model_->columns().at(c).width) * long(avail) / total);
        if (i == visible.size() - 1)
            w = avail - used;
        w = std::max(kMinWidth, w);
        horizontalHeader()->resizeSection(c, w);
        used += w;
    }
    fitting_ = false;
}

void GridView::onSectionResized(int logical, int, int newSize) {
    // Hiding a column reports it resized to nothing before it counts as
    // hidden; that is no drag (the header's minimum is 8), and resizing the
    // section being hidden would leave a gap in its place.
    if (fitting_ || !model_ || newSize == 0 || isColumnHidden(logical))
        return;
    // The user dragged a column edge: keep that width, scale the others into
    // the rest, and remember the new ratios as the designed widths.
    const int avail = viewport()->width();
    QList<int> others;
    long othersWidth = 0;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (c == logical || isColumnHidden(c))
            continue;
        others.append(c);
        othersWidth += columnWidth(c);
    }
    int own = newSize;
    if (others.isEmpty()) {
        own = avail;
    } else {
        own = std::min(own, avail - kMinWidth * int(others.size()));
        own = std::max(own, kMinWidth);
    }
    fitting_ = true;
    horizontalHeader()->resizeSection(logical, own);
    model_->column(logical).width = own;
    const int rest = avail - own;
    int used = 0;
    for (int i = 0; i < others.size(); ++i) {
        const int c = others.at(i);
        int w = othersWidth > 0 ? int(columnWidth(c) * long(rest) / othersWidth)
                                : rest / int(others.size());
        if (i == others.size() - 1)
            w = rest - used;
        w = std::max(kMinWidth, w);
        horizontalHeader()->resizeSection(c, w);
        model_->column(c).width = w;
        used += w;
    }
    fitting_ = false;
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

} // namespace tolvi::grid
