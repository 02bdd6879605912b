#include "FunctionFamily.h"
#include "JetValues.h"

#include <cmath>

namespace {

using namespace JetValues;

// Val: the number at the start of the text, blanks ignored; 0 when there is none.
QVariant val(const QVariantList& a) {
    QString text = numberText(a[0]);
    text.remove(QLatin1Char(' '));
    qsizetype end = 0;
    while (end < text.size() &&
           (text[end].isDigit() ||
            (end == 0 && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+'))) ||
            (text[end] == QLatin1Char('.') && !text.left(end).contains(QLatin1Char('.')))))
        ++end;
    return text.left(end).toDouble();
}
// Str: a number as text, with a leading space where a minus sign would stand.
QVariant str(const QVariantList& a) {
    const double value = number(a[0], "Str");
    return (value < 0 ? QString() : QStringLiteral(" ")) +
           numberText(a[0].typeId() == QMetaType::QString ? QVariant(value) : a[0]);
}
QVariant cstr(const QVariantList& a) {
    return numberText(a[0]);
}
QVariant cdbl(const QVariantList& a) {
    return number(a[0], "CDbl");
}
QVariant ccur(const QVariantList& a) {
    return roundHalfEven(number(a[0], "CCur"), 4);
}
QVariant clng(const QVariantList& a) {
    return integer(static_cast<qint64>(roundHalfEven(number(a[0], "CLng"), 0)));
}
QVariant cint(const QVariantList& a) {
    const double value = roundHalfEven(number(a[0], "CInt"), 0);
    if (value < -32768 || value > 32767)
        throw Refusal{QStringLiteral("Desbordamiento en CInt: %1.").arg(value)};
    return integer(static_cast<qint64>(value));
}
QVariant intPart(const QVariantList& a) {
    return std::floor(number(a[0], "Int"));
}
QVariant fix(const QVariantList& a) {
    return std::trunc(number(a[0], "Fix"));
}
QVariant sgn(const QVariantList& a) {
    const double value = number(a[0], "Sgn");
    return integer(value > 0 ? 1 : value < 0 ? -1 : 0);
}
QVariant round(const QVariantList& a) {
    return roundHalfEven(number(a[0], "Round"), a.size() > 1 ? static_cast<int>(number(a[1], "Round")) : 0);
}

constexpr ScalarFunction kScalars[] = {
    {"Val", 1, 1, val, true},   {"Str", 1, 1, str, true},     {"CStr", 1, 1, cstr, true},
    {"CDbl", 1, 1, cdbl, true}, {"CCur", 1, 1, ccur, true},   {"CLng", 1, 1, clng, true},
    {"CInt", 1, 1, cint, true}, {"Int", 1, 1, intPart, true}, {"Fix", 1, 1, fix, true},
    {"Sgn", 1, 1, sgn, true},   {"Round", 1, 2, round, true},
};

}  // namespace

FunctionFamily numberFunctions() {
    return {kScalars};
}
