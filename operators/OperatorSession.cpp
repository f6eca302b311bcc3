#include "operators/OperatorSession.h"

#include "data/Schema.h"

#include <QDateTime>

namespace tolvi {

bool OperatorSession::isSuperAdministrator() const {
    return userName == kSuperAdministrator;
}

OperatorSession& operatorSession() {
    static OperatorSession session;
    return session;
}

OperatorRights& OperatorRights::instance() {
    static OperatorRights rights;
    return rights;
}

void OperatorRights::setRestricted(bool restricted) {
    if (restricted_ == restricted)
        return;
    restricted_ = restricted;
    Q_EMIT restrictedChanged(restricted);
}

QString sessionTimeText() {
    const QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    QString text = now.date().toString(QStringLiteral("yyyy-MM-dd"));
    if (t.hour() != 0 || t.minute() != 0 || t.second() != 0)
        text += QLatin1Char(' ') + t.toString(QStringLiteral("hh:mm:ss"));
    return text;
}

} // namespace tolvi
