#pragma once
// The table view inside a data grid: whole-row, multi-row selection and
// columns scaled so that together they fill the width; a column the user
// widens takes its room from the others.

#include <QTableView>

namespace tolvi::grid {

class GridModel;

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setGridModel(GridModel* model);
    // Spreads the width over the visible columns in the ratio of their widths.
    void fitColumns();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onSectionResized(int logical, int oldSize, int newSize);

    GridModel* model_ = nullptr;
    bool fitting_ = false;
};

} // namespace tolvi::grid
