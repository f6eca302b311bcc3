#pragma once
// The one renderer: paints a page of a frozen report on any painter set up in
// millimetres from the paper's top-left corner.

#include "report/Band.h"
#include "report/PageSettings.h"

#include <QHash>
#include <QStringList>
#include <QTransform>
#include <memory>
#include <vector>

class QPainter;

namespace tolvi::report {

class TextLayoutCache;

struct PlacedBand {
    int band = 0;    // index into ReportSnapshot::bands
    int record = -1; // record of the data, -1 for none
    double topMm = 0;
};

struct ReportSnapshot {
    PageSettings page;
    double mmPerPx = 25.4 / 96;
    QTransform contentTransform;
    std::vector<Band> bands;
    std::vector<std::vector<PlacedBand>> pages;
    QHash<QString, QStringList> fieldTexts; // bound field -> text of each record
    // Layouts of the texts that do not change from record to record; copies
    // of the snapshot share it, its entries being keyed by everything that
    // shapes a layout.
    std::shared_ptr<TextLayoutCache> layouts;

    ReportSnapshot();

    int pageCount() const { return static_cast<int>(pages.size()); }
    // The text an item shows in a band printed for that record.
    QString itemText(const ReportItem& item, int record) const;
};

void paintReportPage(QPainter& painter, const ReportSnapshot& report, int page);

} // namespace tolvi::report
