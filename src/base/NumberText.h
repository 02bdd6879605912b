#pragma once

#include <QString>

#include <charconv>

/** A double as the shortest text that reads back as the same double: 3005.06, 0.1, 1e+16. */
inline QString shortestNumberText(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}
