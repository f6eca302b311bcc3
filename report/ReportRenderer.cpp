#include "report/ReportRenderer.h"

#include "report/TextLayoutCache.h"

#include <QPainter>
#include <QTextLayout>

namespace tolvi::report {

ReportSnapshot::ReportSnapshot() : layouts(std::make_shared<TextLayoutCache>()) {}

QString ReportSnapshot::itemText(const ReportItem& item, int record) const {
    if (!item.isDataBound())
        return item.text();
    const auto it = fieldTexts.constFind(item.field());
    if (record < 0 || it == fieldTexts.constEnd() || record >= it->size())
        return {};
    return it->at(record);
}

namespace {

// Items are painted in text units (the band's coordinate system scaled once),
// so the PDF engine writes one transform per band instead of one per text.
QRectF toUnits(const QRectF& mm) {
    return {mm.topLeft() * kTextUnitsPerMm, mm.size() * kTextUnitsPerMm};
}

void paintLine(QPainter& p, const ReportItem& item, double mmPerPx) {
    QPen pen(Qt::black);
    pen.setWidthF(item.lineWidthMm() * kTextUnitsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    const double k = mmPerPx * kTextUnitsPerMm;
    const QPointF a(item.x() * k, item.y() * k);
    if (item.kind() == ItemKind::HorizontalLine)
        p.drawLine(a, a + QPointF(item.width() * k, 0));
    else
        p.drawLine(a, a + QPointF(0, item.height() * k));
}

void drawLines(QPainter& p, const TextBlock& block) {
    const QPointF origin = block.boxMm.topLeft() * kTextUnitsPerMm;
    for (const TextBlockLine& line : block.lines) {
        if (line.text.isEmpty())
            continue;
        const QTextLine shaped =
            block.paragraphs.at(static_cast<size_t>(line.paragraph))->lineAt(line.line);
        // The shaped line draws from its own origin; put that at the line's
        // place in the box.
        shaped.draw(&p, origin + QPointF(line.x - shaped.x(), line.top - shaped.y()));
    }
}

void paintText(QPainter& p, const ReportSnapshot& report, const ReportItem& item, int record,
               double mmPerPx) {
    std::shared_ptr<const TextBlock> cached;
    TextBlock fresh;
    if (item.isDataBound() || !report.layouts)
        fresh = layoutText(item, report.itemText(item, record), mmPerPx);
    else
        cached = report.layouts->block(item, item.text(), mmPerPx);
    const TextBlock& block = cached ? *cached : fresh;

    if (!item.transparent())
        p.fillRect(toUnits(block.boxMm), item.color());
    // Clipping costs a saved state and a clip path per text on a PDF page;
    // it is only needed when a line reaches past the box.
    const bool clip = block.clip && !block.fitsBox();
    if (clip) {
        p.save();
        p.setClipRect(toUnits(block.boxMm), Qt::IntersectClip);
    }
    p.setPen(item.textColor().isValid() ? item.textColor() : QColor(Qt::black));
    drawLines(p, block);
    if (clip)
        p.restore();
}

void paintFrame(QPainter& p, const BandFrame& f, const QRectF& r) {
    if (!f.any())
        return;
    QPen pen(Qt::black);
    pen.setWidthF(f.widthMm);
    p.setPen(pen);
    if (f.top)
        p.drawLine(r.topLeft(), r.topRight());
    if (f.bottom)
        p.drawLine(r.bottomLeft(), r.bottomRight());
    if (f.left)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (f.right)
        p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

void paintReportPage(QPainter& painter, const ReportSnapshot& report, int page) {
    if (page < 0 || page >= report.pageCount())
        return;
    const double k = report.mmPerPx;
    for (const PlacedBand& placed : report.pages[static_cast<size_t>(page)]) {
        const Band& band = report.bands.at(static_cast<size_t>(placed.band));
        const QRectF rect(0, 0, report.page.bandWidthMm(), band.height() * k);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(report.page.marginsMm.left(), placed.topMm);
        if (!band.transparent())
            painter.fillRect(rect, band.color());
        paintFrame(painter, band.frame(), rect);
        painter.setTransform(report.contentTransform, true);
        painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
        for (const auto& item : band.items()) {
            if (item->isLine())
                paintLine(painter, *item, k);
            else
                paintText(painter, report, *item, placed.record, k);
        }
        painter.restore();
    }
}

} // namespace tolvi::report
