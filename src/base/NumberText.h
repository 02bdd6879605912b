#pragma once

#include <QString>

#include <charconv>
#include <cmath>

/** A double as the shortest text that reads back as the same double: 3005.06, 0.1, 1e+16. */
inline QString shortestNumberText(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}

/** A count as Spaniards write it, its thousands grouped by points: "12.800". */
inline QString spanishCount(qint64 count) {
    QString digits = QString::number(count < 0 ? -count : count);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char('.'));
    return (count < 0 ? QStringLiteral("-") : QString()) + digits;
}

/** A count and its noun: "1 error", "3 errores". */
inline QString counted(qint64 count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

/** Cents as Spaniards write an amount: "4.500,10", "-700,00". */
inline QString spanishAmount(qint64 cents) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return (cents < 0 ? QStringLiteral("-") : QString()) + spanishCount(magnitude / 100) + QLatin1Char(',') +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

/** A percentage to a tenth as Spaniards write it: "15 %", "7,5 %". */
inline QString spanishPercent(double percent) {
    const double tenths = std::round(percent * 10);
    return QString::number(tenths / 10, 'f', std::fmod(tenths, 10) == 0 ? 0 : 1)
               .replace(QLatin1Char('.'), QLatin1Char(',')) +
           QStringLiteral(" %");
}
