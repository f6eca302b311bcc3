#pragma once

#include <QPixmap>
#include <QString>

namespace tolvi {

// The words on the import window's picture button.
QString importPictureText();
// The button's picture: a spreadsheet sign and the words, drawn at run time.
QPixmap importPicture(const QSize& size);

} // namespace tolvi
