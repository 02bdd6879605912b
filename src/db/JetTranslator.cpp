#include "JetTranslator.h"

#include "JetPlanRewrites.h"
#include "JetTokens.h"

#include <QList>

#include <optional>

namespace {

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

// Jet's own operators: & (Null as empty text), Mod, \ (integer division), ^
// and LIKE with its wildcards have no SQLite twin of the same meaning and
// precedence. A stretch of an expression that uses one is parsed by Jet's
// precedence and rewritten into calls of the Jet functions, every operation
// in parentheses; the rest of the statement is left as it is.
class OperatorRewriter {
public:
    explicit OperatorRewriter(const Tokens& tokens) : m_in(tokens) {}

    Tokens rewrite() {
        Tokens out;
        rewriteRange(0, static_cast<int>(m_in.size()), out);
        return out;
    }

private:
    struct Node {
        enum Kind { Leaf, Unary, Binary, Postfix } kind = Leaf;
        int begin = 0;  // Leaf: its tokens
        int end = 0;
        QString op;    // as Jet writes it, upper-cased
        QString tail;  // Postfix: "IS NULL", "IN", "BETWEEN"
        std::vector<Node> operands;
    };

    static bool isBoundary(const Tokens& t, int i) {
        static const char* const kWords[] = {"select", "distinct", "distinctrow", "from", "where",  "group",
                                             "by",     "having",   "order",       "as",   "on",     "join",
                                             "inner",  "outer",    "union",       "into", "values", "set",
                                             "asc",    "desc",     "all"};
        if (t[i].isPunct(",") || t[i].isPunct(";"))
            return true;
        for (const char* word : kWords)
            if (t[i].isWord(word))
                return true;
        if (t[i].isWord("left") || t[i].isWord("right")) {
            const int next = nextSolid(t, i + 1);
            return next >= 0 && (t[next].isWord("join") || t[next].isWord("outer"));
        }
        return false;
    }

    static bool isJetOperator(const Token& tok) {
        return tok.isPunct("&") || tok.isPunct("\\") || tok.isPunct("^") || tok.isWord("mod") ||
               tok.isWord("like");
    }

    int closing(int open) const { return matchingParen(m_in, open); }

    // Copies [begin, end), rewriting each stretch between boundaries that uses a Jet operator.
    void rewriteRange(int begin, int end, Tokens& out) {
        int segment = begin;
        for (int i = begin; i <= end; ++i) {
            if (i < end && m_in[i].isPunct("(")) {
                i = closing(i);
                continue;
            }
            if (i == end || isBoundary(m_in, i)) {
                rewriteSegment(segment, i, out);
                if (i < end)
                    out.append(m_in[i]);
                segment = i + 1;
            }
        }
    }

    void copyWithGroups(int begin, int end, Tokens& out) {
        for (int i = begin; i < end; ++i) {
            out.append(m_in[i]);
            if (m_in[i].isPunct("(")) {
                const int close = closing(i);
                rewriteRange(i + 1, close, out);
                out.append(m_in[close]);
                i = close;
            }
        }
    }

    void rewriteSegment(int begin, int end, Tokens& out) {
        bool usesJetOperator = false;
        for (int i = begin; i < end; ++i) {
            if (m_in[i].isPunct("("))
                i = closing(i);
            else
                usesJetOperator = usesJetOperator || isJetOperator(m_in[i]);
        }
        if (!usesJetOperator) {
            copyWithGroups(begin, end, out);
            return;
        }
        // Blanks around the stretch stay; inside it only its solid tokens count.
        int first = begin;
        while (first < end && m_in[first].kind == Token::Space)
            out.append(m_in[first++]);
        m_solid.clear();
        for (int i = first; i < end; ++i) {
            if (m_in[i].kind == Token::Space)
                continue;
            m_solid.push_back(i);
            if (m_in[i].isPunct("("))
                i = closing(i);
        }
        m_at = 0;
        const Node node = parse(0);
        if (m_at != m_solid.size())
            fail(QStringLiteral("Error de sintaxis cerca de '%1'.").arg(m_in[m_solid[m_at]].text));
        emit(node, out);
        int trailing = end;
        while (trailing > first && m_in[trailing - 1].kind == Token::Space)
            --trailing;
        for (int i = trailing; i < end; ++i)
            out.append(m_in[i]);
    }

    const Token* peek(size_t ahead = 0) const {
        return m_at + ahead < m_solid.size() ? &m_in[m_solid[m_at + ahead]] : nullptr;
    }

