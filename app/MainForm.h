#pragma once
// The main window: shipment list, command area with quick query, toolbar and
// print buttons, status bar, floating panels, success tip and timers.

#include "operators/LoginHost.h"
#include "waybill/PrintRuns.h"

#include <QApplication>
#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QToolButton;

namespace tolvi {

class EntryPanel;
class QuickQueryPanel;
class SenderPanel;
class ShipmentList;
class Tdmfm;
class Tloginfm;

class TMainForm : public QWidget, public LoginHost {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The data module and the login are made after the window (start-up
    // order); the window does no database work before its first show.
    void setDataModule(Tdmfm* dm);
    void setLoginWindow(Tloginfm* login) { login_ = login; }

    void showSuccessTip(const QString& text);

    // At most one window of type W exists: brings it up, or creates one
    // owned by the main window with make().
    template <typename W> W* openSingleWindow(const std::function<W*(QWidget*)>& make) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<W*>(w)) {
                bringUp(found);
                return found;
            }
        }
        W* created = make(this);
        created->setAttribute(Qt::WA_DeleteOnClose);
        created->show();
        return created;
    }

    // LoginHost
    void showAllRecords() override;
    void closeMainWindow() override;
    void operatorLoggedIn(const QString& userName) override;
    void setSessionId(int id) override { sessionId_ = id; }
    int sessionId() const { return sessionId_; }

    // The steps of the first show (also run by the first showEvent).
    void firstShow();
    void refillEmptyDates();

    ShipmentList* shipmentList() const { return list_; }
    EntryPanel* entryPanel() const { return entry_; }
    SenderPanel* senderPanel() const { return sender_; }
    QuickQueryPanel* quickQuery() const { return quickQuery_; }
    QLabel* successTip() const { return tip_; }
    QLabel* statusPanel(int index) const { return status_[index]; }
    QWidget* statusBarWidget() const { return statusBar_; }
    QMenu* listMenu() const { return listMenu_; }
    QToolBar* toolBar() const { return toolBar_; }
    QTimer* timer1() const { return timer1_; }
    QTimer* timer2() const { return timer2_; }
    QAction* action(const QString& caption) const;
    // Extra date field that Timer 1 keeps filled (the sales panel's).
    void addRefilledDateField(std::function<bool()> isEmpty, std::function<void()> refill);

    // Commands that later parts of the program plug in.
    struct Commands {
        std::function<void()> importOrders, optimiseImportedData, optimiseRecipientAddresses;
        std::function<void()> networkPoints, backup, changePassword, userAdministration;
        std::function<void()> upgrade, about, exportList, printList;
        std::function<void()> firstShowSales, restoreSkin;
    };
    Commands& commands() { return commands_; }
    QMenu* settingsMenu() const { return settingsMenu_; }
    // One more captioned toolbar button that opens menu.
    QAction* addToolMenu(const QString& caption, const QString& glyph, const QColor& colour,
                         const QString& hint, QMenu* menu);
    // Panels that the list commands hide with the entry panel.
    void addHiddenByListCommands(QWidget* panel);
    QMenu* supportMenu() const { return supportMenu_; }
    QMenu* importMenu() const { return importMenu_; }
    QPushButton* singlePrintButton() const { return singlePrint_; }
    QPushButton* batchPrintButton() const { return batchPrint_; }
    QMenu* singlePrintMenu() const { return singlePrintMenu_; }
    QMenu* batchPrintMenu() const { return batchPrintMenu_; }
    SenderTexts senderTexts() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildListMenu();
    void buildStatusBar();
    void buildPrintMenus();
    void applyRights(bool restricted);
    void bringUp(QWidget* w);
    void showLogin();
    void run(const std::function<void()>& command);

    Tdmfm* dm_ = nullptr;
    Tloginfm* login_ = nullptr;
    int sessionId_ = 0;
    bool firstShown_ = false;
    bool loginShowing_ = false;
    Commands commands_;

    QWidget* listArea_;
    ShipmentList* list_ = nullptr;
    QuickQueryPanel* quickQuery_;
    EntryPanel* entry_ = nullptr;
    SenderPanel* sender_ = nullptr;
    QWidget* commandArea_;
    QToolBar* toolBar_;
    QMenu* importMenu_;
    QMenu* settingsMenu_;
    QMenu* supportMenu_;
    QMenu* listMenu_ = nullptr;
    QPushButton* singlePrint_;
    QPushButton* batchPrint_;
    QMenu* singlePrintMenu_ = nullptr;
    QMenu* batchPrintMenu_ = nullptr;
    QWidget* statusBar_;
    QLabel* status_[4];
    QLabel* tip_;
    QTimer* timer1_;
    QTimer* timer2_;
    QList<std::pair<std::function<bool()>, std::function<void()>>> refilledDates_;
    QList<QWidget*> hiddenByList_;
};

} // namespace tolvi
