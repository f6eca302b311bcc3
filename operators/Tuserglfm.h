#pragma once
// User administration: the super administrator adds and deletes operators and
// resets a forgotten password to the initial password.

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace tolvi {

class Tuserglfm : public QWidget {
    Q_OBJECT
public:
    explicit Tuserglfm(QWidget* parent = nullptr);

    // Refills the list with every name of userdb, in the database's order.
    void loadUserList();
    bool isUnlocked() const;

    QLineEdit* adminPasswordBox;
    QPushButton* loginButton;
    QPushButton* quitButton;
    QListWidget* userList;
    QTabWidget* tabs;
    QLineEdit* resetNameBox;
    QPushButton* resetButton;
    QPushButton* resetHintButton;
    QLineEdit* addNameBox;
    QPushButton* addButton;
    QLineEdit* deleteNameBox;
    QPushButton* deleteButton;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void loginButtonClick();
    void userListClick();
    void resetButtonClick();
    void resetHintButtonClick();
    void addButtonClick();
    void deleteButtonClick();
    void setUnlocked(bool unlocked);
};

} // namespace tolvi
