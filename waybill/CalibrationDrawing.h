#pragma once
// Drawing pieces shared by the calibration page and the live preview. The
// painter is in millimetres from the paper's top-left corner.

#include <QColor>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace tolvi {

// Lines every millimetre over area, stronger every 5 and 10 mm; the 10 mm
// lines are numbered (mm from the paper edge) along labelRowMm and
// labelColumnMm.
void paintMillimetreGrid(QPainter& p, const QRectF& areaMm, double labelRowMm,
                         double labelColumnMm);
// A cross with a small ring centred on the point, arms armMm long.
void paintCrosshair(QPainter& p, const QPointF& atMm, double armMm, const QColor& color);
// One line of text whose top-left corner is at topLeftMm.
void paintTextMm(QPainter& p, const QPointF& topLeftMm, const QString& text, double heightMm,
                 const QColor& color = Qt::black, bool bold = false);
// Greys what lies outside the printable area of a sheet of that size.
void shadeUnprintable(QPainter& p, const QSizeF& paperMm, const QMarginsF& marginsMm);

} // namespace tolvi
