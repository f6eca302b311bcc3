#pragma once
// The panels over the sales detail list are the program's floating panels.

#include "platform/FloatingPanel.h"

namespace tolvi::xstj {

using XstjPanelFrame = tolvi::FloatingPanel;

inline QLabel* placeCaptioned(QWidget* parent, const QString& caption, QWidget* box, int x, int y,
                              int width, int labelWidth = 70) {
    return placeField(parent, caption, box, x, y, width, labelWidth);
}

} // namespace tolvi::xstj
