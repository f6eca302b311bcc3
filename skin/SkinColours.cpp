#include "skin/SkinColours.h"

#include <cmath>

namespace tolvi::skin {
namespace {

QString hex(const QColor& c) {
    return c.name(QColor::HexRgb);
}

// A flat colour, or a soft top-to-bottom shade of it.
QString fill(const QColor& c, bool gradient) {
    if (!gradient)
        return hex(c);
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
        .arg(hex(c.lighter(112)), hex(c.darker(106)));
}

// The glyph images come in two tones; pick the one nearer the text colour.
QString glyphTone(const QColor& textColour) {
    return textColour.lightness() > 127 ? QStringLiteral("light") : QStringLiteral("dark");
}

double channel(double v) {
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette paletteFor(const SkinColours& c) {
    QPalette p;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, c.window);
        p.setColor(group, QPalette::WindowText, c.windowText);
        p.setColor(group, QPalette::Base, c.base);
        p.setColor(group, QPalette::AlternateBase, c.alternateBase);
        p.setColor(group, QPalette::Text, c.text);
        p.setColor(group, QPalette::Button, c.button);
        p.setColor(group, QPalette::ButtonText, c.buttonText);
        p.setColor(group, QPalette::BrightText, c.highlightedText);
        p.setColor(group, QPalette::Highlight, c.highlight);
        p.setColor(group, QPalette::HighlightedText, c.highlightedText);
        p.setColor(group, QPalette::ToolTipBase, c.toolTip);
        p.setColor(group, QPalette::ToolTipText, c.toolTipText);
        p.setColor(group, QPalette::PlaceholderText, c.disabledText);
        p.setColor(group, QPalette::Link, c.highlight);
        p.setColor(group, QPalette::LinkVisited, c.highlight.darker(120));
        p.setColor(group, QPalette::Light, c.button.lighter(130));
        p.setColor(group, QPalette::Midlight, c.button.lighter(115));
        p.setColor(group, QPalette::Mid, c.border);
        p.setColor(group, QPalette::Dark, c.border.darker(130));
        p.setColor(group, QPalette::Shadow, c.border.darker(200));
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, c.disabledText);
    p.setColor(QPalette::Disabled, QPalette::Highlight, c.border);
    return p;
}

QString styleSheetFor(const SkinColours& c) {
    const QString r = QString::number(c.radius);
    const QString tmpl = QStringLiteral(R"css(
QMainWindow, QDialog { background-color: @window; color: @windowText; }
QLabel { color: @windowText; background: transparent; }
QToolTip { color: @toolTipText; background-color: @toolTip; border: 1px solid @border; padding: 3px; }

QPushButton {
    color: @buttonText; background: @buttonFill; border: 1px solid @border;
    border-radius: @radiuspx; padding: 4px 14px; min-height: 18px;
}
QPushButton:hover { background: @buttonHover; }
QPushButton:pressed, QPushButton:checked { background: @buttonPressed; }
QPushButton:default { border: 2px solid @highlight; }
QPushButton:focus { border-color: @highlight; }
QPushButton:disabled { color: @disabledText; background: @window; }

QToolButton {
    color: @buttonText; background: transparent; border: 1px solid transparent;
    border-radius: @radiuspx; padding: 3px 6px;
}
QToolButton:hover { background: @buttonHover; border-color: @border; }
QToolButton:pressed, QToolButton:checked { background: @buttonPressed; border-color: @highlight; }
QToolButton:disabled { color: @disabledText; }
QToolBar { background: @menuBarFill; border: none; border-bottom: 1px solid @border; spacing: 3px; padding: 2px; }
QToolBar QToolButton { color: @menuBarText; }
QToolBar QToolButton:hover, QToolBar QToolButton:pressed { color: @buttonText; }
QToolBar::separator { background: @border; width: 1px; margin: 4px 3px; }

QLineEdit, QTextEdit, QPlainTextEdit, QSpinBox, QDoubleSpinBox, QDateEdit, QDateTimeEdit, QTimeEdit {
    color: @text; background-color: @base; border: 1px solid @border;
    border-radius: @radiuspx; padding: 2px 4px;
    selection-color: @highlightedText; selection-background-color: @highlight;
}
QLineEdit:focus, QTextEdit:focus, QPlainTextEdit:focus, QSpinBox:focus, QDoubleSpinBox:focus,
QDateEdit:focus, QDateTimeEdit:focus, QTimeEdit:focus { border: 1px solid @highlight; }
QLineEdit:read-only { background-color: @alternateBase; }
QLineEdit:disabled, QTextEdit:disabled, QPlainTextEdit:disabled { color: @disabledText; background-color: @window; }

QComboBox {
    color: @text; background-color: @base; border: 1px solid @border;
    border-radius: @radiuspx; padding: 2px 4px; min-height: 18px;
    selection-color: @highlightedText; selection-background-color: @highlight;
}
QComboBox:focus, QComboBox:on { border: 1px solid @highlight; }
QComboBox:disabled { color: @disabledText; background-color: @window; }
QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: top right; width: 18px;
    border-left: 1px solid @border; background: @buttonFill; }
QComboBox::down-arrow { image: url(:/skin/images/arrow-@arrowTone.png); width: 9px; height: 6px; }
QComboBox QAbstractItemView { color: @text; background-color: @base; border: 1px solid @border;
    selection-color: @highlightedText; selection-background-color: @highlight; }

QCheckBox, QRadioButton { color: @windowText; spacing: 5px; }
QCheckBox:disabled, QRadioButton:disabled { color: @disabledText; }
QCheckBox::indicator, QRadioButton::indicator { width: 13px; height: 13px;
    border: 1px solid @border; background-color: @base; }
QCheckBox::indicator { border-radius: 2px; }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: @highlight; }
QCheckBox::indicator:checked { image: url(:/skin/images/check-@checkTone.png); }
QRadioButton::indicator:checked { background-color: qradialgradient(cx:0.5, cy:0.5, radius:0.5,
    fx:0.5, fy:0.5, stop:0 @text, stop:0.45 @text, stop:0.6 @base, stop:1 @base); }
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled { background-color: @window; }

QGroupBox { color: @windowText; border: 1px solid @border; border-radius: @radiuspx;
    margin-top: 1.2em; padding-top: 4px; }
QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px;
    padding: 0 4px; color: @headerText; background-color: @header; border-radius: 2px; }

