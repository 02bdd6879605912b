#pragma once

struct sqlite3;

/** The collation that ORDER BY gets: case- and accent-insensitive, as Jet sorts text. */
inline constexpr const char* kJetSortCollation = "JETTEXT";

/**
 * Registers the collation on a connection. Texts equal but for case and
 * accents sort by their bytes, so that no two different texts are equal.
 * SQLite's own NOCASE is left alone: indexes that other programs built rely
 * on its order.
 */
void registerJetCollation(sqlite3* db);
