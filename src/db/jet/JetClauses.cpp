#include "JetClauses.h"

#include "db/functions/JetCollation.h"

using namespace JetTokens;

void refuseUnsupported(const Tokens& t) {
    for (int i = 0; i < t.size(); ++i) {
        const Token& tok = t[i];
        if (tok.isWord("transform") || tok.isWord("pivot") || tok.isWord("parameters"))
            fail(QStringLiteral("La cláusula %1 no está admitida en esta instrucción.")
                     .arg(tok.text.toUpper()));
        if (tok.isPunct(";") && nextSolid(t, i + 1) != -1)
            fail(QStringLiteral("Solo se admite una instrucción cada vez."));
    }
}

QString takeIntoTable(Tokens& t) {
    const QList<int> depth = depths(t);
    const int select = nextSolid(t, 0);
    if (select < 0 || !t[select].isWord("select"))
        return {};
    for (int i = select + 1; i < t.size(); ++i) {
        if (depth[i] != 0 || !t[i].isWord("into"))
            continue;
        const int name = nextSolid(t, i + 1);
        if (name < 0 || !t[name].isName() || t[name].isWord("from"))
            fail(QStringLiteral("Falta el nombre de la tabla tras INTO."));
        const QString table = bareName(t[name]);
        for (int k = i; k <= name; ++k)
            t[k].erase();
        return table;
    }
    return {};
}

void collateOrderBy(Tokens& t) {
    const QList<int> depth = depths(t);
    int order = -1;
    for (int i = 0; i < t.size(); ++i) {
        if (depth[i] != 0 || !t[i].isWord("order"))
            continue;
        const int by = nextSolid(t, i + 1);
        if (by >= 0 && t[by].isWord("by"))
            order = by;
    }
    if (order < 0)
        return;
    const QList<Range> terms =
        splitList(t, depth, order + 1, [](const Token& tok) { return tok.isPunct(";"); });
    for (const Range& term : terms) {
        int last = previousSolid(t, term.end - 1);
        if (last < term.begin)
            fail(QStringLiteral("Falta un campo en la cláusula ORDER BY."));
        if (t[last].isWord("asc") || t[last].isWord("desc"))
            last = previousSolid(t, last - 1);
        // A column position keeps its meaning under COLLATE, and so sorts as the column it names.
        t[last].after += QStringLiteral(" COLLATE ") + QLatin1String(kJetSortCollation);
    }
}

QString wholeSourceName(const Tokens& t) {
    QList<const Token*> solid;
    for (const Token& tok : t)
        if (tok.kind != Token::Space && !tok.isPunct(";"))
            solid.append(&tok);
    if (solid.size() != 4 || !solid[0]->isWord("select") || !solid[1]->isPunct("*") ||
        !solid[2]->isWord("from") || !solid[3]->isName() || !solid[3]->after.isEmpty())
        return {};
    return bareName(*solid[3]);
}
