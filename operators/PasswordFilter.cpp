#include "operators/PasswordFilter.h"

#include <QKeyEvent>

namespace tolvi {

bool passwordKeyAllowed(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    // Moving and leaving the box is not typing.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return !(event->modifiers() & Qt::ControlModifier) || event->key() == Qt::Key_Control;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool ok = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
        if (!ok)
            return false;
    }
    return true;
}

} // namespace tolvi
