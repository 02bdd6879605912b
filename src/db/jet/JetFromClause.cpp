#include "JetFromClause.h"

#include "JetKeywords.h"

namespace JetFromClause {

using namespace JetTokens;

QList<SelectPart> selectParts(const Tokens& t, const QList<int>& depth) {
    QList<SelectPart> parts;
    int begin = 0;
    for (int i = 0; i < t.size(); ++i)
        if (depth[i] == 0 && (t[i].isWord("union") || t[i].isPunct(";"))) {
            parts.append({begin, i});
            begin = i + 1;
        }
    parts.append({begin, static_cast<int>(t.size())});
    return parts;
}

int findWord(const Tokens& t, const QList<int>& depth, SelectPart part, const char* word) {
    for (int i = part.begin; i < part.end; ++i)
        if (depth[i] == 0 && t[i].isWord(word))
            return i;
    return -1;
}

QList<bool> insideSubqueries(const Tokens& t) {
    QList<bool> inside(t.size(), false);
    QList<bool> open;  // per open parenthesis: whether it holds a subquery
    for (int i = 0; i < t.size(); ++i) {
        if (t[i].isPunct(")") && !open.isEmpty())
            open.removeLast();
        inside[i] = open.contains(true);
        if (t[i].isPunct("("))
            open.append(isWordAt(t, nextSolid(t, i + 1), "select"));
    }
    return inside;
}

std::optional<ColumnRef> columnAt(const Tokens& t, int i, int& end) {
    if (i < 0 || !t[i].isName())
        return std::nullopt;
    const int dot = nextSolid(t, i + 1);
    if (dot >= 0 && t[dot].isPunct(".")) {
        const int name = nextSolid(t, dot + 1);
        if (name < 0 || !t[name].isName())
            return std::nullopt;
        end = name + 1;
        return ColumnRef{bareName(t[i]), bareName(t[name])};
    }
    end = i + 1;
    return ColumnRef{QString(), bareName(t[i])};
}

namespace {

// The condition of an ON, up to the next join, comma or closing parenthesis;
// returns where it ends. An inner join on "x.a = y.b" gives an equality.
int readOn(const Tokens& t, int on, int end, bool outer, FromClause& from) {
    int level = 0;
    QList<int> solid;
    int i = nextSolid(t, on + 1);
    for (; i >= 0 && i < end; i = nextSolid(t, i + 1)) {
        if (t[i].isPunct("("))
            ++level;
        else if (t[i].isPunct(")") && level-- == 0)
            break;
        else if (level == 0 &&
                 (JetKeywords::isJoinWord(t[i]) || t[i].isPunct(",") || JetKeywords::startsClause(t[i])))
            break;
        solid.append(i);
    }
    if (!outer && solid.size() == 7 && t[solid[3]].isPunct("=")) {
        int columnEnd = 0;
        const auto left = columnAt(t, solid[0], columnEnd);
        const auto right = columnAt(t, solid[4], columnEnd);
        if (left && right && !left->qualifier.isEmpty() && !right->qualifier.isEmpty())
            from.innerEqualities.append({*left, *right});
    }
    return i < 0 ? end : i;
}

}  // namespace

FromClause readFrom(const Tokens& t, const QList<int>& depth, SelectPart part) {
    FromClause from;
    const int start = findWord(t, depth, part, "from");
    if (start < 0) {
        from.plain = false;
        return from;
    }
    bool outer = false;
    int i = nextSolid(t, start + 1);
    while (i >= 0 && i < part.end && !(depth[i] == 0 && JetKeywords::startsClause(t[i]))) {
        const Token& tok = t[i];
        if (tok.isPunct("(") && isWordAt(t, nextSolid(t, i + 1), "select")) {
            from.plain = false;
            return from;
        }
        if (tok.isWord("on")) {
            i = readOn(t, i, part.end, outer, from);
            outer = false;
            continue;
        }
        if (tok.isWord("left") || tok.isWord("right") || tok.isWord("full"))
            outer = true;
        if (tok.isName() && !JetKeywords::isJoinWord(tok)) {
            Source source{bareName(tok), bareName(tok)};
            int next = nextSolid(t, i + 1);
            if (isWordAt(t, next, "as"))
                next = nextSolid(t, next + 1);
            if (next >= 0 && next < part.end && t[next].isName() && !JetKeywords::isJoinWord(t[next]) &&
                !JetKeywords::startsClause(t[next]) && !t[next].isWord("on")) {
                source.alias = bareName(t[next]);
                next = nextSolid(t, next + 1);
            }
            from.sources.append(source);
            i = next;
            continue;
        }
        if (!tok.isPunct("(") && !tok.isPunct(")") && !tok.isPunct(",") && !JetKeywords::isJoinWord(tok)) {
            from.plain = false;
            return from;
        }
        i = nextSolid(t, i + 1);
    }
    return from;
}

}  // namespace JetFromClause
