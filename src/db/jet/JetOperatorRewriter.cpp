#include "JetOperatorRewriter.h"

#include "JetKeywords.h"

#include <vector>

namespace {

using namespace JetTokens;

// A stretch of an expression that uses one of Jet's own operators is parsed
// by Jet's precedence and written again as calls and parenthesised
// operations; the rest of the statement is copied as it is.
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
            if (i == end || JetKeywords::endsExpression(m_in, i)) {
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

}  // namespace

JetTokens::Tokens rewriteJetOperators(const JetTokens::Tokens& t) {
    return OperatorRewriter(t).rewrite();
}
