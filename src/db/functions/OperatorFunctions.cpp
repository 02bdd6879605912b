#include "FunctionFamily.h"
#include "JetValues.h"

#include <QRegularExpression>

#include <cmath>

namespace {

using namespace JetValues;

// a & b: the text of both, Null counting as empty text; Null only when both are.
QVariant concat(const QVariantList& a) {
    if (a[0].isNull() && a[1].isNull())
        return {};
    return (a[0].isNull() ? QString() : numberText(a[0])) + (a[1].isNull() ? QString() : numberText(a[1]));
}
// Mod and \ round both operands to whole numbers first, halves to even.
qint64 wholeDivisor(const QVariant& value, const char* function) {
    const auto divisor = static_cast<qint64>(roundHalfEven(number(value, function), 0));
    if (divisor == 0)
        throw Refusal{QStringLiteral("División por cero en %1.").arg(QLatin1String(function))};
    return divisor;
}
QVariant mod(const QVariantList& a) {
    const qint64 divisor = wholeDivisor(a[1], "Mod");
    return integer(static_cast<qint64>(roundHalfEven(number(a[0], "Mod"), 0)) % divisor);
}
QVariant intDiv(const QVariantList& a) {
    const qint64 divisor = wholeDivisor(a[1], "\\");
    return integer(static_cast<qint64>(roundHalfEven(number(a[0], "\\"), 0)) / divisor);
}
QVariant power(const QVariantList& a) {
    return std::pow(number(a[0], "^"), number(a[1], "^"));
}

// A [set] of LIKE's pattern as a regular expression's: [abc], [a-z] or [!abc].
QString likeSet(QString set) {
    const bool negated = set.startsWith(QLatin1Char('!'));
    if (negated)
        set.remove(0, 1);
    if (set.isEmpty())
        return QRegularExpression::escape(QStringLiteral("[]"));
    QString escaped;
    for (const QChar member : set)
        escaped += member == QLatin1Char('-') ? QString(member) : QRegularExpression::escape(QString(member));
    return QLatin1Char('[') + (negated ? QStringLiteral("^") : QString()) + escaped + QLatin1Char(']');
}

// LIKE with Jet's wildcards: * any text, ? one character, # one digit, and sets; no case.
QVariant like(const QVariantList& a) {
    const QString pattern = numberText(a[1]);
    QString expression = QStringLiteral("\\A");
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const qsizetype close = c == QLatin1Char('[') ? pattern.indexOf(QLatin1Char(']'), i + 1) : -1;
        if (c == QLatin1Char('*')) {
            expression += QStringLiteral(".*");
        } else if (c == QLatin1Char('?')) {
            expression += QLatin1Char('.');
        } else if (c == QLatin1Char('#')) {
            expression += QStringLiteral("[0-9]");
        } else if (close > i) {
            expression += likeSet(pattern.mid(i + 1, close - i - 1));
            i = close;
        } else {
            expression += QRegularExpression::escape(QString(c));
        }
    }
    expression += QStringLiteral("\\z");
    const QRegularExpression re(expression, QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    return integer(re.match(numberText(a[0])).hasMatch() ? -1 : 0);
}

// The names the translation gives the operators' calls.
constexpr ScalarFunction kScalars[] = {
    {"JetConcat", 2, 2, concat, false}, {"JetMod", 2, 2, mod, true},   {"JetIntDiv", 2, 2, intDiv, true},
    {"JetPower", 2, 2, power, true},    {"JetLike", 2, 2, like, true},
};

}  // namespace

FunctionFamily operatorFunctions() {
    return {kScalars};
}
