#pragma once
// Page settings of a report, in millimetres.

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>

namespace tolvi::report {

struct PageSettings {
    // Invalid (the default): the default printer's current paper, read each
    // time pages are made.
    QPageSize paper;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10}; // left, top, right, bottom
    double zoomPercent = 100;            // scales report pixels on paper

    // The default printer's current paper; A4 when there is no printer.
    static QPageSize printerPaper();

    QPageSize effectivePaper() const { return paper.isValid() ? paper : printerPaper(); }
    QSizeF paperSizeMm() const; // as oriented
    double bandWidthMm() const {
        return paperSizeMm().width() - marginsMm.left() - marginsMm.right();
    }
    QPageLayout pageLayout() const; // the paper with no margins: painting is on the whole sheet
};

} // namespace tolvi::report
