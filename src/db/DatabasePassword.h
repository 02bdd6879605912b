#pragma once

#include <QString>

class Database;

/**
 * A database's password: the "pwd=" item of a connect string. The database
 * keeps a salted hash of it, never the password itself.
 */
namespace DatabasePassword {

/** Throws DbError unless `connect` gives the password `db` carries; one that carries none opens with any. */
void check(Database& db, const QString& connect);
/** Gives `db`, which carries no password, the one of `connect`; nothing when it gives none. */
void store(Database& db, const QString& connect);

}  // namespace DatabasePassword
