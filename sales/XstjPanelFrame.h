#pragma once
// A panel over the sales detail list: moved by dragging its background with
// the left mouse button (kept inside its parent), closed by the picture at
// its top right.

#include <QFrame>

class QLabel;

namespace tolvi::xstj {

class XstjPanelFrame : public QFrame {
    Q_OBJECT
public:
    explicit XstjPanelFrame(QWidget* parent = nullptr);
    QLabel* closePictureLabel() const { return close_; }

Q_SIGNALS:
    void closeClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* close_;
    QPoint grab_;
    bool dragging_ = false;
};

// A caption label right-aligned before its box; the caption (trimmed)
// becomes the box's accessible name.
QLabel* placeCaptioned(QWidget* parent, const QString& caption, QWidget* box, int x, int y,
                       int width, int labelWidth = 70);

} // namespace tolvi::xstj
