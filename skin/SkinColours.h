#pragma once
// The colour set of one skin and what is drawn from it: the application
// palette and the application style sheet.

#include <QColor>
#include <QPalette>
#include <QString>

namespace tolvi::skin {

struct SkinColours {
    QColor window, windowText;        // window and dialog faces, labels
    QColor base, alternateBase, text; // inputs and list rows
    QColor button, buttonText, buttonHover, buttonPressed;
    QColor highlight, highlightedText; // selections, focus, checked tabs
    QColor border;
    QColor header, headerText;   // table header sections, group titles
    QColor menuBar, menuBarText; // menu bar, tool bar and status bar
    QColor toolTip, toolTipText;
    QColor disabledText;
    QColor scrollHandle;
    int radius = 3;        // corner radius of buttons and inputs, px
    bool gradient = false; // buttons and bars shaded top to bottom
};

QPalette paletteFor(const SkinColours& c);
QString styleSheetFor(const SkinColours& c);

// WCAG contrast ratio of two colours (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);

} // namespace tolvi::skin
