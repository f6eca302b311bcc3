#pragma once
// The program as start-up assembles it, for window tests: its own working
// directory and data.mdb, the main window with every feature window plugged
// in, shown, with nobody logged in yet.

#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/Dm.h"
#include "data/Schema.h"
#include "operators/OperatorSession.h"
#include "operators/Tloginfm.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

namespace tolvi::test {

struct Program {
    TestEnv env;
    std::unique_ptr<Tdmfm> dm;
    std::unique_ptr<TMainForm> main;

    Program() {
        operatorSession() = OperatorSession{};
        OperatorRights::instance().setRestricted(false);
        main = std::make_unique<TMainForm>();
        dm = std::make_unique<Tdmfm>(mainConnectionString());
        main->setDataModule(dm.get());
        installFeatureWindows(*main, *dm);
        main->show();
    }
    ~Program() {
        main.reset();
        dm.reset();
    }
    db::ResultSet rows(const QString& sql) const { return dm->ADOConnection1->select(sql); }
    // Logs in through the real login window; true when that operator is in.
    bool login(const QString& user, const QString& password) {
        operatorSession() = OperatorSession{};
        Tloginfm login(main.get(), main.get());
        login.show();
        login.userBox()->setEditText(user);
        login.passwordBox()->setText(password);
        login.loginButton()->click();
        return operatorSession().loggedIn && operatorSession().userName == user;
    }
};

} // namespace tolvi::test
