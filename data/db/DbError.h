#pragma once

#include <QString>
#include <stdexcept>

namespace tolvi::db {

// Raised by the database layer for every failure: a file that cannot be
// opened, a wrong password, a statement the engine rejects, a missing field.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace tolvi::db
