#pragma once

#include <QString>
#include <exception>

/** The one exception type of the database engine: it carries the engine's message. */
class DbError : public std::exception {
public:
    explicit DbError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

    /** Builds the error from SQLite's own message, put in the words the office reads. */
    static DbError fromSqlite(const char* sqliteMessage);

private:
    QString m_message;
    QByteArray m_utf8;
};
