#pragma once
// The current login, shared with the rest of the program.

#include <QObject>
#include <QString>

namespace tolvi {

struct OperatorSession {
    QString userName; // as typed or chosen in the login, not trimmed
    bool loggedIn = false;
    int sessionId = 0; // id of this login's row in rz; 0 until written
    bool isSuperAdministrator() const;
};

OperatorSession& operatorSession();

// The one rights mechanism: windows built at any time ask isRestricted() when
// they are built and follow restrictedChanged() afterwards.
class OperatorRights : public QObject {
    Q_OBJECT
public:
    static OperatorRights& instance();
    bool isRestricted() const { return restricted_; }
    void setRestricted(bool restricted);

Q_SIGNALS:
    void restrictedChanged(bool restricted);

private:
    bool restricted_ = false;
};

// Text of the local date and time as the login log stores it: yyyy-mm-dd,
// then a blank and hh:mm:ss unless the time is exactly midnight.
QString sessionTimeText();

} // namespace tolvi
