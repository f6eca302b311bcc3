#include "export/GridPrint.h"

#include "grid/DataGrid.h"
#include "grid/DisplayFormat.h"
#include "report/ReportRenderer.h"
#include "report/TextBlock.h"

#include <QPageLayout>
#include <QPageSize>
#include <algorithm>
#include <memory>

namespace tolvi {
namespace {

using report::Band;
using report::BandKind;
using report::HAlign;
using report::ReportFont;
using report::ReportItem;

// Every length below is in millimetres: the snapshot is built with one
// report pixel per millimetre.
constexpr double kMargin = 20;
constexpr double kHeaderHeight = 7;
constexpr double kPad = 0.8;
constexpr double kEps = 1e-6;

// The grid's font; fitting a wider grid to the page shrinks it, down to a
// size that still reads well.
constexpr double kGridPointSize = 9;
constexpr double kSmallestPointSize = 7;
const ReportFont kHeadingFont{QStringLiteral("宋体"), 15, true};
const ReportFont kAfterFont{QStringLiteral("宋体"), 10, false};
const ReportFont kPageHeaderFont{QStringLiteral("MS Sans Serif"), 8, false};

struct PrintColumn {
    int index = 0; // in the grid
    double x = 0, width = 0;
    HAlign align = HAlign::Left;
};

HAlign toHAlign(Qt::Alignment a) {
    if (a & Qt::AlignHCenter)
        return HAlign::Center;
    if (a & Qt::AlignRight)
        return HAlign::Right;
    return HAlign::Left;
}

ReportItem makeText(const QString& text, const ReportFont& font, double x, double y, double w,
                    double h, HAlign align) {
    ReportItem item(report::ItemKind::Label, QString());
    item.setPos(x, y);
    item.setSize(w, h);
    item.setFont(font);
    item.setAlignment(align);
    item.setWordWrap(true);
    item.setText(text);
    return item;
}

// Height of the text wrapped into the width.
double textHeight(const QString& text, const ReportFont& font, double width) {
    ReportItem probe = makeText(text.isEmpty() ? QStringLiteral(" ") : text, font, 0, 0,
                                std::max(1.0, width), 10000, HAlign::Left);
    const report::TextBlock block = report::layoutText(probe, probe.text(), 1.0);
    double h = 0;
    for (const auto& l : block.lines)
        h = std::max(h, l.top + l.height);
    return h / report::kTextUnitsPerMm;
}

double lineHeight(const ReportFont& font) {
    return textHeight(QStringLiteral("国"), font, 1000);
}

void addCell(Band& band, const PrintColumn& c, double y, double h, const QString& text,
             const ReportFont& font, HAlign align, const QColor& color = {}) {
    if (text.isEmpty())
        return;
    ReportItem* item =
        band.addLabel(QString(), c.x + kPad, y + kPad, c.width - 2 * kPad, h - 2 * kPad, text);
    item->setFont(font);
    item->setAlignment(align);
    item->setWordWrap(true);
    if (color.isValid())
        item->setTextColor(color);
}

// A table row: the cells' texts wrapped, the row as tall as its tallest cell,
// framed, with a rule between neighbouring columns.
// The list prints in colour: a row the grid shows in its own colour (a
// printed shipment in red) keeps that colour on paper.
Band tableRow(const QList<PrintColumn>& cols, const QStringList& texts, const ReportFont& font,
              bool useColumnAlignment, const QColor& color = {}) {
    double h = lineHeight(font);
    for (int i = 0; i < cols.size(); ++i)
        h = std::max(h, textHeight(texts.value(i), font, cols[i].width - 2 * kPad));
    h += 2 * kPad;
    Band band(BandKind::Detail, h);
    band.setFrame(report::BandFrame::all());
    for (int i = 0; i < cols.size(); ++i) {
        addCell(band, cols[i], 0, h, texts.value(i), font,
                useColumnAlignment ? cols[i].align : HAlign::Center, color);
        if (i > 0)
            band.addVerticalLine(cols[i].x, 0, h);
    }
    return band;
}

// The title rows: an upper title spans the neighbouring visible columns that
// share it; a column without one takes both rows for its title.
Band titleBand(const grid::DataGrid& grid, const QList<PrintColumn>& cols,
               const ReportFont& titleFont) {
    bool twoLevels = false;
    for (const PrintColumn& c : cols)
        twoLevels = twoLevels || !grid.column(c.index).upperTitle.isEmpty();
    struct Group {
        int first, last;
        QString text;
    };
    QList<Group> groups;
    for (int i = 0; i < cols.size(); ++i) {
        const QString upper = grid.column(cols[i].index).upperTitle;
        if (!upper.isEmpty() && !groups.isEmpty() && groups.last().last == i - 1 &&
            groups.last().text == upper)
            groups.last().last = i;
        else if (!upper.isEmpty())
            groups.append({i, i, upper});
    }
    auto span = [&](int first, int last) {
        PrintColumn s = cols[first];
        s.width = cols[last].x + cols[last].width - s.x;
        return s;
    };
    double upperH = 0;
    for (const Group& g : groups)
        upperH = std::max(upperH, textHeight(g.text, titleFont, span(g.first, g.last).width));
    if (twoLevels)
        upperH = std::max(upperH, lineHeight(titleFont)) + 2 * kPad;
    double lowerH = lineHeight(titleFont);
    for (const PrintColumn& c : cols)
        lowerH =
            std::max(lowerH, textHeight(grid.column(c.index).title, titleFont, c.width - 2 * kPad));
    lowerH += 2 * kPad;

    Band band(BandKind::Detail, upperH + lowerH);
    band.setFrame(report::BandFrame::all());
    for (const Group& g : groups) {
        const PrintColumn s = span(g.first, g.last);
        addCell(band, s, 0, upperH, g.text, titleFont, HAlign::Center);
        band.addHorizontalLine(s.x, upperH, s.width);
    }
    for (int i = 0; i < cols.size(); ++i) {
        const bool grouped = !grid.column(cols[i].index).upperTitle.isEmpty();
        const double top = grouped ? upperH : 0;
        addCell(band, cols[i], top, upperH + lowerH - top, grid.column(cols[i].index).title,
                titleFont, HAlign::Center);
        if (i == 0)
            continue;
        // Inside a group the rule stops under the upper title.
        bool insideGroup = false;
        for (const Group& g : groups)
            insideGroup = insideGroup || (i > g.first && i <= g.last);
        const double from = insideGroup ? upperH : 0;
        band.addVerticalLine(cols[i].x, from, upperH + lowerH - from);
    }
    return band;
}

Band textBand(const QStringList& lines, const ReportFont& font, double width, HAlign align) {
    const double lh = lineHeight(font);
    double h = 0;
    Band band(BandKind::Detail, 0);
    for (const QString& line : lines) {
        const double th = std::max(lh, textHeight(line, font, width));
        if (!line.isEmpty()) {
            ReportItem* item = band.addLabel(QString(), 0, h, width, th, line);
            item->setFont(font);
            item->setAlignment(align);
            item->setWordWrap(true);
        }
        h += th;
    }
    band.setHeight(h);
    return band;
}

} // namespace

QString GridPrintEngine::afterLineText() const {
    QString line = afterLine_;
    for (auto it = subst_.constBegin(); it != subst_.constEnd(); ++it)
        line.replace(it.key(), it.value());
    return line;
}

PageSource GridPrintEngine::pageSource() const {
    auto snap = std::make_shared<report::ReportSnapshot>();
    snap->page.paper = QPageSize(QPageSize::A4);
    snap->page.orientation = QPageLayout::Portrait;
    snap->page.marginsMm = QMarginsF(kMargin, kMargin, kMargin, kMargin);
    snap->mmPerPx = 1.0;
    const double width = snap->page.bandWidthMm();
    const double paperHeight = snap->page.paperSizeMm().height();
    const double contentTop = kMargin + kHeaderHeight;
    const double bottom = paperHeight - kMargin;

    // Visible columns fitted to the page width by their designed widths.
    QList<PrintColumn> cols;
    double designed = 0;
    if (grid_) {
        for (int i = 0; i < grid_->columnCount(); ++i)
            if (grid_->isColumnVisible(i)) {
                cols.append({i, 0, 0, toHAlign(grid_->column(i).alignment)});
                designed += std::max(1, grid_->column(i).width);
            }
    }
    const double designedMm = designed * 25.4 / 96;
    const double points =
        std::max(kSmallestPointSize, kGridPointSize * std::min(1.0, width / designedMm));
    const ReportFont cellFont{QStringLiteral("Arial"), points, false};
    const ReportFont titleFont{QStringLiteral("Arial"), points, true};
    double x = 0;
    for (PrintColumn& c : cols) {
        c.x = x;
        c.width = width * std::max(1, grid_->column(c.index).width) / designed;
        x += c.width;
    }

    std::vector<Band>& bands = snap->bands;
    auto addBand = [&](Band band) {
        bands.push_back(std::move(band));
        return static_cast<int>(bands.size()) - 1;
    };
    const int heading =
        addBand(textBand({heading_, QString(), QString()}, kHeadingFont, width, HAlign::Center));
    const int titles = cols.isEmpty() ? -1 : addBand(titleBand(*grid_, cols, titleFont));
    std::vector<int> rows;
    if (!cols.isEmpty()) {
        const db::Dataset* d = grid_->dataset();
        const int records = d && d->isOpen() ? d->recordCount() : 0;
        QList<int> fields;
        for (const PrintColumn& c : cols)
            fields.append(grid_->model()->fieldIndex(c.index));
        for (int r = 0; r < records; ++r) {
            QStringList texts;
            for (int i = 0; i < cols.size(); ++i)
                texts.append(fields[i] < 0
                                 ? QString()
                                 : grid::displayText(d->value(r, fields[i]),
                                                     grid_->column(cols[i].index).displayFormat));
            rows.push_back(
                addBand(tableRow(cols, texts, cellFont, true, grid_->model()->rowColor(r))));
        }
        QStringList footer;
        for (const PrintColumn& c : cols)
            footer.append(grid_->footerDisplayText(c.index));
        rows.push_back(addBand(tableRow(cols, footer, cellFont, true)));
    }
    const int after =
        addBand(textBand({QString(), afterLineText()}, kAfterFont, width, HAlign::Right));

    // Pages: the heading on the first, the titles at the top of every page
    // that holds table rows.
    auto& pages = snap->pages;
    pages.emplace_back();
    double y = contentTop;
    auto place = [&](int band) {
        pages.back().push_back({band, -1, y});
        y += bands[static_cast<size_t>(band)].height();
    };
    auto fits = [&](int band) {
        return y + bands[static_cast<size_t>(band)].height() <= bottom + kEps;
    };
    auto newPage = [&] {
        pages.emplace_back();
        y = contentTop;
    };
    place(heading);
    if (titles >= 0) {
        if (!fits(titles))
            newPage();
        place(titles);
        bool rowOnPage = false;
        for (int row : rows) {
            if (!fits(row) && rowOnPage) {
                newPage();
                place(titles);
                rowOnPage = false;
            }
            place(row);
            rowOnPage = true;
        }
    }
    if (!fits(after))
        newPage();
    place(after);

    // The page header of each page, with its number.
    for (size_t p = 0; p < pages.size(); ++p) {
        QString text = pageHeader_;
        text.replace(QStringLiteral("&[Page]"), QString::number(p + 1));
        Band header(BandKind::Title, kHeaderHeight);
        ReportItem* item = header.addLabel(QString(), 0, 0, width, 4, text);
        item->setFont(kPageHeaderFont);
        item->setAlignment(HAlign::Center);
        header.addHorizontalLine(0, 4.6, width);
        header.addHorizontalLine(0, 5.3, width);
        pages[p].push_back({addBand(std::move(header)), -1, kMargin});
    }

    PageSource source;
    source.layout = snap->page.pageLayout();
    source.pageCount = snap->pageCount();
    source.title = heading_;
    source.paintPage = [snap](QPainter& painter, int index) {
        report::paintReportPage(painter, *snap, index);
    };
    return source;
}

void GridPrintEngine::preview(QWidget* parent) const {
    platform().preview(parent, pageSource());
}

QString operatorDateLine(const QString& operatorName, const QDate& today) {
    return QStringLiteral("制表人：") + operatorName + QStringLiteral("    日期：") +
           today.toString(QStringLiteral("yyyy-MM-dd"));
}

void printGridList(const grid::DataGrid* grid, const QString& heading, const QString& operatorName,
                   const QString& macro, QWidget* parent) {
    GridPrintEngine engine;
    engine.setGrid(grid);
    engine.setHeading(heading);
    engine.setAfterLine(macro);
    engine.setSubstitution(macro, operatorDateLine(operatorName));
    engine.preview(parent);
}

} // namespace tolvi
