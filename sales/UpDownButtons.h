#pragma once
// A pair of up/down arrows beside a number box: each click (or the Up/Down
// key in the box) adds or takes one step, kept between a lower and an upper
// limit.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tolvi {

class UpDownButtons : public QWidget {
    Q_OBJECT
public:
    UpDownButtons(QLineEdit* buddy, double step, double minimum, double maximum,
                  QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
    void stepBy(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    double step_, min_, max_;
};

} // namespace tolvi
