#pragma once

struct sqlite3;

/**
 * Registers on a connection the functions of Jet's expression service that
 * the package's statements and the queries of office databases use and
 * SQLite lacks or defines otherwise, each with Jet's meaning, Null included:
 * text (TextFunctions), numbers (NumberFunctions), dates (DateFunctions),
 * Format, the functions behind Jet's operators & Mod \ ^ and LIKE
 * (OperatorFunctions), the aggregates First, Last, StDev and Var; and the
 * collation with which ORDER BY sorts text as Jet does (JetCollation).
 */
void registerJetFunctions(sqlite3* db);
