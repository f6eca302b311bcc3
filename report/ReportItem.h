#pragma once
// One positioned item of a band. Positions and sizes are report pixels from
// the band's top-left corner. Items are plain values, so a report can be
// copied into the snapshot that its pages are painted from.

#include "report/ReportFonts.h"

#include <QColor>
#include <QString>
#include <QStringList>

namespace tolvi::report {

enum class ItemKind {
    Label,      // fixed text
    RichText,   // plain text as lines in a fixed box
    DbText,     // text of a field of the current record
    DbRichText, // lines of a field of the current record, in a fixed box
    HorizontalLine,
    VerticalLine,
};

enum class HAlign { Left, Center, Right };

class ReportItem {
public:
    ReportItem(ItemKind kind, QString name) : kind_(kind), name_(std::move(name)) {}

    ItemKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    bool isDataBound() const { return kind_ == ItemKind::DbText || kind_ == ItemKind::DbRichText; }
    bool isRichText() const { return kind_ == ItemKind::RichText || kind_ == ItemKind::DbRichText; }
    bool isLine() const {
        return kind_ == ItemKind::HorizontalLine || kind_ == ItemKind::VerticalLine;
    }

    double x() const { return x_; }
    double y() const { return y_; }
    void setX(double x) { x_ = x; }
    void setY(double y) { y_ = y; }
    void setPos(double x, double y) { x_ = x, y_ = y; }
    double width() const { return width_; }
    double height() const { return height_; }
    void setSize(double width, double height) { width_ = width, height_ = height; }

    const ReportFont& font() const { return font_; }
    void setFont(const ReportFont& font) { font_ = font; }
    HAlign alignment() const { return alignment_; }
    void setAlignment(HAlign a) { alignment_ = a; }
    // A label that grows keeps the edge its alignment names (left, centre or
    // right) and takes the size of its text; a fixed one clips at its box.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on) { autoSize_ = on; }
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on) { wordWrap_ = on; }
    bool transparent() const { return transparent_; }
    void setTransparent(bool on) { transparent_ = on; }
    QColor color() const { return color_; } // fill when opaque
    void setColor(const QColor& c) { color_ = c; }
    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& c) { textColor_ = c; }
    double lineWidthMm() const { return lineWidthMm_; }
    void setLineWidthMm(double w) { lineWidthMm_ = w; }

    // Label text; for a rich-text box its lines joined by line breaks.
    const QString& text() const { return text_; }
    void setText(const QString& text) { text_ = text; }
    QStringList lines() const;
    // Replaces every line of a rich-text box; line breaks make new lines.
    void setLines(const QString& text);
    void setLines(const QStringList& lines) { text_ = lines.join(QLatin1Char('\n')); }

    const QString& field() const { return field_; }
    void setField(const QString& field) { field_ = field; }

private:
    ItemKind kind_;
    QString name_;
    double x_ = 0, y_ = 0, width_ = 65, height_ = 17;
    ReportFont font_;
    HAlign alignment_ = HAlign::Left;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    bool transparent_ = true;
    QColor color_ = Qt::white;
    QColor textColor_ = Qt::black;
    double lineWidthMm_ = 0.25;
    QString text_;
    QString field_;
};

} // namespace tolvi::report