    // Jet's precedence, from the loosest: Or, And, Not, comparisons, &, + -, Mod, \, * /, unary -, ^.
    static int precedence(const Token& tok) {
        if (tok.isWord("or"))
            return 1;
        if (tok.isWord("and"))
            return 2;
        if (tok.isPunct("=") || tok.isPunct("<>") || tok.isPunct("<") || tok.isPunct(">") ||
            tok.isPunct("<=") || tok.isPunct(">=") || tok.isWord("like") || tok.isWord("is") ||
            tok.isWord("in") || tok.isWord("between") || tok.isWord("not"))
            return 4;
        if (tok.isPunct("&"))
            return 5;
        if (tok.isPunct("+") || tok.isPunct("-"))
            return 6;
        if (tok.isWord("mod"))
            return 7;
        if (tok.isPunct("\\"))
            return 8;
        if (tok.isPunct("*") || tok.isPunct("/"))
            return 9;
        if (tok.isPunct("^"))
            return 11;
        return 0;
    }

    Node leaf(int begin, int end) { return {Node::Leaf, begin, end, {}, {}, {}}; }

    Node primary() {
        const Token* tok = peek();
        if (!tok)
            fail(QStringLiteral("Falta un operando en la expresión."));
        if (tok->isWord("not")) {
            ++m_at;
            return {Node::Unary, 0, 0, QStringLiteral("NOT"), {}, {parse(3)}};
        }
        if (tok->isPunct("-") || tok->isPunct("+")) {
            ++m_at;
            return {Node::Unary, 0, 0, tok->text, {}, {parse(10)}};
        }
        const int begin = m_solid[m_at++];
        if (m_in[begin].isPunct("("))
            return leaf(begin, closing(begin) + 1);
        int end = begin + 1;
        while (peek() && peek()->isPunct(".") && m_at + 1 < m_solid.size()) {  // a qualified name
            m_at += 2;
            end = m_solid[m_at - 1] + 1;
        }
        if (m_in[begin].isName() && peek() && peek()->isPunct("("))  // a function with its arguments
            end = closing(m_solid[m_at++]) + 1;
        return leaf(begin, end);
    }

    Node parse(int minimum) {
        Node left = primary();
        while (const Token* tok = peek()) {
            const int level = precedence(*tok);
            if (level == 0 || level < minimum)
                break;
            ++m_at;
            if (tok->isWord("is")) {
                const bool negated = peek() && peek()->isWord("not");
                if (negated)
                    ++m_at;
                if (!peek() || !peek()->isWord("null"))
                    fail(QStringLiteral("Se esperaba NULL tras IS."));
                ++m_at;
                left = {Node::Postfix,
                        0,
                        0,
                        {},
                        negated ? QStringLiteral("IS NOT NULL") : QStringLiteral("IS NULL"),
                        {left}};
                continue;
            }
            QString op = tok->text.toUpper();
            if (tok->isWord("not")) {  // NOT LIKE, NOT IN, NOT BETWEEN
                if (!peek())
                    fail(QStringLiteral("Falta un operando en la expresión."));
                op = QStringLiteral("NOT ") + peek()->text.toUpper();
                ++m_at;
            }
            if (op.endsWith(QLatin1String("BETWEEN"))) {
                Node low = parse(5);
                if (!peek() || !peek()->isWord("and"))
                    fail(QStringLiteral("Falta AND en BETWEEN."));
                ++m_at;
                Node high = parse(5);
                left = {Node::Postfix, 0, 0, op, {}, {left, low, high}};
                continue;
            }
            // ^ groups to the left in Jet, as every other operator does.
            Node right = parse(level + 1);
            left = {Node::Binary, 0, 0, op, {}, {left, right}};
        }
        return left;
    }

    static Token word(const QString& text) { return {Token::Word, text}; }
    static Token punct(const char* text) { return {Token::Punct, QString::fromLatin1(text)}; }
    static Token space() { return {Token::Space, QStringLiteral(" ")}; }

    void call(const char* function, const Node& a, const Node& b, Tokens& out) {
        out.append(word(QString::fromLatin1(function)));
        out.append(punct("("));
        emit(a, out);
        out.append(punct(","));
        out.append(space());
        emit(b, out);
        out.append(punct(")"));
    }

