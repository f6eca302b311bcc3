#pragma once
// The row indicator at the left of a data grid: a grey strip with a mark
// beside the current row.

#include <QHeaderView>

namespace tolvi::grid {

class RowIndicator : public QHeaderView {
    Q_OBJECT
public:
    explicit RowIndicator(QWidget* parent = nullptr);
    void setCurrentRow(int row);
    int currentRow() const { return current_; }
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int current_ = -1;
};

} // namespace tolvi::grid
