#pragma once
// Password change of one operator: old password, new password twice.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tolvi {

class Tchangepassfm : public QWidget {
    Q_OBJECT
public:
    explicit Tchangepassfm(QWidget* parent = nullptr);

    QComboBox* operatorBox;
    QLineEdit* oldPasswordBox;
    QLineEdit* newPasswordBox;
    QLineEdit* repeatPasswordBox;
    QPushButton* changeButton;
    QPushButton* quitButton;
    QCheckBox* closeWhenDoneBox;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void changeButtonClick();
};

} // namespace tolvi
