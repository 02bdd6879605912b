#pragma once

#include "JetTokens.h"

class JetSchema;

/**
 * Rewrites that keep every row and value a statement gives and let SQLite
 * give them faster: an index can then serve a filter, or a grouping need not
 * sort. They rely on what the schema says of the columns; a statement they do
 * not understand is left as it is.
 */
namespace JetPlanRewrites {

/**
 * Year(col) = E, where col holds plain text and E names no column (such as
 * Year(Now) - 1), is also bounded to the texts that start with that year,
 * which an index on col can seek.
 */
void boundYearFilters(JetTokens::Tokens& t, const JetSchema& schema);

/**
 * GROUP BY p.k, … over "p INNER JOIN a ON p.k = a.x", where k is p's primary
 * key and the other terms read only p, makes the same groups as GROUP BY p.k
 * alone: each group is one row of p. The rows then come in p.k's order
 * without a sort.
 */
void groupByJoinedKey(JetTokens::Tokens& t, const JetSchema& schema);

}  // namespace JetPlanRewrites
