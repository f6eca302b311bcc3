#include "waybill/CalibrationDrawing.h"

#include "report/ReportFonts.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tolvi {

using report::kTextUnitsPerMm;

void paintMillimetreGrid(QPainter& p, const QRectF& areaMm, double labelRowMm,
                         double labelColumnMm) {
    p.save();
    p.setClipRect(areaMm, Qt::IntersectClip);
    auto penFor = [](int mm) {
        QPen pen(mm % 10 == 0  ? QColor(90, 140, 200)
                 : mm % 5 == 0 ? QColor(150, 185, 225)
                               : QColor(210, 225, 242));
        pen.setWidthF(mm % 10 == 0 ? 0.2 : mm % 5 == 0 ? 0.12 : 0.06);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    };
    const int x0 = static_cast<int>(std::floor(areaMm.left()));
    const int x1 = static_cast<int>(std::ceil(areaMm.right()));
    const int y0 = static_cast<int>(std::floor(areaMm.top()));
    const int y1 = static_cast<int>(std::ceil(areaMm.bottom()));
    // Faint lines first, so that the stronger ones are drawn over them.
    for (int pass = 0; pass < 3; ++pass) {
        for (int x = x0; x <= x1; ++x) {
            const int level = x % 10 == 0 ? 2 : x % 5 == 0 ? 1 : 0;
            if (level != pass)
                continue;
            p.setPen(penFor(x));
            p.drawLine(QPointF(x, areaMm.top()), QPointF(x, areaMm.bottom()));
        }
        for (int y = y0; y <= y1; ++y) {
            const int level = y % 10 == 0 ? 2 : y % 5 == 0 ? 1 : 0;
            if (level != pass)
                continue;
            p.setPen(penFor(y));
            p.drawLine(QPointF(areaMm.left(), y), QPointF(areaMm.right(), y));
        }
    }
    const QColor number(40, 80, 140);
    for (int x = (x0 + 9) / 10 * 10; x <= x1; x += 10)
        if (x > 0)
            paintTextMm(p, QPointF(x + 0.4, labelRowMm), QString::number(x), 2.2, number);
    for (int y = (y0 + 9) / 10 * 10; y <= y1; y += 10)
        if (y > 0)
            paintTextMm(p, QPointF(labelColumnMm, y + 0.3), QString::number(y), 2.2, number);
    p.restore();
}

void paintCrosshair(QPainter& p, const QPointF& atMm, double armMm, const QColor& color) {
    p.save();
    QPen pen(color);
    pen.setWidthF(0.15);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawLine(atMm - QPointF(armMm, 0), atMm + QPointF(armMm, 0));
    p.drawLine(atMm - QPointF(0, armMm), atMm + QPointF(0, armMm));
    p.drawEllipse(atMm, armMm / 4, armMm / 4);
    p.restore();
}

void paintTextMm(QPainter& p, const QPointF& topLeftMm, const QString& text, double heightMm,
                 const QColor& color, bool bold) {
    // Laid out in text units with the report's font, it measures the same on
    // screen, printer and PDF, as the report engine does.
    report::ReportFont rf;
    rf.bold = bold;
    rf.pointSize = heightMm * 72 / 25.4;
    const QFont font = report::layoutFont(rf);
    p.save();
    p.translate(topLeftMm);
    p.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    p.setPen(color);
    report::drawLayoutText(p, QPointF(0, 0), text, font);
    p.restore();
}

void shadeUnprintable(QPainter& p, const QSizeF& paperMm, const QMarginsF& m) {
    if (m.isNull())
        return;
    const QRectF paper(QPointF(0, 0), paperMm);
    QPainterPath outside;
    outside.addRect(paper);
    QPainterPath printable;
    printable.addRect(paper.marginsRemoved(m));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 120, 90));
    p.drawPath(outside.subtracted(printable));
    p.restore();
}

} // namespace tolvi
