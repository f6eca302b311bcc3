#pragma once
// An underlined label with a hand cursor that acts on a click (or on Space
// and Enter when it has the focus).

#include <QLabel>

namespace tolvi {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tolvi
