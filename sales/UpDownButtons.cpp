#include "sales/UpDownButtons.h"

#include "sales/SaleMath.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tolvi {

UpDownButtons::UpDownButtons(QLineEdit* buddy, double step, double minimum, double maximum,
                             QWidget* parent)
    : QWidget(parent), buddy_(buddy), step_(step), min_(minimum), max_(maximum) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    const QString name = buddy->accessibleName();
    up_->setAccessibleName(name + QStringLiteral("增加"));
    down_->setAccessibleName(name + QStringLiteral("减少"));
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    buddy_->installEventFilter(this);
}

void UpDownButtons::stepBy(int steps) {
    if (buddy_->isReadOnly() || !buddy_->isEnabled())
        return;
    const double now = parseSaleNumber(buddy_->text()).value_or(min_);
    const double next = std::clamp(now + steps * step_, min_, max_);
    buddy_->setText(generalNumber(next));
}

bool UpDownButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tolvi
