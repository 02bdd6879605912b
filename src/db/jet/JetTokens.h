#pragma once

#include <QList>
#include <QString>

/**
 * The tokens of a Jet statement, which the translation rewrites in place:
 * each keeps the blanks that follow it, so that joining them gives the text
 * back.
 */
namespace JetTokens {

struct Token {
    enum Kind { Word, Number, String, Identifier, Punct, Space, Param };
    Token(Kind k, QString t) : kind(k), text(std::move(t)) {}

    Kind kind;
    QString text;
    QString after;  // added behind the token: an alias or a collation

    bool isWord(const char* word) const {
        return kind == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isPunct(const char* punct) const { return kind == Punct && text == QLatin1String(punct); }
    bool isName() const { return kind == Word || kind == Identifier; }
    // Takes the token out of the statement; later passes see nothing there.
    void erase() {
        kind = Space;
        text.clear();
    }
};

using Tokens = QList<Token>;

/** A stretch of tokens: [begin, end). */
struct Range {
    int begin;
    int end;
};

/** Throws DbError with `message`. */
[[noreturn]] void fail(const QString& message);

/** The tokens of `s`; Jet's date and double-quoted literals become SQLite text literals. */
Tokens tokenize(const QString& s);
/**
 * The first reference to a control of a form or report in a Jet statement,
 * names joined by "!" as written ([Forms]![Orders]![OrderID]), whose value
 * Access asks the user for; empty when there is none.
 */
QString controlReference(const QString& jet);
/** Index of the next token that is not a blank, from `from` on; -1 if none. */
int nextSolid(const Tokens& t, int from);
/** Index of the previous token that is not a blank, from `from` back; -1 if none. */
int previousSolid(const Tokens& t, int from);
/** The parenthesis depth before each token; throws unless they balance. */
QList<int> depths(const Tokens& t);
/** The closing parenthesis of the one at `open`. */
int matchingParen(const Tokens& t, int open);
bool isWordAt(const Tokens& t, int i, const char* word);
/** The text of the tokens [begin, end), trimmed. */
QString joined(const Tokens& t, int begin, int end);
/** A name without its brackets, backticks or quotes. */
QString bareName(const Token& name);
/**
 * The items of a comma-separated list that starts at `begin`, at the depth
 * of `begin`: it ends before the first token of that depth for which `ends`
 * holds, or at the end of the statement.
 */
QList<Range> splitList(const Tokens& t, const QList<int>& depth, int begin, bool (*ends)(const Token&));

}  // namespace JetTokens
