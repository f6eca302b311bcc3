#pragma once
// The program draws its own pictures, so it ships no image files.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tolvi {

// A rounded square with a short glyph, for toolbar buttons.
QIcon toolIcon(const QString& glyph, const QColor& colour, int size = 32);
// A wide picture button face with a caption (the two print buttons).
QPixmap captionPicture(const QString& caption, const QColor& colour, QSize size);
// The 17 × 17 close picture of the floating panels.
QPixmap closePicture();

} // namespace tolvi
