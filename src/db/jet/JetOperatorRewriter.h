#pragma once

#include "JetTokens.h"

/**
 * Jet's own operators: & (Null as empty text), Mod, \ (integer division), ^
 * and LIKE with its wildcards have no SQLite twin of the same meaning and
 * precedence. Each stretch of an expression that uses one is rewritten by
 * Jet's precedence into calls of the functions behind them (JetConcat,
 * JetMod, JetIntDiv, JetPower, JetLike), every operation in parentheses.
 * The tokens are copied anew: what passes appended to a token goes with it.
 * Throws DbError for an expression it cannot read.
 */
JetTokens::Tokens rewriteJetOperators(const JetTokens::Tokens& t);
