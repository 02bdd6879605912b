#pragma once

#include <QString>

class JetSchema;

/** A Jet statement rewritten for SQLite. */
struct JetStatement {
    /** The SQLite text; for "select ... into T" the select alone, without the INTO clause. */
    QString sql;
    /** The table that a "select ... into" makes; empty for any other statement. */
    QString intoTable;
    /** The table or view that "select * [into T] from Name" reads whole; empty for any other statement. */
    QString wholeSource;
};

/**
 * Rewrites one statement of the Jet dialect into SQLite with the same meaning:
 * date literals, Now, isnull(), "delete *", "select ... into", Jet's Expr1000
 * column names, Jet's floating-point division, Jet's text order in ORDER BY,
 * Jet type names, True/False/Yes/No, Right() (a keyword of SQLite), Jet's own
 * operators (&, Mod, \, ^ and LIKE) and TOP n [PERCENT] with its ties. Throws
 * DbError for the forms it cannot give Jet's meaning and for malformed text.
 */
JetStatement translateJet(const QString& jet);
/**
 * The same, with the rewrites that use what `schema` says of the tables so
 * that SQLite can answer faster (JetPlanRewrites); the rows stay the same.
 */
JetStatement translateJet(const QString& jet, const JetSchema& schema);
