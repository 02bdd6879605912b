#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

/**
 * Euros to whole cents, rounded half up (away from zero for a negative
 * amount) on the decimal value the number stands for. The number is first
 * read to 15 significant digits, which drops the noise that binary floating
 * point adds to sums (0.1 added 10,000 times is 1000.00, not 1000.0000000001588).
 * Throws RecordError for a value that is not a finite amount.
 */
qint64 roundToCents(double euros);

/**
 * An amount of euros as Spaniards type it, in cents: «1.234,56», «1234,56»,
 * «1234» or «1234.56». Nothing for a text that is no amount, a negative one,
 * or one with more than two decimals.
 */
std::optional<qint64> readSpanishCents(const QString& typed);
