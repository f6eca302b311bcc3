#include "platform/Icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tolvi {

QIcon toolIcon(const QString& glyph, const QColor& colour, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour.darker(115));
    QPainterPath path;
    path.addRoundedRect(QRectF(1, 1, size - 2, size - 2), 6, 6);
    p.fillPath(path, g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(size * 9 / 16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, glyph);
    return QIcon(pm);
}

QPixmap captionPicture(const QString& caption, const QColor& colour, QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour);
    QPainterPath path;
    path.addRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 8, 8);
    p.fillPath(path, g);
    p.setPen(QPen(colour.darker(140), 1.5));
    p.drawPath(path);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(size.height() * 2 / 5);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(QPointF(0, 0), QSizeF(size)), Qt::AlignCenter, caption);
    return pm;
}

QPixmap closePicture() {
    QPixmap pm(17, 17);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 60, 50));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(0.5, 0.5, 16, 16));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(5, 5), QPointF(12, 12));
    p.drawLine(QPointF(12, 5), QPointF(5, 12));
    return pm;
}

} // namespace tolvi
