#pragma once

#include "JetTokens.h"

#include <optional>

/** SELECT [DISTINCT] TOP n [PERCENT]: how many rows the statement keeps. */
struct TopClause {
    qlonglong count = 0;
    bool percent = false;
};

/**
 * Takes TOP n [PERCENT] out of the statement, which must be a single select
 * with TOP right after SELECT [DISTINCT]; throws DbError otherwise.
 */
std::optional<TopClause> takeTop(JetTokens::Tokens& t);

/**
 * Limits the statement to the rows TOP keeps: under ORDER BY, Jet keeps
 * every row tied with the last one kept. The LIMIT holds a copy of the
 * statement's text, which must therefore be final.
 */
void limitToTop(JetTokens::Tokens& t, const TopClause& top);
