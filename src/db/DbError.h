#pragma once

#include "base/MessageError.h"

/**
 * The one exception type of the database engine: it carries the message the
 * office reads, always Spanish, and SQLite's own text where SQLite failed.
 */
class DbError : public MessageError {
public:
    explicit DbError(QString message, QString engineText = {}, bool untranslated = false)
        : MessageError(std::move(message)),
          m_engineText(std::move(engineText)),
          m_untranslated(untranslated) {}

    /**
     * Builds the error from SQLite's own message, put in the words the office
     * reads; a message without a Spanish counterpart becomes «Error de la base
     * de datos.», and the English stays in engineText().
     */
    static DbError fromSqlite(const char* sqliteMessage);

    /**
     * A message of the program's own that SQLite is about to carry back, such
     * as a Jet function's refusal: fromSqlite gives it as it is.
     */
    static void expectOwnMessage(const QString& message);

    /** SQLite's own text, for a program's standard error; empty for the program's own errors. */
    const QString& engineText() const { return m_engineText; }
    /** Whether message() is the general one, for a failure that has no Spanish words of its own. */
    bool untranslated() const { return m_untranslated; }
    /** The name of a field that nothing holds, when SQLite failed for it; empty otherwise. */
    const QString& missingField() const { return m_missingField; }

private:
    QString m_engineText;
    QString m_missingField;
    bool m_untranslated;
};
