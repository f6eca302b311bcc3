#pragma once
// The grid export engine: writes a grid's list as an .xls record stream,
// asking before it replaces a file, with a progress window, then opens the
// written file with its associated program. Errors end the export without a
// message; the chosen file is written beside itself and renamed into place,
// so a failed export never leaves a partial file under that name and an old
// file stays as it was.

#include <QString>

class QWidget;

namespace tolvi::grid {

class DataGrid;

class GridExportEngine {
public:
    void setGrid(DataGrid* grid) { grid_ = grid; }
    void setTitle(const QString& title) { title_ = title; }
    void setBeginDate(const QString& date) { beginDate_ = date; }
    void setEndDate(const QString& date) { endDate_ = date; }
    void setOperatorName(const QString& name) { operatorName_ = name; }
    void setShowProgress(bool show) { showProgress_ = show; }

    // True when the file was written.
    bool exportToFile(const QString& fileName, QWidget* parent = nullptr);

private:
    DataGrid* grid_ = nullptr;
    QString title_;
    QString beginDate_;
    QString endDate_;
    QString operatorName_;
    bool showProgress_ = true;
};

} // namespace tolvi::grid
