#pragma once

#include "DbError.h"

#include <QString>

/** Whether the file starts as an SQLite database does; it may still be damaged further in. */
bool startsAsSqliteDatabase(const QString& path);

/**
 * Throws DbError unless `path` is an existing file that starts as an SQLite
 * database: SQLite would take a missing or empty file for a new database and
 * write its own objects into it.
 */
void requireSqliteDatabaseFile(const QString& path);

/** The error for a file that is not a database. */
DbError notADatabase(const QString& path);
