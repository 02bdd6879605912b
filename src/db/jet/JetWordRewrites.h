#pragma once

#include "JetTokens.h"

/**
 * The rewrites of single words and signs, which keep the shape of the
 * statement: bare Now becomes a call; isnull(x) becomes ((x) IS NULL), since
 * SQLite's ISNULL is a postfix operator; Right( is quoted, since SQLite takes
 * the word for RIGHT JOIN; True and Yes become -1, False and No 0; "/"
 * divides as floating point; "delete * from" loses its "*".
 *
 * The parentheses of the isnull rewrite stand outside the tokens'
 * punctuation, before anything an earlier pass appended to the closing one.
 */
void rewriteJetWords(JetTokens::Tokens& t);
