#pragma once
// Key filter of the password boxes: only Backspace, Enter, digits and Latin
// letters are typed; Enter moves on to the next control instead of running a
// command. Also used by the login window.

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

namespace tolvi {

class PasswordKeyFilter : public QObject {
    Q_OBJECT
public:
    // Installs the filter on box (it becomes the box's child); Enter then
    // focuses next (nothing when next is null).
    static PasswordKeyFilter* install(QLineEdit* box, QWidget* next = nullptr);
    // A password box as these windows use it: at most 10 characters shown as
    // "*", with the key filter installed.
    static PasswordKeyFilter* setUpPasswordBox(QLineEdit* box, QWidget* next = nullptr);

    // True for the characters a password may hold.
    static bool isPasswordChar(QChar ch);

    void setNext(QWidget* next) { next_ = next; }
    QWidget* next() const { return next_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PasswordKeyFilter(QLineEdit* box);
    QPointer<QWidget> next_;
};

} // namespace tolvi
