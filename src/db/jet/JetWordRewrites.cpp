#include "JetWordRewrites.h"

using namespace JetTokens;

void rewriteJetWords(Tokens& t) {
    for (int i = 0; i < t.size(); ++i) {
        Token& tok = t[i];
        const int next = nextSolid(t, i + 1);
        const int prev = previousSolid(t, i - 1);
        const bool qualified = prev >= 0 && t[prev].isPunct(".");
        const bool called = next >= 0 && t[next].isPunct("(");
        if (tok.isWord("now") && !qualified && !called) {
            tok.text += QLatin1String("()");
        } else if (tok.isWord("isnull") && !qualified && called) {
            // The parentheses the rewrite adds stand outside the punctuation, so that TOP's pass, after
            // this one, still finds the statement's own ones balanced.
            const int close = matchingParen(t, next);
            t[close].after.prepend(QStringLiteral(" IS NULL)"));
            tok.text = QStringLiteral("(");
        } else if (tok.isWord("right") && !qualified && called) {
            tok = {Token::Identifier, QStringLiteral("\"Right\"")};
        } else if ((tok.isWord("true") || tok.isWord("yes")) && !qualified) {
            tok = {Token::Number, QStringLiteral("-1")};
        } else if ((tok.isWord("false") || tok.isWord("no")) && !qualified) {
            tok = {Token::Number, QStringLiteral("0")};
        } else if (tok.isPunct("/")) {
            tok.text = QStringLiteral("*1.0/");
        } else if (tok.isPunct("*") && prev >= 0 && t[prev].isWord("delete")) {
            tok.erase();
        }
    }
}
