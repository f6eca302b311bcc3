#include "platform/FloatingPanel.h"

#include "platform/Icons.h"

#include <QLabel>
#include <QMouseEvent>

namespace tolvi {

FloatingPanel::FloatingPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    close_ = new QLabel(this);
    close_->setPixmap(closePicture());
    close_->setFixedSize(17, 17);
    close_->setCursor(Qt::PointingHandCursor);
    close_->setAccessibleName(QStringLiteral("关闭"));
    close_->setToolTip(QStringLiteral("关闭"));
    close_->installEventFilter(this);
}

bool FloatingPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == close_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Q_EMIT closeClicked();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void FloatingPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    close_->move(width() - close_->width() - 4, 4);
    close_->raise();
}

void FloatingPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        grab_ = event->position().toPoint();
    }
    QFrame::mousePressEvent(event);
}

void FloatingPanel::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton) && parentWidget()) {
        QPoint to = mapToParent(event->position().toPoint() - grab_);
        const QRect area = parentWidget()->rect();
        to.setX(std::clamp(to.x(), 0, std::max(0, area.width() - width())));
        to.setY(std::clamp(to.y(), 0, std::max(0, area.height() - height())));
        move(to);
    }
    QFrame::mouseMoveEvent(event);
}

void FloatingPanel::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QFrame::mouseReleaseEvent(event);
}

QLabel* placeField(QWidget* parent, const QString& caption, QWidget* box, int x, int y, int width,
                   int labelWidth) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(x, y, labelWidth, 22);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(box);
    box->setParent(parent);
    box->setGeometry(x + labelWidth, y, width, 22);
    box->setAccessibleName(caption.trimmed());
    return label;
}

} // namespace tolvi
