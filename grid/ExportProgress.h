#pragma once
// The borderless window that shows how far an export has come.

#include <QWidget>

class QProgressBar;

namespace tolvi::grid {

class ExportProgress : public QWidget {
    Q_OBJECT
public:
    explicit ExportProgress(int maximum, QWidget* parent = nullptr);
    void setValue(int value);
    int value() const;
    int maximum() const;

private:
    QProgressBar* bar_;
    int percent_ = -1;
};

} // namespace tolvi::grid
