#pragma once

#include "JetTokens.h"

/**
 * Names the columns of the statement's first select as Jet does: SQLite
 * would name an unnamed expression column by its text, Jet names it "Expr" +
 * (1000 + its position), and a plain column by the name the statement
 * writes. DISTINCTROW goes over a single table, where it keeps every row,
 * and becomes DISTINCT over several. The names go behind each item's last
 * token, so the items' tokens must be final but for what is appended.
 */
void nameExpressionColumns(JetTokens::Tokens& t);
