#include "report/ReportRenderer.h"

#include "report/TextBlock.h"

#include <QPainter>

namespace tolvi::report {

QString ReportSnapshot::itemText(const ReportItem& item, int record) const {
    if (!item.isDataBound())
        return item.text();
    const auto it = fieldTexts.constFind(item.field());
    if (record < 0 || it == fieldTexts.constEnd() || record >= it->size())
        return {};
    return it->at(record);
}

namespace {

void paintLine(QPainter& p, const ReportItem& item, double mmPerPx) {
    QPen pen(Qt::black);
    pen.setWidthF(item.lineWidthMm());
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    const QPointF a(item.x() * mmPerPx, item.y() * mmPerPx);
    if (item.kind() == ItemKind::HorizontalLine)
        p.drawLine(a, a + QPointF(item.width() * mmPerPx, 0));
    else
        p.drawLine(a, a + QPointF(0, item.height() * mmPerPx));
}

void paintText(QPainter& p, const ReportItem& item, const QString& text, double mmPerPx) {
    const TextBlock block = layoutText(item, text, mmPerPx);
    p.save();
    if (!item.transparent())
        p.fillRect(block.boxMm, item.color());
    if (block.clip)
        p.setClipRect(block.boxMm, Qt::IntersectClip);
    p.translate(block.boxMm.topLeft());
    p.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    p.setFont(block.font);
    p.setPen(Qt::black);
    for (const TextBlockLine& line : block.lines)
        if (!line.text.isEmpty())
            p.drawText(QPointF(line.x, line.baseline), line.text);
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
        for (const auto& item : band.items()) {
            if (item->isLine())
                paintLine(painter, *item, k);
            else
                paintText(painter, *item, report.itemText(*item, placed.record), k);
        }
        painter.restore();
    }
}

} // namespace tolvi::report
