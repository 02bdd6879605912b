#include "JetTokens.h"

#include "db/DbError.h"
#include "db/SqlQuoting.h"

#include <QDate>
#include <QRegularExpression>

namespace JetTokens {

[[noreturn]] void fail(const QString& message) {
    throw DbError(message);
}

namespace {

// A year written with two digits, as Jet reads it: 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999.
int fullYear(const QString& written) {
    const int year = written.toInt();
    if (written.size() != 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

// #mm/dd/yyyy# or #mm/dd/yyyy hh:mm:ss#, the year also in two digits: the package stores dates as ISO
// text, midnight without its time, so the literal becomes the text of that form.
QString dateLiteralToText(const QString& body) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4}|\d{2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const auto m = re.match(body);
    if (!m.hasMatch())
        fail(QStringLiteral("Fecha no válida en la expresión: #%1#").arg(body));
    const QDate date(fullYear(m.captured(3)), m.captured(1).toInt(), m.captured(2).toInt());
    if (!date.isValid())
        fail(QStringLiteral("Fecha no válida en la expresión: #%1#").arg(body));
    QString text = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (!m.captured(4).isEmpty()) {
        const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (!time.isValid())
            fail(QStringLiteral("Fecha no válida en la expresión: #%1#").arg(body));
        if (time != QTime(0, 0))
            text += QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
    }
    return quoteText(text);
}

bool isWordStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isWordPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

int endOfQuoted(const QString& s, int open, QChar close, bool doubledEscapes) {
    for (int i = open + 1; i < s.size(); ++i) {
        if (s[i] != close)
            continue;
        if (doubledEscapes && i + 1 < s.size() && s[i + 1] == close) {
            ++i;
            continue;
        }
        return i;
    }
    fail(QStringLiteral("Falta el cierre de %1 en la instrucción.").arg(s[open]));
}

}  // namespace

Tokens tokenize(const QString& s) {
    Tokens tokens;
    int i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        int end = i + 1;
        if (c.isSpace()) {
            while (end < s.size() && s[end].isSpace())
                ++end;
            tokens.append({Token::Space, s.mid(i, end - i)});
        } else if (c == QLatin1Char('\'')) {
            end = endOfQuoted(s, i, c, true) + 1;
            tokens.append({Token::String, s.mid(i, end - i)});
        } else if (c == QLatin1Char('"')) {
            // Jet reads a double-quoted text as a text literal, SQLite as a name.
            end = endOfQuoted(s, i, c, true) + 1;
            QString body = s.mid(i + 1, end - i - 2);
            body.replace(QLatin1String("\"\""), QLatin1String("\""));
            tokens.append({Token::String, quoteText(body)});
        } else if (c == QLatin1Char('[')) {
            end = endOfQuoted(s, i, QLatin1Char(']'), false) + 1;
            tokens.append({Token::Identifier, s.mid(i, end - i)});
        } else if (c == QLatin1Char('`')) {
            end = endOfQuoted(s, i, c, false) + 1;
            tokens.append({Token::Identifier, s.mid(i, end - i)});
        } else if (c == QLatin1Char('#')) {
            end = endOfQuoted(s, i, c, false) + 1;
            tokens.append({Token::String, dateLiteralToText(s.mid(i + 1, end - i - 2))});
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < s.size() && s[i + 1].isDigit())) {
            while (end < s.size() && (s[end].isDigit() || s[end] == QLatin1Char('.')))
                ++end;
            if (end < s.size() && (s[end] == QLatin1Char('e') || s[end] == QLatin1Char('E'))) {
                int exp = end + 1;
                if (exp < s.size() && (s[exp] == QLatin1Char('+') || s[exp] == QLatin1Char('-')))
                    ++exp;
                if (exp < s.size() && s[exp].isDigit()) {
                    end = exp;
                    while (end < s.size() && s[end].isDigit())
                        ++end;
                }
            }
            tokens.append({Token::Number, s.mid(i, end - i)});
        } else if (isWordStart(c)) {
            while (end < s.size() && isWordPart(s[end]))
                ++end;
            tokens.append({Token::Word, s.mid(i, end - i)});
        } else if (c == QLatin1Char('?')) {
            tokens.append({Token::Param, QStringLiteral("?")});
        } else {
            const QString two = s.mid(i, 2);
            if (two == QLatin1String("<>") || two == QLatin1String("<=") || two == QLatin1String(">="))
                end = i + 2;
            tokens.append({Token::Punct, s.mid(i, end - i)});
        }
        i = end;
    }
    return tokens;
}

QString controlReference(const QString& jet) {
    Tokens t;
    try {
        t = tokenize(jet);
    } catch (const DbError&) {
        return {};  // a statement that cannot be read refers to nothing
    }
    for (int i = 0; i < t.size(); ++i) {
        if (!t[i].isName())
            continue;
        int last = i;
        for (int bang = nextSolid(t, last + 1); bang >= 0 && t[bang].isPunct("!");
             bang = nextSolid(t, last + 1)) {
            const int name = nextSolid(t, bang + 1);
            if (name < 0 || !t[name].isName())
                break;
            last = name;
        }
        if (last != i) {
            QString reference;
            for (int k = i; k <= last; ++k)
                if (t[k].kind != Token::Space)
                    reference += t[k].text;
            return reference;
        }
    }
    return {};
}

int nextSolid(const Tokens& t, int from) {
    for (int i = from; i < t.size(); ++i)
        if (t[i].kind != Token::Space)
            return i;
    return -1;
}

int previousSolid(const Tokens& t, int from) {
    for (int i = from; i >= 0; --i)
        if (t[i].kind != Token::Space)
            return i;
    return -1;
}

QList<int> depths(const Tokens& t) {
    QList<int> depth(t.size());
    int d = 0;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i].isPunct(")"))
            --d;
        if (d < 0)
            fail(QStringLiteral("Sobra un paréntesis de cierre en la instrucción."));
        depth[i] = d;
        if (t[i].isPunct("("))
            ++d;
    }
    if (d != 0)
        fail(QStringLiteral("Falta un paréntesis de cierre en la instrucción."));
    return depth;
}

int matchingParen(const Tokens& t, int open) {
    int d = 0;
    for (int i = open; i < t.size(); ++i) {
        if (t[i].isPunct("("))
            ++d;
        else if (t[i].isPunct(")") && --d == 0)
            return i;
    }
    fail(QStringLiteral("Falta un paréntesis de cierre en la instrucción."));
}

bool isWordAt(const Tokens& t, int i, const char* word) {
    return i >= 0 && t[i].isWord(word);
}

QString joined(const Tokens& t, int begin, int end) {
    QString out;
    for (int i = begin; i < end; ++i) {
        // "- -1" must not become an SQL comment.
        if (t[i].text.startsWith(QLatin1Char('-')) && out.endsWith(QLatin1Char('-')))
            out += QLatin1Char(' ');
        out += t[i].text + t[i].after;
    }
    return out.trimmed();
}

QString bareName(const Token& name) {
    return name.kind == Token::Identifier ? name.text.mid(1, name.text.size() - 2) : name.text;
}

QList<Range> splitList(const Tokens& t, const QList<int>& depth, int begin, bool (*ends)(const Token&)) {
    const int level = begin < t.size() ? depth[begin] : 0;
    QList<Range> items;
    int item = begin;
    int i = begin;
    for (; i < t.size(); ++i) {
        if (depth[i] != level)
            continue;
        if (ends(t[i]))
            break;
        if (t[i].isPunct(",")) {
            items.append({item, i});
            item = i + 1;
        }
    }
    items.append({item, i});
    return items;
}

}  // namespace JetTokens
