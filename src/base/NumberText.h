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

/** Cents as Spaniards write an amount: "4.500,10", "-700,00". */
inline QString spanishAmount(qint64 cents) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    QString whole = QString::number(magnitude / 100);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, QLatin1Char('.'));
    return (cents < 0 ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

/** A percentage to a tenth as Spaniards write it: "15 %", "7,5 %". */
inline QString spanishPercent(double percent) {
    const double tenths = std::round(percent * 10);
    return QString::number(tenths / 10, 'f', std::fmod(tenths, 10) == 0 ? 0 : 1)
               .replace(QLatin1Char('.'), QLatin1Char(',')) +
           QStringLiteral(" %");
}