    void emit(const Node& node, Tokens& out) {
        switch (node.kind) {
            case Node::Leaf:
                copyWithGroups(node.begin, node.end, out);
                return;
            case Node::Unary:
                out.append(word(node.op));
                out.append(space());
                emit(node.operands[0], out);
                return;
            case Node::Postfix:
                out.append(punct("("));
                emit(node.operands[0], out);
                out.append(space());
                if (!node.tail.isEmpty()) {
                    out.append(word(node.tail));
                } else {  // [NOT] BETWEEN low AND high
                    out.append(word(node.op));
                    out.append(space());
                    emit(node.operands[1], out);
                    out.append(word(QStringLiteral(" AND ")));
                    emit(node.operands[2], out);
                }
                out.append(punct(")"));
                return;
            case Node::Binary:
                break;
        }
        const Node& a = node.operands[0];
        const Node& b = node.operands[1];
        if (node.op == QLatin1String("&"))
            return call("JetConcat", a, b, out);
        if (node.op == QLatin1String("MOD"))
            return call("JetMod", a, b, out);
        if (node.op == QLatin1String("\\"))
            return call("JetIntDiv", a, b, out);
        if (node.op == QLatin1String("^"))
            return call("JetPower", a, b, out);
        if (node.op == QLatin1String("LIKE") || node.op == QLatin1String("NOT LIKE")) {
            if (node.op.startsWith(QLatin1String("NOT")))
                out.append(word(QStringLiteral("NOT ")));
            return call("JetLike", a, b, out);
        }
        out.append(punct("("));
        emit(a, out);
        out.append(space());
        out.append(node.op.size() > 2 || node.op[0].isLetter() ? word(node.op)
                                                               : Token{Token::Punct, node.op});
        out.append(space());
        emit(b, out);
        out.append(punct(")"));
    }

