#pragma once
// Lays out the text of one item: word wrap inside a fixed box with the lines
// below its lower edge dropped, or one line per paragraph for a label that
// grows with its text.

#include "report/ReportItem.h"

#include <QFont>
#include <QRectF>
#include <memory>
#include <vector>

class QTextLayout;

namespace tolvi::report {

struct TextBlockLine {
    QString text;
    double x = 0;        // text units from the box's left edge
    double top = 0;      // text units from the box's top edge
    double baseline = 0; // likewise
    double width = 0;
    double height = 0;
    int paragraph = 0; // index into TextBlock::paragraphs
    int line = 0;      // the line of that paragraph's layout
};

struct TextBlock {
    QRectF boxMm; // the item's box in mm from the band's corner, grown if it grows
    bool clip = true;
    QFont font;
    std::vector<TextBlockLine> lines;
    // The shaped paragraphs the lines come from: painting draws their glyphs
    // instead of shaping each line's text a second time.
    std::vector<std::shared_ptr<const QTextLayout>> paragraphs;

    // Every line lies inside the box, so clipping at it would cut nothing.
    bool fitsBox() const;
};

// mmPerPx turns the item's report pixels into millimetres.
TextBlock layoutText(const ReportItem& item, const QString& text, double mmPerPx);

} // namespace tolvi::report
