#pragma once

#include "JetTokens.h"

#include <optional>

/**
 * A reading of the FROM clause of each select of a statement, for rewrites
 * that must know which tables a column may belong to.
 */
namespace JetFromClause {

/** One select of a statement: the tokens between the UNIONs. */
using SelectPart = JetTokens::Range;

/** A table of a FROM and the name the statement gives it. */
struct Source {
    QString table;
    QString alias;
};

/** A column as the statement names it. */
struct ColumnRef {
    QString qualifier;  // empty when the statement does not name the table
    QString name;

    bool operator==(const ColumnRef& other) const {
        return qualifier.compare(other.qualifier, Qt::CaseInsensitive) == 0 &&
               name.compare(other.name, Qt::CaseInsensitive) == 0;
    }
};

/**
 * The tables of a select's FROM and the equalities of its inner joins; not
 * plain when it holds a subquery or a form this reading does not know.
 */
struct FromClause {
    QList<Source> sources;
    QList<std::pair<ColumnRef, ColumnRef>> innerEqualities;
    bool plain = true;
};

/** The selects of a statement, at depth 0. */
QList<SelectPart> selectParts(const JetTokens::Tokens& t, const QList<int>& depth);
/** The first `word` at depth 0 in `part`; -1 if none. */
int findWord(const JetTokens::Tokens& t, const QList<int>& depth, SelectPart part, const char* word);
/** Whether each token lies inside a parenthesised subquery. */
QList<bool> insideSubqueries(const JetTokens::Tokens& t);
/** "name" or "qualifier.name" at `i`; `end` gets the index past it. */
std::optional<ColumnRef> columnAt(const JetTokens::Tokens& t, int i, int& end);
/** The FROM clause of `part`. */
FromClause readFrom(const JetTokens::Tokens& t, const QList<int>& depth, SelectPart part);

}  // namespace JetFromClause
