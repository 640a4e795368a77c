#pragma once

#include <QString>

#include <stdexcept>

// An error of the table store, carrying the store's own message. It is not caught where it arises: the command
// that raised it is abandoned and the application's general error display shows the message.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
