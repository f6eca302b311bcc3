#pragma once
// The footer row under a data grid's rows: per visible column its fixed text
// or live sum, lined up with the columns above.

#include <QColor>
#include <QWidget>

class QTableView;

namespace tolvi::grid {

class GridModel;

class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(QTableView* view, GridModel* model, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return color_; }
    void setRowHeight(int pixels);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* view_;
    GridModel* model_;
    QColor color_{255, 194, 134};
    int rowHeight_ = 20;
};

} // namespace tolvi::grid
