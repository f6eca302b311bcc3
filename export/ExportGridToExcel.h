#pragma once
// "导出Excel" of a list: asks for the file, then hands the grid to the grid
// export engine with the title and the operator's name.

#include <QString>

class QWidget;

namespace tolvi::grid {
class DataGrid;
}

namespace tolvi {

// Returns true when a file was written.
bool exportGridToExcel(grid::DataGrid* grid, const QString& title, const QString& operatorName,
                       QWidget* parent = nullptr);

} // namespace tolvi
