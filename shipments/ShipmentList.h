#pragma once
// The shipment list: the grid over the list dataset, the quick query that
// filters it live, sorting by title click, printed rows in red and the
// goods-column toggle.

#include <QObject>
#include <QPoint>

class QWidget;

namespace tolvi {

namespace grid {
class DataGrid;
}
class QuickQueryPanel;
class Tdmfm;

class ShipmentList : public QObject {
    Q_OBJECT
public:
    ShipmentList(Tdmfm* dm, QuickQueryPanel* quickQuery, QWidget* viewParent);

    grid::DataGrid* grid() const { return grid_; }
    QWidget* view() const;

    void showAllRecords();
    void runQuickQuery();
    void clearQuickConditions();
    void sortByTitle(const QString& field);
    void toggleGoodsColumns();
    bool goodsHidden() const { return goodsHidden_; }
    // Start-up: applies the saved goods-column choice.
    void restoreColumns();
    // The rights of an operator other than the super administrator.
    void setOperatorColumnsHidden(bool hidden);
    // Dataset rows selected in the list (the current row when none is marked).
    QList<int> selectedRows() const;
    // The record count text under "手 机".
    QString countText() const;

Q_SIGNALS:
    void hideEntryPanel();
    void rowDoubleClicked();
    void contextMenuRequested(const QPoint& globalPos);
    void goodsHiddenChanged(bool hidden);

private:
    void setGoodsColumnsVisible(bool visible);
    void applyColumnVisibility();

    Tdmfm* dm_;
    QuickQueryPanel* quickQuery_;
    grid::DataGrid* grid_;
    QString sortField_;
    bool sortDescending_ = false;
    bool goodsHidden_ = false; // the entry's tick
    bool sevenHidden_ = false; // all seven goods columns hidden
    bool dateHidden_ = false;  // only "付款日期" hidden (restored setting)
    bool operatorHidden_ = false;
};

} // namespace tolvi