QMenuBar { color: @menuBarText; background: @menuBarFill; border-bottom: 1px solid @border; }
QMenuBar::item { background: transparent; padding: 4px 10px; }
QMenuBar::item:selected, QMenuBar::item:pressed { color: @highlightedText; background: @highlight; }
QMenu { color: @text; background-color: @base; border: 1px solid @border; padding: 3px; }
QMenu::item { padding: 4px 24px 4px 22px; background: transparent; }
QMenu::item:selected { color: @highlightedText; background-color: @highlight; }
QMenu::item:disabled { color: @disabledText; }
QMenu::separator { height: 1px; background: @border; margin: 3px 6px; }

QTableView, QTreeView, QListView {
    color: @text; background-color: @base; alternate-background-color: @alternateBase;
    gridline-color: @border; border: 1px solid @border;
    selection-color: @highlightedText; selection-background-color: @highlight;
}
QHeaderView { background-color: @header; }
QHeaderView::section { color: @headerText; background: @headerFill; border: none;
    border-right: 1px solid @border; border-bottom: 1px solid @border; padding: 3px 6px; }
QHeaderView::section:checked { color: @highlightedText; background: @highlight; }
QTableCornerButton::section { background: @header; border: none;
    border-right: 1px solid @border; border-bottom: 1px solid @border; }

QStatusBar { color: @menuBarText; background: @menuBarFill; border-top: 1px solid @border; }
QStatusBar QLabel { color: @menuBarText; }
QStatusBar::item { border: none; border-right: 1px solid @border; }

QTabWidget::pane { border: 1px solid @border; background-color: @window; top: -1px; }
QTabBar::tab { color: @buttonText; background: @buttonFill; border: 1px solid @border;
    border-bottom: none; padding: 4px 12px; margin-right: 2px;
    border-top-left-radius: @radiuspx; border-top-right-radius: @radiuspx; }
QTabBar::tab:hover { background: @buttonHover; }
QTabBar::tab:selected { color: @highlightedText; background: @highlight; }

QScrollBar:vertical { background: @alternateBase; width: 13px; margin: 0; border: none; }
QScrollBar:horizontal { background: @alternateBase; height: 13px; margin: 0; border: none; }
QScrollBar::handle:vertical { background: @scrollHandle; min-height: 24px; margin: 2px; border-radius: 4px; }
QScrollBar::handle:horizontal { background: @scrollHandle; min-width: 24px; margin: 2px; border-radius: 4px; }
QScrollBar::handle:hover { background: @highlight; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }

QProgressBar { color: @text; background-color: @base; border: 1px solid @border;
    border-radius: @radiuspx; text-align: center; }
QProgressBar::chunk { background-color: @highlight; }
)css");
    QString css = tmpl;
    // Longest names first, so that @button does not eat @buttonText.
    const std::pair<const char*, QString> values[] = {
        {"@highlightedText", hex(c.highlightedText)},
        {"@arrowTone", glyphTone(c.buttonText)},
        {"@checkTone", glyphTone(c.text)},
        {"@alternateBase", hex(c.alternateBase)},
        {"@buttonPressed", hex(c.buttonPressed)},
        {"@disabledText", hex(c.disabledText)},
        {"@scrollHandle", hex(c.scrollHandle)},
        {"@menuBarFill", fill(c.menuBar, c.gradient)},
        {"@menuBarText", hex(c.menuBarText)},
        {"@buttonHover", hex(c.buttonHover)},
        {"@toolTipText", hex(c.toolTipText)},
        {"@buttonFill", fill(c.button, c.gradient)},
        {"@buttonText", hex(c.buttonText)},
        {"@headerFill", fill(c.header, c.gradient)},
        {"@headerText", hex(c.headerText)},
        {"@windowText", hex(c.windowText)},
        {"@highlight", hex(c.highlight)},
        {"@toolTip", hex(c.toolTip)},
        {"@border", hex(c.border)},
        {"@header", hex(c.header)},
        {"@window", hex(c.window)},
        {"@radius", r},
        {"@base", hex(c.base)},
        {"@text", hex(c.text)},
    };
    for (const auto& [name, value] : values)
        css.replace(QLatin1String(name), value);
    return css;
}

} // namespace tolvi::skin
