#pragma once
// Two windows that start-up creates with the others and no command shows:
// the usage help window and the web page window.

#include <QWidget>

namespace tolvi {

class Tchhform : public QWidget {
    Q_OBJECT
public:
    explicit Tchhform(QWidget* parent = nullptr) : QWidget(parent) {
        setWindowTitle(QStringLiteral("使用帮助"));
    }
};

class Ttv2 : public QWidget {
    Q_OBJECT
public:
    explicit Ttv2(QWidget* parent = nullptr) : QWidget(parent) {
        setWindowTitle(QStringLiteral("网页"));
    }
};

} // namespace tolvi
