#include "FunctionFamily.h"
#include "JetValues.h"
#include "db/JetDates.h"

#include <QRegularExpression>

#include <cmath>

namespace {

using namespace JetValues;

// A number with Spanish separators: a decimal comma and, when asked, points between thousands.
QString spanishNumber(double value, int decimals, bool grouped) {
    QString text = QString::number(std::fabs(roundHalfEven(value, decimals)), 'f', decimals);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text[point] = QLatin1Char(',');
    if (grouped)
        for (qsizetype at = (point >= 0 ? point : text.size()) - 3; at > 0; at -= 3)
            text.insert(at, QLatin1Char('.'));
    return (value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]"))) ? QStringLiteral("-")
                                                                                    : QString()) +
           text;
}

bool isNumberPattern(const QString& pattern) {
    const QString named = pattern.toLower();
    return named == QLatin1String("fixed") || named == QLatin1String("standard") ||
           named == QLatin1String("percent") || named == QLatin1String("currency") ||
           pattern.contains(QLatin1Char('0')) || pattern.contains(QLatin1Char('#'));
}

QString formatNumber(double value, const QString& pattern) {
    const QString named = pattern.toLower();
    if (named == QLatin1String("fixed"))
        return spanishNumber(value, 2, false);
    if (named == QLatin1String("standard"))
        return spanishNumber(value, 2, true);
    if (named == QLatin1String("percent"))
        return spanishNumber(value * 100, 2, false) + QStringLiteral("%");
    if (named == QLatin1String("currency"))
        return spanishNumber(value, 2, true) + QStringLiteral(" €");
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
    return spanishNumber(value, decimals, pattern.contains(QLatin1Char(',')));
}

// d m y h n s as Jet writes a date's parts; anything else stands as it is.
QString qtDatePattern(const QString& pattern) {
    QString qtPattern;
    for (const QChar c : pattern) {
        switch (c.toLower().unicode()) {
            case 'm':
                qtPattern += QLatin1Char('M');
                break;
            case 'n':
                qtPattern += QLatin1Char('m');
                break;
            case 'h':
                qtPattern += QLatin1Char('H');
                break;
            case 'd':
            case 'y':
            case 's':
                qtPattern += c.toLower();
                break;
            default:
                qtPattern += QLatin1Char('\'') + QString(c) + QLatin1Char('\'');
        }
    }
    return qtPattern;
}

QString formatDate(const QDateTime& when, const QString& pattern) {
    const QString named = pattern.toLower();
    if (pattern.isEmpty())
        return JetDates::storedText(when);
    if (named == QLatin1String("short date"))
        return when.toString(QStringLiteral("dd/MM/yyyy"));
    if (named == QLatin1String("long time"))
        return when.toString(QStringLiteral("HH:mm:ss"));
    return when.toString(qtDatePattern(pattern));
}

// Format with the common patterns: named ones and digit patterns for numbers, d m y h n s for dates.
QVariant format(const QVariantList& a) {
    const QString pattern = a.size() > 1 ? a[1].toString() : QString();
    const bool numeric = a[0].typeId() == QMetaType::LongLong || a[0].typeId() == QMetaType::Double;
    if (numeric || isNumberPattern(pattern)) {
        if (!numeric && !dateOf(a[0]))
            number(a[0], "Format");
        if (numeric || !pattern.isEmpty()) {
            const double value = number(a[0], "Format");
            return pattern.isEmpty() ? numberText(a[0]) : formatNumber(value, pattern);
        }
    }
    return formatDate(date(a[0], "Format"), pattern);
}

constexpr ScalarFunction kScalars[] = {
    {"Format", 1, 2, format, true},
};

}  // namespace

FunctionFamily formatFunction() {
    return {kScalars};
}
