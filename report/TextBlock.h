#pragma once
// Lays out the text of one item: word wrap inside a fixed box with the lines
// below its lower edge dropped, or one line per paragraph for a label that
// grows with its text.

#include "report/ReportItem.h"

#include <QFont>
#include <QRectF>
#include <vector>

namespace tolvi::report {

struct TextBlockLine {
    QString text;
    double x = 0;        // text units from the box's left edge
    double top = 0;      // text units from the box's top edge
    double baseline = 0; // likewise
    double width = 0;
    double height = 0;
};

struct TextBlock {
    QRectF boxMm; // the item's box in mm from the band's corner, grown if it grows
    bool clip = true;
    QFont font;
    std::vector<TextBlockLine> lines;
};

// mmPerPx turns the item's report pixels into millimetres.
TextBlock layoutText(const ReportItem& item, const QString& text, double mmPerPx);

} // namespace tolvi::report
