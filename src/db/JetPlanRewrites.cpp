#include "JetPlanRewrites.h"

#include "JetSchema.h"

#include <optional>

namespace JetPlanRewrites {
namespace {

using namespace JetTokens;

// One select of a statement: the tokens [begin, end) between the UNIONs.
struct SelectPart {
    int begin;
    int end;
};

struct Source {
    QString table;
    QString alias;
};

struct ColumnRef {
    QString qualifier;  // empty when the statement does not name the table
    QString name;

    bool operator==(const ColumnRef& other) const {
        return qualifier.compare(other.qualifier, Qt::CaseInsensitive) == 0 &&
               name.compare(other.name, Qt::CaseInsensitive) == 0;
    }
};

// The tables of a select's FROM and the equalities of its inner joins; not
// plain when it holds a subquery or a form this reading does not know.
struct FromClause {
    QList<Source> sources;
    QList<std::pair<ColumnRef, ColumnRef>> innerEqualities;
    bool plain = true;
};

bool isClauseWord(const Token& tok) {
    return tok.isWord("where") || tok.isWord("group") || tok.isWord("having") || tok.isWord("order");
}

bool isJoinWord(const Token& tok) {
    return tok.isWord("inner") || tok.isWord("left") || tok.isWord("right") || tok.isWord("full") ||
           tok.isWord("outer") || tok.isWord("cross") || tok.isWord("join");
}

// Words of an expression that name no column.
bool isOperatorWord(const Token& tok) {
    static const char* const kWords[] = {"not",     "is",   "null",  "and",  "or",   "in",
                                         "between", "like", "case",  "when", "then", "else",
                                         "end",     "true", "false", "yes",  "no"};
    for (const char* word : kWords)
        if (tok.isWord(word))
            return true;
    return false;
}

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

// Whether each token lies inside a parenthesised subquery.
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

// "name" or "qualifier.name" at i; `end` gets the index past it.
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
        else if (level == 0 && (isJoinWord(t[i]) || t[i].isPunct(",") || isClauseWord(t[i])))
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

FromClause readFrom(const Tokens& t, const QList<int>& depth, SelectPart part) {
    FromClause from;
    const int start = findWord(t, depth, part, "from");
    if (start < 0) {
        from.plain = false;
        return from;
    }
    bool outer = false;
    int i = nextSolid(t, start + 1);
    while (i >= 0 && i < part.end && !(depth[i] == 0 && isClauseWord(t[i]))) {
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
        if (tok.isName() && !isJoinWord(tok)) {
            Source source{bareName(tok), bareName(tok)};
            int next = nextSolid(t, i + 1);
            if (isWordAt(t, next, "as"))
                next = nextSolid(t, next + 1);
            if (next >= 0 && next < part.end && t[next].isName() && !isJoinWord(t[next]) &&
                !isClauseWord(t[next]) && !t[next].isWord("on")) {
                source.alias = bareName(t[next]);
                next = nextSolid(t, next + 1);
            }
            from.sources.append(source);
            i = next;
            continue;
        }
        if (!tok.isPunct("(") && !tok.isPunct(")") && !tok.isPunct(",") && !isJoinWord(tok)) {
            from.plain = false;
            return from;
        }
        i = nextSolid(t, i + 1);
    }
    return from;
}

// The table a column belongs to, and what the schema knows of it.
std::optional<ColumnFacts> factsOf(const ColumnRef& column, const FromClause& from, const JetSchema& schema,
                                   QString* alias = nullptr) {
    std::optional<ColumnFacts> found;
    for (const Source& source : from.sources) {
        if (!column.qualifier.isEmpty() && source.alias.compare(column.qualifier, Qt::CaseInsensitive) != 0)
            continue;
        const std::optional<ColumnFacts> facts = schema.column(source.table, column.name);
        if (!facts)
            continue;
        if (found)
            return std::nullopt;  // ambiguous
        found = facts;
        if (alias)
            *alias = source.alias;
    }
    return found;
}

bool isConstantToken(const Token& tok) {
    return tok.kind == Token::Number || tok.kind == Token::Param || tok.isPunct("+") || tok.isPunct("-") ||
           tok.isWord("year") || tok.isWord("now") || tok.isWord("date");
}

struct Replacement {
    int begin;
    int end;
    QString text;
};

// Year(col) = E at `year`, as the filter and the range of texts that start with E's year.
std::optional<Replacement> yearBound(const Tokens& t, int year, int end, const FromClause& from,
                                     const JetSchema& schema) {
    const int before = previousSolid(t, year - 1);
    if (before < 0 || !(t[before].isWord("where") || t[before].isWord("and") || t[before].isWord("or") ||
                        t[before].isWord("not") || t[before].isWord("on") || t[before].isWord("having") ||
                        t[before].isPunct("(")))
        return std::nullopt;
    const int open = nextSolid(t, year + 1);
    if (open < 0 || !t[open].isPunct("("))
        return std::nullopt;
    const int close = matchingParen(t, open);
    int columnEnd = 0;
    const int columnStart = nextSolid(t, open + 1);
    const std::optional<ColumnRef> column = columnAt(t, columnStart, columnEnd);
    if (!column || nextSolid(t, columnEnd) != close)
        return std::nullopt;
    const int equals = nextSolid(t, close + 1);
    if (equals < 0 || !t[equals].isPunct("="))
        return std::nullopt;
    int level = 0;
    int last = -1;
    for (int k = nextSolid(t, equals + 1); k >= 0 && k < end; k = nextSolid(t, k + 1)) {
        if (t[k].isPunct("(")) {
            ++level;
        } else if (t[k].isPunct(")")) {
            if (level-- == 0)
                break;
        } else if (level == 0 && (t[k].isWord("and") || t[k].isWord("or") || isClauseWord(t[k]))) {
            break;
        } else if (!isConstantToken(t[k])) {
            return std::nullopt;
        }
        last = k;
    }
    if (last < 0 || level > 0)
        return std::nullopt;
    const std::optional<ColumnFacts> facts = factsOf(*column, from, schema);
    if (!facts || !facts->plainText)
        return std::nullopt;
    // Every text whose Year() is E starts with E's four digits and "-"; "." follows "-".
    const QString name = joined(t, columnStart, columnEnd);
    const QString constant = QLatin1Char('(') + joined(t, equals + 1, last + 1) + QLatin1Char(')');
    return Replacement{year, last + 1,
                       QLatin1Char('(') + joined(t, year, equals + 1) + QLatin1Char(' ') + constant +
                           QStringLiteral(" AND ") + name + QStringLiteral(" >= printf('%04d-', ") +
                           constant + QStringLiteral(") AND ") + name +
                           QStringLiteral(" < printf('%04d.', ") + constant + QStringLiteral("))")};
}

// Whether the expression [begin, end) reads no column but those of `alias`.
bool readsOnly(const Tokens& t, int begin, int end, const QString& alias) {
    for (int k = nextSolid(t, begin); k >= 0 && k < end; k = nextSolid(t, k + 1)) {
        if (t[k].isWord("select"))
            return false;
        if (!t[k].isName() || isOperatorWord(t[k]))
            continue;
        const int next = nextSolid(t, k + 1);
        if (next >= 0 && next < end && t[next].isPunct("("))
            continue;  // a function
        if (next < 0 || next >= end || !t[next].isPunct(".") ||
            bareName(t[k]).compare(alias, Qt::CaseInsensitive) != 0)
            return false;
        k = nextSolid(t, next + 1);
        if (k < 0)
            return false;
    }
    return true;
}

void groupPartByJoinedKey(Tokens& t, const QList<int>& depth, SelectPart part, const JetSchema& schema) {
    const FromClause from = readFrom(t, depth, part);
    if (!from.plain || from.sources.size() != 2 || from.innerEqualities.size() != 1 ||
        from.sources[0].alias.compare(from.sources[1].alias, Qt::CaseInsensitive) == 0)
        return;
    const int group = findWord(t, depth, part, "group");
    const int by = group < 0 ? -1 : nextSolid(t, group + 1);
    if (!isWordAt(t, by, "by"))
        return;
    QList<int> commas;
    int termsEnd = part.end;
    for (int i = by + 1; i < part.end; ++i) {
        if (depth[i] != 0)
            continue;
        if (isClauseWord(t[i])) {
            termsEnd = i;
            break;
        }
        if (t[i].isPunct(","))
            commas.append(i);
    }
    if (commas.isEmpty())
        return;
    int keyEnd = 0;
    const std::optional<ColumnRef> key = columnAt(t, nextSolid(t, by + 1), keyEnd);
    const auto& [left, right] = from.innerEqualities.first();
    if (!key || key->qualifier.isEmpty() || nextSolid(t, keyEnd) != commas.first() ||
        !(*key == left || *key == right))
        return;
    QString alias;
    const std::optional<ColumnFacts> facts = factsOf(*key, from, schema, &alias);
    if (!facts || !facts->primaryKey || !readsOnly(t, commas.first() + 1, termsEnd, alias))
        return;
    // The inner join's equality leaves no Null key in a group.
    for (int i = commas.first(); i < termsEnd; ++i)
        t[i].erase();
    t[commas.first()] = {Token::Space, QStringLiteral(" ")};
}

}  // namespace

void boundYearFilters(Tokens& t, const JetSchema& schema) {
    const QList<int> depth = depths(t);
    const QList<bool> nested = insideSubqueries(t);
    QList<Replacement> replacements;
    for (const SelectPart& part : selectParts(t, depth)) {
        const FromClause from = readFrom(t, depth, part);
        if (!from.plain)
            continue;
        for (int i = part.begin; i < part.end; ++i) {
            if (nested[i] || !t[i].isWord("year"))
                continue;
            if (const std::optional<Replacement> bound = yearBound(t, i, part.end, from, schema)) {
                replacements.append(*bound);
                i = bound->end - 1;
            }
        }
    }
    for (qsizetype n = replacements.size() - 1; n >= 0; --n) {
        const Replacement& r = replacements[n];
        t.remove(r.begin, r.end - r.begin);
        const Tokens text = tokenize(r.text);
        for (qsizetype k = text.size() - 1; k >= 0; --k)
            t.insert(r.begin, text[k]);
    }
}

void groupByJoinedKey(Tokens& t, const JetSchema& schema) {
    const QList<int> depth = depths(t);
    for (const SelectPart& part : selectParts(t, depth))
        groupPartByJoinedKey(t, depth, part, schema);
}

}  // namespace JetPlanRewrites
