#include "grid/GridHeader.h"

#include "grid/GridModel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace tolvi::grid {
namespace {

const QColor kFixedGrey(238, 238, 238);
const QColor kLine(128, 128, 128);

void drawCell(QPainter* p, const QRect& r, const QColor& fill, const QColor& text,
              const QString& title, bool rightLine) {
    p->fillRect(r, fill.isValid() ? fill : kFixedGrey);
    p->setPen(kLine);
    p->drawLine(r.bottomLeft(), r.bottomRight());
    if (rightLine)
        p->drawLine(r.topRight(), r.bottomRight());
    p->setPen(text.isValid() ? text : QColor(Qt::black));
    p->drawText(r.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextSingleLine, title);
}

} // namespace

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSectionsMovable(false);
    setMinimumSectionSize(8);
    connect(this, &QHeaderView::sectionResized, this, [this] { viewport()->update(); });
    connect(this, &QHeaderView::sectionClicked, this, [this](int logical) {
        // The shared upper title is no sort button; only the column's own title is.
        if (pressY_ >= 0 && levels() > 1 && !upperTitle(logical).isEmpty() &&
            pressY_ < levelHeight_)
            return;
        Q_EMIT titleClicked(logical);
    });
}

GridModel* GridHeader::gridModel() const {
    return qobject_cast<GridModel*>(model());
}

void GridHeader::setLevelHeight(int pixels) {
    levelHeight_ = pixels;
    updateGeometry();
    viewport()->update();
}

int GridHeader::levels() const {
    const GridModel* m = gridModel();
    if (!m)
        return 1;
    for (const GridColumn& c : m->columns())
        if (!c.upperTitle.isEmpty())
            return 2;
    return 1;
}

QSize GridHeader::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setHeight(levelHeight_ * levels());
    return s;
}

QString GridHeader::upperTitle(int logicalIndex) const {
    const GridModel* m = gridModel();
    if (!m || logicalIndex < 0 || logicalIndex >= m->columns().size())
        return {};
    return m->columns().at(logicalIndex).upperTitle;
}

std::pair<int, int> GridHeader::group(int logicalIndex) const {
    const QString upper = upperTitle(logicalIndex);
    const int visual = visualIndex(logicalIndex);
    int first = visual;
    int last = visual;
    for (int v = visual - 1; v >= 0; --v) {
        const int l = this->logicalIndex(v);
        if (isSectionHidden(l))
            continue;
        if (upperTitle(l) != upper)
            break;
        first = v;
    }
    for (int v = visual + 1; v < count(); ++v) {
        const int l = this->logicalIndex(v);
        if (isSectionHidden(l))
            continue;
        if (upperTitle(l) != upper)
            break;
        last = v;
    }
    return {first, last};
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const GridModel* m = gridModel();
    if (!m || logicalIndex < 0 || logicalIndex >= m->columns().size())
        return;
    const GridColumn& c = m->columns().at(logicalIndex);
    painter->save();
    painter->setClipRect(rect);
    QRect lower = rect;
    if (levels() > 1 && !c.upperTitle.isEmpty()) {
        const auto [first, last] = group(logicalIndex);
        const int left = sectionViewportPosition(this->logicalIndex(first));
        const int lastLogical = this->logicalIndex(last);
        const int right = sectionViewportPosition(lastLogical) + sectionSize(lastLogical) - 1;
        const QRect upper(left, rect.top(), right - left + 1, levelHeight_);
        // Every section of the group paints the whole band, clipped to itself,
        // so the band reads as one cell however the sections are repainted.
        drawCell(painter, upper, c.titleColor, c.titleTextColor, c.upperTitle, true);
        lower.setTop(rect.top() + levelHeight_);
    }
    const SortMarker mark = m->sortMarker(logicalIndex);
    if (mark == SortMarker::None) {
        drawCell(painter, lower, c.titleColor, c.titleTextColor, c.title, true);
    } else {
        // The title gives way to the mark at its right.
        drawCell(painter, lower, c.titleColor, c.titleTextColor, QString(), true);
        painter->setPen(c.titleTextColor.isValid() ? c.titleTextColor : QColor(Qt::black));
        painter->drawText(lower.adjusted(2, 0, -12, 0), Qt::AlignCenter | Qt::TextSingleLine,
                          c.title);
        const int s = 4;
        const int cx = lower.right() - 3 - s;
        const int cy = lower.center().y();
        QPolygon tri;
        if (mark == SortMarker::Down)
            tri << QPoint(cx - s, cy - s / 2) << QPoint(cx + s, cy - s / 2)
                << QPoint(cx, cy + s / 2 + 1);
        else
            tri << QPoint(cx - s, cy + s / 2) << QPoint(cx + s, cy + s / 2)
                << QPoint(cx, cy - s / 2 - 1);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(c.titleTextColor.isValid() ? c.titleTextColor : QColor(Qt::black));
        painter->drawPolygon(tri);
    }
    painter->restore();
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    pressY_ = event->position().toPoint().y();
    QHeaderView::mousePressEvent(event);
}

} // namespace tolvi::grid
