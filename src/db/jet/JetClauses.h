#pragma once

#include "JetTokens.h"

/** Throws DbError for TRANSFORM, PIVOT and PARAMETERS, and for more than one statement. */
void refuseUnsupported(const JetTokens::Tokens& t);

/**
 * Takes "INTO T" out of a "select ... into T" and gives T; nothing for any
 * other statement. The select that remains gives the new table's rows.
 */
QString takeIntoTable(JetTokens::Tokens& t);

/** ORDER BY sorts text as Jet does: each term gets the collation behind its last token. */
void collateOrderBy(JetTokens::Tokens& t);

/** The table or view that "select * from Name" reads whole; nothing for any other statement. */
QString wholeSourceName(const JetTokens::Tokens& t);
