#pragma once
// One column of a data grid: the field it shows, its two-level title, look,
// display format and footer.

#include <QColor>
#include <QString>
#include <Qt>

namespace tolvi::grid {

// How the export engine writes a field's values.
enum class FieldKind {
    Auto,    // from each value's storage type: whole number, real or text
    Text,    // a text cell with the value as text
    Integer, // an integer cell
    Float,   // a number cell
    Memo,    // long text: an empty text cell
};

// Shown on the title of the column the dataset is sorted by.
enum class SortMarker { None, Up, Down }; // Up: ascending, Down: descending

struct GridColumn {
    QString fieldName;
    QString title;      // lower title
    QString upperTitle; // spans the neighbouring visible columns that share it
    Qt::Alignment alignment = Qt::AlignLeft;
    int width = 64; // designed width before scaling to the grid's width
    QString displayFormat;
    QColor titleColor;     // invalid: the fixed-area grey
    QColor titleTextColor; // invalid: black
    bool visible = true;

    QString footerText;     // a fixed text such as "总计"
    bool footerSum = false; // shows the sum of the field over the listed rows
    Qt::Alignment footerAlignment = Qt::AlignLeft;
    QString footerFormat; // empty: the display format

    // "upper|lower" as the export engine splits it.
    QString caption() const {
        return upperTitle.isEmpty() ? title : upperTitle + QLatin1Char('|') + title;
    }
    // Builds a column from a caption "upper|lower" (or a single-level "title").
    static GridColumn fromCaption(const QString& field, const QString& caption) {
        GridColumn c;
        c.fieldName = field;
        const qsizetype bar = caption.lastIndexOf(QLatin1Char('|'));
        if (bar < 0) {
            c.title = caption;
        } else {
            c.upperTitle = caption.left(bar);
            c.title = caption.mid(bar + 1);
        }
        return c;
    }
};

} // namespace tolvi::grid
