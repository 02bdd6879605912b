#pragma once

#include <QString>
#include <exception>

/** A declaration record or file that cannot be made as the agency's layout asks. */
class RecordError : public std::exception {
public:
    explicit RecordError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
