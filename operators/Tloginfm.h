#pragma once
// The login window: an operator chooses a name, types the password and logs in.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tolvi {

class LoginHost;

class Tloginfm : public QDialog {
    Q_OBJECT
public:
    explicit Tloginfm(LoginHost* host, QWidget* parent = nullptr);

    QComboBox* userBox() const { return userBox_; }
    QLineEdit* passwordBox() const { return passwordBox_; }
    QPushButton* loginButton() const { return loginButton_; }

    // "登 录"
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void prepare();
    void closingSteps();

    LoginHost* host_;
    QComboBox* userBox_;
    QLineEdit* passwordBox_;
    QLabel* hint_;
    QPushButton* loginButton_;
    bool closing_ = false;
};

} // namespace tolvi
