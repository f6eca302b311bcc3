#pragma once
// The column titles of a data grid in two levels: an upper title spans the
// neighbouring visible columns that share it, each level drawn in the
// column's title colours; the sorted column carries a sort mark.

#include <QHeaderView>

namespace tolvi::grid {

class GridModel;

class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit GridHeader(QWidget* parent = nullptr);

    void setLevelHeight(int pixels);
    int levelHeight() const { return levelHeight_; }
    int levels() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // A click on a column's lower title (not on a shared upper title).
    void titleClicked(int logicalIndex);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    GridModel* gridModel() const;
    QString upperTitle(int logicalIndex) const;
    // First and last visual index of the visible run sharing the upper title.
    std::pair<int, int> group(int logicalIndex) const;

    int levelHeight_ = 18;
    int pressY_ = -1;
};

} // namespace tolvi::grid
