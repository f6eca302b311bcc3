#pragma once
// A read-only list grid over a dataset: two-level column titles, a footer row
// with fixed texts and live sums, display formats, title-click events with a
// sort mark, whole-row multi-row selection, per-row text colour, and a
// current row that follows the dataset's cursor both ways.

#include "data/db/Dataset.h"
#include "grid/GridColumn.h"
#include "grid/GridModel.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace tolvi::grid {

class GridFooter;
class GridHeader;
class GridView;
class RowIndicator;

class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const;

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const;
    int columnCount() const;
    const GridColumn& column(int index) const;
    void setColumn(int index, const GridColumn& column);
    int columnOfField(const QString& field) const; // -1 when no column shows it

    void setColumnVisible(int index, bool visible);
    bool isColumnVisible(int index) const;

    // Footer: a fixed text, or the sum of the column's field over the rows
    // the dataset holds (kept up to date with every change of the rows).
    void setFooterText(int column, const QString& text);
    QString footerText(int column) const; // the fixed text
    void setFooterSum(int column, bool sum = true);
    void setFooterAlignment(int column, Qt::Alignment alignment);
    void setFooterColor(const QColor& color);
    QColor footerColor() const;
    void setFooterVisible(bool visible);
    bool isFooterVisible() const;
    // What the footer shows under the column (formatted sum or fixed text).
    QString footerDisplayText(int column) const;
    double footerSum(int column) const;

    // From the dataset's sort: Down for "field DESC", Up for "field".
    SortMarker sortMarker(int column) const;

    void setRowColor(GridModel::RowColor color);

    // Selected dataset rows, ascending.
    QList<int> selectedRows() const;
    void selectRow(int row, bool add = false);
    int currentRow() const;

    // How the export engine writes the field; Auto from each value's type.
    void setFieldKind(const QString& field, FieldKind kind);
    FieldKind fieldKind(const QString& field) const;

    void setGridFont(const QFont& font);
    void setRowHeight(int pixels);
    int rowHeight() const;
    void setTitleRowHeight(int pixels);
    void setHint(const QString& text);

    GridView* view() const { return view_; }
    GridModel* model() const { return model_; }
    GridHeader* header() const;

Q_SIGNALS:
    void titleClicked(const QString& fieldName, int column);
    void rowDoubleClicked(int row);
    void selectionChanged();

private:
    void followDataset(int row);
    void followView(const QModelIndex& current);
    void applyVisibility();
    void refreshHeader();

    GridModel* model_;
    GridView* view_;
    RowIndicator* indicator_;
    GridFooter* footer_;
    QHash<QString, FieldKind> fieldKinds_;
    bool syncing_ = false;
    bool modelChanging_ = false;
};

} // namespace tolvi::grid
