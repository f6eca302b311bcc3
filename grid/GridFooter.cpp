#include "grid/GridFooter.h"

#include "grid/GridModel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace tolvi::grid {

GridFooter::GridFooter(QTableView* view, GridModel* model, QWidget* parent)
    : QWidget(parent), view_(view), model_(model) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto repaint = [this] { update(); };
    connect(model_, &GridModel::footerChanged, this, repaint);
    connect(model_, &QAbstractItemModel::modelReset, this, repaint);
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this, repaint);
    connect(view_->horizontalHeader(), &QHeaderView::geometriesChanged, this, repaint);
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

void GridFooter::setColor(const QColor& color) {
    color_ = color;
    update();
}

void GridFooter::setRowHeight(int pixels) {
    rowHeight_ = pixels;
    updateGeometry();
    update();
}

QSize GridFooter::sizeHint() const {
    return {100, rowHeight_ + 2};
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(238, 238, 238));
    const QColor line(128, 128, 128);
    p.setPen(line);
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QHeaderView* header = view_->horizontalHeader();
    // Columns start where the view's viewport starts, right of the indicator.
    const int left = view_->mapTo(parentWidget(), view_->viewport()->pos()).x() - x();
    const QRect band(left, 1, view_->viewport()->width(), height() - 2);
    p.setClipRect(band);
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const int x0 = left + header->sectionViewportPosition(logical);
        const QRect cell(x0, band.top(), header->sectionSize(logical), band.height());
        if (cell.right() < band.left() || cell.left() > band.right())
            continue;
        p.fillRect(cell, color_);
        p.setPen(line);
        p.drawLine(cell.topRight(), cell.bottomRight());
        const QString text = model_->footerDisplayText(logical);
        if (text.isEmpty())
            continue;
        p.setPen(Qt::black);
        const Qt::Alignment align = model_->columns().at(logical).footerAlignment;
        p.drawText(cell.adjusted(2, 0, -2, 0), align | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

} // namespace tolvi::grid
