#pragma once
// The summary statistics window "汇总统计": one row per distinct goods of
// `data` with its purchase, sales and stock totals; export and print of the
// grid from its context menu.

#include <QWidget>

class QMenu;

namespace tolvi {

namespace grid {
class DataGrid;
}
class Tdmfm;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Tdmfm* dm, QWidget* parent = nullptr);

    static const QString& summaryStatement();

    // Runs the summary query and moves to its last row; also after every saved sale.
    void runSummary();
    void sortByTitle(int column);
    void exportToExcel();
    void printList();
    // Operators other than the super administrator do not see the amounts.
    void setRestricted(bool restricted);
    void setOperatorName(const QString& name) { operatorName_ = name; }
    QString operatorName() const { return operatorName_; }
    // Centres the window over the main window.
    void centreOver(QWidget* mainWindow);

    grid::DataGrid* grid() const { return grid_; }
    QMenu* contextMenu() const { return menu_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Tdmfm* dm_;
    grid::DataGrid* grid_;
    QMenu* menu_;
    QString operatorName_;
};

} // namespace tolvi
