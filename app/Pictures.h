#pragma once
// The program's own pictures, drawn in code: the couriers' logo buttons and
// the about box's background.

#include "waybill/Courier.h"

#include <QPixmap>

namespace tolvi {

inline constexpr QSize kLogoSize{140, 40};
inline constexpr QSize kAboutPictureSize{387, 163};

// A rounded rectangle in the courier's colour with its short name.
QPixmap courierLogo(Courier courier);
QPixmap aboutPicture();

} // namespace tolvi
