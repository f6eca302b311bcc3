#pragma once
// The modal print preview "打印预览": one page at a time, painted only when
// shown, so a long batch opens at once; zoom, page navigation, print setup
// and printing.

#include "platform/Platform.h"

#include <QDialog>
#include <QPrinter>
#include <memory>

class QAction;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace tolvi {

class PreviewPageView;

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(const PageSource& pages, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    int pageCount() const { return pages_.pageCount; }
    int currentPage() const; // 0-based
    void setCurrentPage(int index);
    // Zoom in percent of the paper's natural size on this screen.
    double zoomPercent() const;
    void setZoomPercent(double percent);
    void fitWholePage();
    void fitPageWidth();
    void zoomIn();
    void zoomOut();

    QPrinter& printer() { return printer_; }
    // Prints the pages (in the printer's page range) on the current printer.
    bool printPages();
    void printSetup();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Fit { None, WholePage, PageWidth };
    void applyFit();
    void updateControls();
    QSizeF viewportRoom() const;

    PageSource pages_;
    QPrinter printer_;
    Fit fit_ = Fit::WholePage;
    QScrollArea* scroll_;
    PreviewPageView* view_;
    QSpinBox* pageBox_;
    QLabel* pageCountLabel_;
    QLabel* zoomLabel_;
    QAction* first_;
    QAction* prior_;
    QAction* next_;
    QAction* last_;
    QAction* print_;
};

} // namespace tolvi
