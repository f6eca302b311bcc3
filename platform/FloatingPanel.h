#pragma once
// A panel floating over the list: dragged by its background with the left
// mouse button (kept inside its parent), with a close picture top-right.

#include <QFrame>

class QLabel;

namespace tolvi {

class FloatingPanel : public QFrame {
    Q_OBJECT
public:
    explicit FloatingPanel(QWidget* parent = nullptr);
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

// Places a caption label and its box at the given position; the caption
// becomes the box's accessible name.
QLabel* placeField(QWidget* parent, const QString& caption, QWidget* box, int x, int y, int width,
                   int labelWidth = 84);

} // namespace tolvi
