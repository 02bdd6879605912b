#include "JetTop.h"

using namespace JetTokens;

std::optional<TopClause> takeTop(Tokens& t) {
    const QList<int> depth = depths(t);
    int top = -1;
    for (int i = 0; i < t.size(); ++i)
        if (t[i].isWord("top")) {
            if (top >= 0 || depth[i] != 0)
                fail(QStringLiteral("La cláusula TOP solo se admite en la consulta principal."));
            top = i;
        }
    if (top < 0)
        return std::nullopt;
    const int select = nextSolid(t, 0);
    int before = previousSolid(t, top - 1);
    if (isWordAt(t, before, "distinct") || isWordAt(t, before, "distinctrow") || isWordAt(t, before, "all"))
        before = previousSolid(t, before - 1);
    if (before != select || !t[select].isWord("select"))
        fail(QStringLiteral("La cláusula TOP solo se admite en la consulta principal."));
    for (int i = 0; i < t.size(); ++i)
        if (depth[i] == 0 && t[i].isWord("union"))
            fail(QStringLiteral("La cláusula TOP no está admitida en una consulta de unión."));
    const int number = nextSolid(t, top + 1);
    TopClause clause;
    bool whole = false;
    if (number >= 0 && t[number].kind == Token::Number)
        clause.count = t[number].text.toLongLong(&whole);
    const int percent = nextSolid(t, number + 1);
    clause.percent = isWordAt(t, percent, "percent");
    if (!whole || clause.count <= 0 || (clause.percent && clause.count > 100))
        fail(QStringLiteral("La cláusula TOP necesita un número entero positivo (hasta 100 con PERCENT)."));
    for (int i = top; i <= (clause.percent ? percent : number); ++i)
        t[i].erase();
    return clause;
}

// Under ORDER BY the rows kept are those whose rank by the same keys is at most n (or at most the
// rounded-up share of all rows, for PERCENT), and so the LIMIT is their number.
void limitToTop(Tokens& t, const TopClause& top) {
    const QList<int> depth = depths(t);
    int end = static_cast<int>(t.size());
    int from = -1;
    int order = -1;
    for (int i = 0; i < end; ++i) {
        if (depth[i] != 0)
            continue;
        if (t[i].isPunct(";"))
            end = i;
        else if (from < 0 && t[i].isWord("from"))
            from = i;
        else if (t[i].isWord("order") && isWordAt(t, nextSolid(t, i + 1), "by"))
            order = i;
    }
    const QString rows = QString::number(top.count);
    QString limit;
    if (order < 0) {
        limit =
            top.percent
                ? QStringLiteral("(SELECT (count(*) * %1 + 99) / 100 FROM (%2))").arg(rows, joined(t, 0, end))
                : rows;
    } else {
        const int first = nextSolid(t, 0);
        const int second = nextSolid(t, first + 1);
        if (t[second].isWord("distinct"))
            fail(QStringLiteral(
                "La cláusula TOP con DISTINCT y ORDER BY no está admitida en esta instrucción."));
        const QString keys = joined(t, nextSolid(t, order + 1) + 1, end);
        const QString body = from < 0 ? QString() : joined(t, from, order);
        limit =
            QStringLiteral(
                "(SELECT count(*) FROM (SELECT RANK() OVER (ORDER BY %1) AS jet_rank, "
                "count(*) OVER () AS jet_rows %2) WHERE jet_rank <= %3)")
                .arg(keys, body, top.percent ? QStringLiteral("(jet_rows * %1 + 99) / 100").arg(rows) : rows);
    }
    t[previousSolid(t, end - 1)].after += QStringLiteral(" LIMIT ") + limit;
}
