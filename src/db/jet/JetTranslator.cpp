#include "JetTranslator.h"

#include "JetClauses.h"
#include "JetCreateTable.h"
#include "JetOperatorRewriter.h"
#include "JetPlanRewrites.h"
#include "JetSelectNames.h"
#include "JetTokens.h"
#include "JetTop.h"
#include "JetWordRewrites.h"

#include <optional>

namespace {

using namespace JetTokens;

// The passes, in their order. Each one reads the tokens as the passes before it left them; beside
// each, what it needs of them.
JetStatement translate(const QString& jet, const JetSchema* schema) {
    // From here on Jet's date literals and double-quoted texts are SQLite text literals.
    Tokens tokens = tokenize(jet);
    if (nextSolid(tokens, 0) < 0)
        fail(QStringLiteral("La instrucción está vacía."));
    // The statement as written.
    refuseUnsupported(tokens);
    // Before any pass reads the select list: TOP n stands in the list's first item.
    const std::optional<TopClause> top = takeTop(tokens);
    if (schema) {
        // On the expressions as Jet writes them, before the word rewrites: "Year(Now) - 1" is read
        // with a bare Now.
        JetPlanRewrites::boundYearFilters(tokens, *schema);
        JetPlanRewrites::groupByJoinedKey(tokens, *schema);
    }
    // On the statement's own parentheses and signs: before the word rewrites add parentheses that do
    // not count as punctuation and turn "/" into "*1.0/".
    tokens = rewriteJetOperators(tokens);
    JetStatement result;
    // Reads only the words at depth 0, which no pass before it moves.
    result.intoTable = takeIntoTable(tokens);
    // After the operator rewriter, which copies the tokens it rewrites and would carry a name appended
    // to them into its calls; before the word rewrites, since a bare Now names no column.
    nameExpressionColumns(tokens);
    // After the operator rewriter, for the same reason as the names.
    collateOrderBy(tokens);
    // Jet's type names as written; no other pass reads a CREATE TABLE.
    rewriteCreateTable(tokens);
    // After every pass that appends to a token: isnull's closing goes before what they appended.
    rewriteJetWords(tokens);
    // Last: the LIMIT holds a copy of the finished statement.
    if (top)
        limitToTop(tokens, *top);
    result.sql = joined(tokens, 0, static_cast<int>(tokens.size()));
    // On the finished statement.
    result.wholeSource = wholeSourceName(tokens);
    return result;
}

}  // namespace

JetStatement translateJet(const QString& jet) {
    return translate(jet, nullptr);
}

JetStatement translateJet(const QString& jet, const JetSchema& schema) {
    return translate(jet, &schema);
}
