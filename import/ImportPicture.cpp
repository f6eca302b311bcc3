#include "import/ImportPicture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace tolvi {

QString importPictureText() {
    return QStringLiteral("Excel自动导入");
}

QPixmap importPicture(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = size.height();
    // Green sheet with a white X, as spreadsheet programs draw theirs.
    const QRectF sign(2, 2, h - 4, h - 4);
    QPainterPath path;
    path.addRoundedRect(sign, 4, 4);
    p.fillPath(path, QColor(0x1D, 0x6F, 0x42));
    QFont signFont = p.font();
    signFont.setBold(true);
    signFont.setPixelSize(h * 6 / 10);
    p.setFont(signFont);
    p.setPen(Qt::white);
    p.drawText(sign, Qt::AlignCenter, QStringLiteral("X"));
    QFont textFont = p.font();
    textFont.setPixelSize(h * 4 / 10);
    p.setFont(textFont);
    p.setPen(QColor(0x1D, 0x6F, 0x42));
    p.drawText(QRectF(h + 4, 0, size.width() - h - 4, h), Qt::AlignVCenter | Qt::AlignLeft,
               importPictureText());
    return pixmap;
}

} // namespace tolvi