    const Tokens& m_in;
    std::vector<int> m_solid;
    size_t m_at = 0;
};

// Word-level rewrites that keep the shape of the statement.
void rewriteExpressions(Tokens& t) {
    for (int i = 0; i < t.size(); ++i) {
        Token& tok = t[i];
        const int next = nextSolid(t, i + 1);
        const int prev = previousSolid(t, i - 1);
        const bool qualified = prev >= 0 && t[prev].isPunct(".");
        const bool called = next >= 0 && t[next].isPunct("(");
        if (tok.isWord("now") && !qualified && !called) {
            tok.text += QLatin1String("()");
        } else if (tok.isWord("isnull") && !qualified && called) {
            // isnull(x) becomes ((x) IS NULL): SQLite's ISNULL is a postfix operator. The parentheses
            // that the rewrite adds stand outside the punctuation, so later passes, such as TOP's, still
            // find the statement's own ones balanced.
            const int close = matchingParen(t, next);
            t[close].after.prepend(QStringLiteral(" IS NULL)"));
            tok.text = QStringLiteral("(");
        } else if (tok.isWord("right") && !qualified && called) {
            // Jet's Right(); in SQLite the word is taken for RIGHT JOIN unless quoted.
            tok = {Token::Identifier, QStringLiteral("\"Right\"")};
        } else if ((tok.isWord("true") || tok.isWord("yes")) && !qualified) {
            tok = {Token::Number, QStringLiteral("-1")};
        } else if ((tok.isWord("false") || tok.isWord("no")) && !qualified) {
            tok = {Token::Number, QStringLiteral("0")};
        } else if (tok.isPunct("/")) {
            // Jet divides as floating point whatever the operands.
            tok.text = QStringLiteral("*1.0/");
        } else if (tok.isPunct("*") && prev >= 0 && t[prev].isWord("delete")) {
            tok.erase();
        }
    }
}

struct Range {
    int begin;
    int end;  // one past the last token
};

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

// Jet names an unnamed expression column "Expr" + (1000 + its position); SQLite
// would name it by its text. Only the first select of a statement names the columns.
void nameExpressionColumns(Tokens& t, const QList<int>& depth) {
    const int select = nextSolid(t, 0);
    if (select < 0 || !t[select].isWord("select"))
        return;
    int first = nextSolid(t, select + 1);
    if (first >= 0 &&
        (t[first].isWord("distinct") || t[first].isWord("all") || t[first].isWord("distinctrow"))) {
        if (t[first].isWord("distinctrow"))
            t[first].text = QStringLiteral("DISTINCT");
        first = nextSolid(t, first + 1);
    }
    if (first < 0)
        return;
    const int level = depth[select];
    static const char* const kListEnds[] = {"from", "into", "where", "union", "group", "having", "order"};
    QList<Range> items;
    int begin = first;
    int i = first;
    for (; i < t.size(); ++i) {
        if (depth[i] != level)
            continue;
        bool ends = false;
        for (const char* word : kListEnds)
            ends = ends || t[i].isWord(word);
        if (ends || t[i].isPunct(";"))
            break;
        if (t[i].isPunct(",")) {
            items.append({begin, i});
            begin = i + 1;
        }
    }
    items.append({begin, i});
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

// ORDER BY terms sort text as Jet does.
void rewriteOrderBy(Tokens& t, const QList<int>& depth) {
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
    QList<Range> terms;
    int begin = order + 1;
    int i = begin;
    for (; i < t.size(); ++i) {
        if (depth[i] != 0)
            continue;
        if (t[i].isPunct(";"))
            break;
        if (t[i].isPunct(",")) {
            terms.append({begin, i});
            begin = i + 1;
        }
    }
    terms.append({begin, i});
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

QString takeIntoTable(Tokens& t, const QList<int>& depth) {
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

// SELECT [DISTINCT] TOP n [PERCENT]: how many rows the statement keeps.
struct TopClause {
    qlonglong count = 0;
    bool percent = false;
};

// Takes TOP n [PERCENT] out of the statement, which must be a single select.
std::optional<TopClause> takeTop(Tokens& t, const QList<int>& depth) {
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

// Jet's TOP n keeps, under ORDER BY, every row tied with the last one kept.
// Those are the rows whose rank by the same keys is at most n (or at most the
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

QString sqliteTypeFor(const Token& type) {
    static const char* const kText[] = {"text", "char", "varchar", "memo", "longtext", "string", "note"};
    static const char* const kDate[] = {"date", "datetime", "time", "timestamp"};
    static const char* const kInteger[] = {"integer", "int",     "long",    "short",         "smallint",
                                           "byte",    "tinyint", "counter", "autoincrement", "bit",
                                           "yesno",   "logical", "bigint"};
    static const char* const kReal[] = {"double",  "single",  "float",  "real",   "currency", "money",
                                        "decimal", "numeric", "number", "float8", "float4"};
    for (const char* name : kText)
        if (type.isWord(name))
            return QStringLiteral("TEXT COLLATE NOCASE");
    for (const char* name : kDate)
        if (type.isWord(name))
            return QStringLiteral("TEXT");
    for (const char* name : kInteger)
        if (type.isWord(name))
            return QStringLiteral("INTEGER");
    for (const char* name : kReal)
        if (type.isWord(name))
            return QStringLiteral("REAL");
    fail(QStringLiteral("Tipo de datos no admitido: %1").arg(type.text));
}

// CREATE TABLE t (c Text, ...): Jet's type names become SQLite's, text without
// regard to case like the package's own tables.
void rewriteCreateTable(Tokens& t, const QList<int>& depth) {
    const int create = nextSolid(t, 0);
    const int table = create >= 0 ? nextSolid(t, create + 1) : -1;
    if (create < 0 || !t[create].isWord("create") || table < 0 || !t[table].isWord("table"))
        return;
    int open = -1;
    for (int i = table; i < t.size(); ++i)
        if (t[i].isPunct("(")) {
            open = i;
            break;
        }
    if (open < 0)
        fail(QStringLiteral("Faltan los campos de la tabla en CREATE TABLE."));
    const int close = matchingParen(t, open);
    bool expectName = true;
    for (int i = open + 1; i < close; ++i) {
        if (t[i].kind == Token::Space || depth[i] != 1)
            continue;
        if (t[i].isPunct(",")) {
            expectName = true;
            continue;
        }
        if (!expectName)
            continue;
        expectName = false;
        if (t[i].isWord("constraint") || t[i].isWord("primary") || t[i].isWord("unique"))
            continue;
        const int type = nextSolid(t, i + 1);
        if (type < 0 || type >= close || t[type].kind != Token::Word)
            fail(QStringLiteral("Falta el tipo del campo %1 en CREATE TABLE.").arg(t[i].text));
        const QString mapped = sqliteTypeFor(t[type]);
        const int size = nextSolid(t, type + 1);
        if (size >= 0 && t[size].isPunct("(")) {
            const int sizeClose = matchingParen(t, size);
            for (int k = size; k <= sizeClose; ++k)
                t[k].erase();
        }
        t[type].text = mapped;
    }
}

JetStatement translate(const QString& jet, const JetSchema* schema) {
    Tokens tokens = tokenize(jet);
    if (nextSolid(tokens, 0) < 0)
        fail(QStringLiteral("La instrucción está vacía."));
    refuseUnsupported(tokens);
    const std::optional<TopClause> top = takeTop(tokens, depths(tokens));
    if (schema) {
        JetPlanRewrites::boundYearFilters(tokens, *schema);
        JetPlanRewrites::groupByJoinedKey(tokens, *schema);
    }
    tokens = OperatorRewriter(tokens).rewrite();
    const QList<int> depth = depths(tokens);
    JetStatement result;
    result.intoTable = takeIntoTable(tokens, depth);
    nameExpressionColumns(tokens, depth);
    rewriteOrderBy(tokens, depth);
    rewriteCreateTable(tokens, depth);
    rewriteExpressions(tokens);
    if (top)
        limitToTop(tokens, *top);
    result.sql = joined(tokens, 0, static_cast<int>(tokens.size()));
    return result;
}

}  // namespace

JetStatement translateJet(const QString& jet) {
    return translate(jet, nullptr);
}

JetStatement translateJet(const QString& jet, const JetSchema& schema) {
    return translate(jet, &schema);
}
