#pragma once

struct sqlite3;

/**
 * Registers on a connection the Jet functions that SQLite lacks (Now, Year,
 * left$, space) and the collation with which ORDER BY sorts text as Jet does.
 */
void registerJetFunctions(sqlite3* db);
