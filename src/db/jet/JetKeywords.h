#pragma once

#include "JetTokens.h"

/** The sets of Jet's words that the translation's passes look for. */
namespace JetKeywords {

/** WHERE, GROUP, HAVING and ORDER: the clauses that may follow FROM. */
bool startsClause(const JetTokens::Token& tok);
/** The words that end a select list: FROM, INTO, UNION and the clauses. */
bool endsSelectList(const JetTokens::Token& tok);
/** The words and punctuation that end an item of a select list: those and "," and ";". */
bool endsSelectItem(const JetTokens::Token& tok);
/** The words of a join: INNER, LEFT, RIGHT, FULL, OUTER, CROSS and JOIN. */
bool isJoinWord(const JetTokens::Token& tok);
/** The words of an expression that name no column. */
bool isOperatorWord(const JetTokens::Token& tok);
/** Whether the token at `i` ends a stretch of expression: a clause's word, a comma, LEFT JOIN... */
bool endsExpression(const JetTokens::Tokens& t, int i);

}  // namespace JetKeywords
