#include "JetKeywords.h"

#include <initializer_list>

namespace JetKeywords {

using JetTokens::Token;

namespace {

bool isAnyOf(const Token& tok, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (tok.isWord(word))
            return true;
    return false;
}

}  // namespace

bool startsClause(const Token& tok) {
    return isAnyOf(tok, {"where", "group", "having", "order"});
}

bool endsSelectList(const Token& tok) {
    return startsClause(tok) || isAnyOf(tok, {"from", "into", "union"});
}

bool endsSelectItem(const Token& tok) {
    return endsSelectList(tok) || tok.isPunct(";");
}

bool isJoinWord(const Token& tok) {
    return isAnyOf(tok, {"inner", "left", "right", "full", "outer", "cross", "join"});
}

bool isOperatorWord(const Token& tok) {
    return isAnyOf(tok, {"not", "is", "null", "and", "or", "in", "between", "like", "case", "when", "then",
                         "else", "end", "true", "false", "yes", "no"});
}

bool endsExpression(const JetTokens::Tokens& t, int i) {
    const Token& tok = t[i];
    if (tok.isPunct(",") || tok.isPunct(";") || endsSelectList(tok) ||
        isAnyOf(tok, {"select", "distinct", "distinctrow", "by", "as", "on", "join", "inner", "outer",
                      "values", "set", "asc", "desc", "all"}))
        return true;
    if (tok.isWord("left") || tok.isWord("right")) {  // not the functions Left() and Right()
        const int next = JetTokens::nextSolid(t, i + 1);
        return next >= 0 && (t[next].isWord("join") || t[next].isWord("outer"));
    }
    return false;
}

}  // namespace JetKeywords
