#pragma once
// A horizontal band of a report, as wide as the page between its margins,
// holding positioned items. Heights and positions are report pixels.

#include "report/ReportItem.h"

#include <QColor>
#include <memory>
#include <vector>

namespace tolvi::report {

enum class BandKind {
    Title,   // once, before the details
    Detail,  // once per record of the report's data, or once without data
    Summary, // once, after the details
};

struct BandFrame {
    bool top = false, left = false, right = false, bottom = false;
    double widthMm = 0.25;
    bool any() const { return top || left || right || bottom; }
    static BandFrame all() { return {true, true, true, true}; }
    static BandFrame topLeftRight() { return {true, true, true, false}; }
};

class Band {
public:
    Band(BandKind kind, double heightPx) : kind_(kind), height_(heightPx) {}
    Band(const Band& other);
    Band& operator=(const Band&) = delete;

    BandKind kind() const { return kind_; }
    double height() const { return height_; }
    void setHeight(double px) { height_ = px; }
    bool alignToBottom() const { return alignToBottom_; }
    void setAlignToBottom(bool on) { alignToBottom_ = on; }
    // A detail band whose data has no record still prints once, empty.
    bool printWhenEmpty() const { return printWhenEmpty_; }
    void setPrintWhenEmpty(bool on) { printWhenEmpty_ = on; }
    const BandFrame& frame() const { return frame_; }
    void setFrame(const BandFrame& f) { frame_ = f; }
    bool transparent() const { return transparent_; }
    void setTransparent(bool on) { transparent_ = on; }
    QColor color() const { return color_; }
    void setColor(const QColor& c) { color_ = c; }

    // The band owns its items; the pointers stay valid for the band's life.
    ReportItem* addItem(ItemKind kind, const QString& name, double x, double y, double width,
                        double height);
    ReportItem* addLabel(const QString& name, double x, double y, double width, double height,
                         const QString& text = {});
    ReportItem* addRichText(const QString& name, double x, double y, double width, double height);
    ReportItem* addDbText(const QString& name, const QString& field, double x, double y,
                          double width, double height);
    ReportItem* addDbRichText(const QString& name, const QString& field, double x, double y,
                              double width, double height);
    // Rules: a horizontal one from x over length at y, a vertical one at x
    // from y over length.
    ReportItem* addHorizontalLine(double x, double y, double length);
    ReportItem* addVerticalLine(double x, double y, double length);

    const std::vector<std::unique_ptr<ReportItem>>& items() const { return items_; }
    ReportItem* item(const QString& name) const; // nullptr when absent

private:
    BandKind kind_;
    double height_;
    bool alignToBottom_ = false;
    bool printWhenEmpty_ = false;
    BandFrame frame_;
    bool transparent_ = true;
    QColor color_ = Qt::white;
    std::vector<std::unique_ptr<ReportItem>> items_;
};

} // namespace tolvi::report
