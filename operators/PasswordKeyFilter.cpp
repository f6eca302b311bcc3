#include "operators/PasswordKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tolvi {

PasswordKeyFilter::PasswordKeyFilter(QLineEdit* box) : QObject(box) {}

PasswordKeyFilter* PasswordKeyFilter::install(QLineEdit* box, QWidget* next) {
    auto* filter = new PasswordKeyFilter(box);
    filter->next_ = next;
    box->installEventFilter(filter);
    // No input method: it would bring in characters no key filter sees.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Pasted text obeys the same rule as typed text.
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]*")), box));
    return filter;
}

PasswordKeyFilter* PasswordKeyFilter::setUpPasswordBox(QLineEdit* box, QWidget* next) {
    box->setMaxLength(10);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return install(box, next);
}

bool PasswordKeyFilter::isPasswordChar(QChar ch) {
    const char16_t c = ch.unicode();
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool PasswordKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod)
        return true;
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (next_)
            next_->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Backspace:
        return false;
    default:
        break;
    }
    // Shortcuts (copy, select all) and keys that type nothing (arrows, Tab,
    // Delete) keep their usual meaning; only typed characters are filtered.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    for (const QChar ch : text)
        if (!isPasswordChar(ch))
            return true;
    return false;
}

} // namespace tolvi
