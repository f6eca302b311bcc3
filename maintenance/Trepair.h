#pragma once
// The backup and restore window. While it exists the database connection is
// closed, so data.mdb can be copied whole; closing it opens the connection
// again and hands control back to the main window.

#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;
class QScrollArea;

namespace tolvi {

class Trepair : public QWidget {
    Q_OBJECT
public:
    // afterReopen runs once the connection and the table datasets are open
    // again (the main window reloads its list and shows itself).
    explicit Trepair(QWidget* parent = nullptr, std::function<void()> afterReopen = {});

    void setAfterReopen(std::function<void()> afterReopen) {
        afterReopen_ = std::move(afterReopen);
    }

    // The design text of the backup path box.
    static QString defaultBackupPath();
    // Empty when path holds a database of this program, else why not.
    static QString databaseFileProblem(const QString& path);

    QScrollArea* scrollArea;
    QPushButton* defaultButton;
    QLineEdit* backupPathBox;
    QPushButton* backupButton;
    QLineEdit* restorePathBox;
    QPushButton* openBackupButton;
    QPushButton* restoreButton;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void backupButtonClick();
    void openBackupButtonClick();
    void restoreButtonClick();
    void reopenDatabase();

    std::function<void()> afterReopen_;
    QString lastChosenFile_;
    bool connectionClosed_ = false;
};

} // namespace tolvi
