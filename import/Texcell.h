#pragma once
// The import window: copies every order of the shop's report into data with
// one INSERT … SELECT over the workbook, on a connection of its own.

#include "data/db/Connection.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QGroupBox;

namespace tolvi {

// Opened by "详细使用说明".
inline const QString kImportHelpUrl = QStringLiteral("https://www.tolvi.example/help");
// Ends the connection failure message.
inline const QString kSupportQq = QStringLiteral("800012345");

class Texcell : public QDialog {
    Q_OBJECT
public:
    // showAllRecords reloads the main window's list after a successful import.
    explicit Texcell(std::function<void()> showAllRecords = {}, QWidget* parent = nullptr);
    ~Texcell() override;

    void setShowAllRecords(std::function<void()> showAllRecords);

    // The picture button's command.
    void importOrders();

    QLabel* warningLabel;
    QLabel* workbookLabel;
    QLineEdit* workbookPath;
    QPushButton* openWorkbookButton;
    QLabel* databaseLabel;
    QLineEdit* databasePath;
    QPushButton* chooseDatabaseButton;
    QPushButton* importButton;
    QLabel* helpLink;
    QGroupBox* instructions;
    db::Connection* ADOConnection1;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void openWorkbookButtonClick();
    void chooseDatabaseButtonClick();
    void warn(const QString& text);

    std::function<void()> showAllRecords_;
};

} // namespace tolvi
