#pragma once

#include <QString>
#include <exception>

/** A failure that carries the message the user is shown. */
class MessageError : public std::exception {
public:
    explicit MessageError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
