#pragma once

#include <QString>

namespace tolvi {

// What the login needs of the main window when it closes.
class LoginHost {
public:
    virtual ~LoginHost() = default;
    virtual void showAllRecords() = 0;
    // No operator logged in: ends the program.
    virtual void closeMainWindow() = 0;
    // Focus the main window and show the operator's name in its status bar.
    virtual void operatorLoggedIn(const QString& userName) = 0;
    virtual void setSessionId(int id) = 0;
};

} // namespace tolvi
