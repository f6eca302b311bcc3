#pragma once
// The about box: the program's name and the maker's addresses on a picture.

#include <QDialog>

class QPushButton;

namespace tolvi {

class LinkLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    LinkLabel* mailLabel;
    LinkLabel* webLabel;
    QPushButton* okButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPixmap background_;
};

} // namespace tolvi
