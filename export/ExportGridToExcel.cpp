#include "export/ExportGridToExcel.h"

#include "grid/DataGrid.h"
#include "grid/GridExportEngine.h"
#include "platform/Platform.h"

namespace tolvi {

bool exportGridToExcel(grid::DataGrid* grid, const QString& title, const QString& operatorName,
                       QWidget* parent) {
    grid::GridExportEngine engine;
    engine.setGrid(grid);
    engine.setTitle(title);
    engine.setBeginDate(QString());
    engine.setEndDate(QString());
    engine.setOperatorName(operatorName);
    engine.setShowProgress(true);
    const QString fileName = platform().saveFileName(
        parent, QStringLiteral("另存为"), QString(),
        QStringLiteral("Microsoft Excel xls文件 (*.xls)"), QStringLiteral("xls"));
    if (fileName.isEmpty())
        return false;
    return engine.exportToFile(fileName, parent);
}

} // namespace tolvi
