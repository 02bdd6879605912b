#pragma once

#include "base/MessageError.h"

/** The one exception type of the database engine: it carries the engine's message. */
class DbError : public MessageError {
public:
    using MessageError::MessageError;

    /** Builds the error from SQLite's own message, put in the words the office reads. */
    static DbError fromSqlite(const char* sqliteMessage);
};
