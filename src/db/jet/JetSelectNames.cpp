#include "JetSelectNames.h"

#include "JetFromClause.h"
#include "JetKeywords.h"

using namespace JetTokens;

namespace {

bool isPlainColumn(const Tokens& t, Range r) {
    QList<const Token*> solid;
    for (int i = r.begin; i < r.end; ++i)
        if (t[i].kind != Token::Space)
            solid.append(&t[i]);
    if (solid.size() == 1)
        return (solid[0]->isName() && !solid[0]->isWord("now")) || solid[0]->isPunct("*");
    if (solid.size() == 3 && solid[0]->isName() && solid[1]->isPunct("."))
        return solid[2]->isName() || solid[2]->isPunct("*");
    return false;
}

bool hasAlias(const Tokens& t, Range r, const QList<int>& depth, int level) {
    for (int i = r.begin; i < r.end; ++i)
        if (depth[i] == level && t[i].isWord("as"))
            return true;
    return false;
}

// A column is named as the statement writes it: "select NIF" gives NIF, whatever the table calls it.
QString columnName(const Token& name) {
    return bareName(name).replace(QLatin1Char('"'), QLatin1String("\"\""));
}

// Jet's DISTINCTROW drops rows that repeat every field of the tables read: over a single table no row
// does, and it keeps every row; over a join DISTINCT is its nearest reading.
void rewriteDistinctRow(Tokens& t, const QList<int>& depth, int word) {
    const QList<JetFromClause::SelectPart> parts = JetFromClause::selectParts(t, depth);
    const JetFromClause::FromClause from = JetFromClause::readFrom(t, depth, parts.first());
    if (from.plain && from.sources.size() == 1) {
        t[word].erase();
        if (word + 1 < t.size() && t[word + 1].kind == Token::Space)
            t[word + 1].erase();
    } else
        t[word].text = QStringLiteral("DISTINCT");
}

}  // namespace

void nameExpressionColumns(Tokens& t) {
    const QList<int> depth = depths(t);
    const int select = nextSolid(t, 0);
    if (select < 0 || !t[select].isWord("select"))
        return;
    int first = nextSolid(t, select + 1);
    if (first >= 0 &&
        (t[first].isWord("distinct") || t[first].isWord("all") || t[first].isWord("distinctrow"))) {
        if (t[first].isWord("distinctrow"))
            rewriteDistinctRow(t, depth, first);
        first = nextSolid(t, first + 1);
    }
    if (first < 0)
        return;
    const int level = depth[select];
    const QList<Range> items = splitList(t, depth, first, JetKeywords::endsSelectItem);
    for (qsizetype n = items.size() - 1; n >= 0; --n) {
        const Range item = items[n];
        if (hasAlias(t, item, depth, level))
            continue;
        const int last = previousSolid(t, item.end - 1);
        if (!isPlainColumn(t, item))
            t[last].after += QStringLiteral(" AS Expr%1").arg(1000 + n);
        else if (!t[last].isPunct("*"))
            t[last].after += QStringLiteral(" AS \"%1\"").arg(columnName(t[last]));
    }
}
