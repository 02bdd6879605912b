#pragma once

#include <QString>

class Database;

/** The accounting package's schema, in SQLite's dialect: what a new accounting database is made from. */
QString accountingSchemaSql();

/**
 * The program's own index on the accounting entries: the Modelo 347
 * statements read TdApt by NIF and invoice date, and the index holds every
 * column they read, so that they never read the table itself. Made when no
 * index starts with its columns. Throws DbError, for a TdApt without them.
 */
void ensureEntriesIndex(Database& db);
