#pragma once

#include "JetTokens.h"

/**
 * CREATE TABLE t (c Text, ...): Jet's type names become SQLite's, text
 * without regard to case like the package's own tables, dates as their
 * stored text; a size such as Text(50) goes. Throws DbError for a type Jet
 * does not have.
 */
void rewriteCreateTable(JetTokens::Tokens& t);
