#include "grid/RowIndicator.h"

#include <QPainter>
#include <QPolygon>

namespace tolvi::grid {

RowIndicator::RowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
}

void RowIndicator::setCurrentRow(int row) {
    if (row == current_)
        return;
    const int old = current_;
    current_ = row;
    if (old >= 0)
        updateSection(old);
    if (row >= 0)
        updateSection(row);
}

QSize RowIndicator::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setWidth(12);
    return s;
}

void RowIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, QColor(238, 238, 238));
    painter->setPen(QColor(128, 128, 128));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (logicalIndex == current_) {
        const QPoint c = rect.center();
        QPolygon tri;
        tri << QPoint(c.x() - 2, c.y() - 4) << QPoint(c.x() - 2, c.y() + 4)
            << QPoint(c.x() + 2, c.y());
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::black);
        painter->drawPolygon(tri);
    }
    painter->restore();
}

} // namespace tolvi::grid
