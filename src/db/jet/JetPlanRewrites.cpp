#include "JetPlanRewrites.h"

#include "JetFromClause.h"
#include "JetKeywords.h"
#include "JetSchema.h"

#include <optional>

namespace JetPlanRewrites {
namespace {

using namespace JetTokens;
using namespace JetFromClause;

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
        } else if (level == 0 &&
                   (t[k].isWord("and") || t[k].isWord("or") || JetKeywords::startsClause(t[k]))) {
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
        if (!t[k].isName() || JetKeywords::isOperatorWord(t[k]))
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
    const QList<Range> terms = splitList(t, depth, by + 1, [](const Token& tok) {
        return JetKeywords::startsClause(tok) || tok.isWord("union") || tok.isPunct(";");
    });
    if (terms.size() < 2)
        return;
    const int firstComma = terms.first().end;
    const int termsEnd = terms.last().end;
    int keyEnd = 0;
    const std::optional<ColumnRef> key = columnAt(t, nextSolid(t, by + 1), keyEnd);
    const auto& [left, right] = from.innerEqualities.first();
    if (!key || key->qualifier.isEmpty() || nextSolid(t, keyEnd) != firstComma ||
        !(*key == left || *key == right))
        return;
    QString alias;
    const std::optional<ColumnFacts> facts = factsOf(*key, from, schema, &alias);
    if (!facts || !facts->primaryKey || !readsOnly(t, firstComma + 1, termsEnd, alias))
        return;
    // The inner join's equality leaves no Null key in a group.
    for (int i = firstComma; i < termsEnd; ++i)
        t[i].erase();
    t[firstComma] = {Token::Space, QStringLiteral(" ")};
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
