#include "app/Pictures.h"

#include "app/CourierSites.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tolvi {

QPixmap courierLogo(Courier courier) {
    QPixmap pixmap(kLogoSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = courierColour(courier);
    QLinearGradient fill(0, 0, 0, kLogoSize.height());
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(130), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, kLogoSize.width() - 2, kLogoSize.height() - 2), 8, 8);
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(0, 0), kLogoSize), Qt::AlignCenter, courierShortName(courier));
    return pixmap;
}

QPixmap aboutPicture() {
    QPixmap pixmap(kAboutPictureSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(kAboutPictureSize));
    QLinearGradient sky(all.topLeft(), all.bottomRight());
    sky.setColorAt(0, QColor(0xe8, 0xf1, 0xfb));
    sky.setColorAt(1, QColor(0xb9, 0xd3, 0xf0));
    p.fillRect(all, sky);
    // A soft band across the lower part and a parcel in the top right corner.
    QPainterPath band;
    band.moveTo(0, 120);
    band.cubicTo(120, 95, 260, 150, all.width(), 110);
    band.lineTo(all.width(), all.height());
    band.lineTo(0, all.height());
    band.closeSubpath();
    p.fillPath(band, QColor(255, 255, 255, 120));
    const QRectF box(320, 18, 46, 36);
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x2b), 1.5));
    p.setBrush(QColor(0xd9, 0xa4, 0x6a));
    p.drawRect(box);
    p.fillRect(QRectF(box.center().x() - 4, box.top(), 8, box.height()), QColor(0xf5, 0xe6, 0xc8));
    p.setPen(QColor(0x2f, 0x5f, 0x9f, 90));
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.drawText(QRectF(300, 58, 84, 16), Qt::AlignCenter, QStringLiteral("Tolvi"));
    return pixmap;
}

} // namespace tolvi
