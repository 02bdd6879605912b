#include "Amount.h"

#include "RecordError.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int kSignificantDigits = 15;
constexpr double kLargestAmount = 1e15;  // euros: far beyond any 15-digit amount field

qint64 powerOfTen(int exponent) {
    qint64 result = 1;
    while (exponent-- > 0)
        result *= 10;
    return result;
}

}  // namespace

qint64 roundToCents(double euros) {
    if (!std::isfinite(euros) || std::fabs(euros) >= kLargestAmount)
        throw RecordError(QStringLiteral("El importe %1 no es válido.").arg(euros));
    if (euros == 0)
        return 0;
    // d.dddddddddddddde±x: the 15 significant digits make an integer M, and
    // the amount is M × 10^(x − 14) euros, so M × 10^(x − 12) cents.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(euros),
                                   std::chars_format::scientific, kSignificantDigits - 1)
                         .ptr;
    qint64 mantissa = 0;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            mantissa = mantissa * 10 + (*p - '0');
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
    const int shift = exponent - (kSignificantDigits - 1) + 2;
    qint64 cents;
    if (shift >= 0) {
        cents = mantissa * powerOfTen(shift);
    } else if (-shift > 18) {
        cents = 0;
    } else {
        const qint64 divisor = powerOfTen(-shift);
        cents = mantissa / divisor + (2 * (mantissa % divisor) >= divisor ? 1 : 0);
    }
    return euros < 0 ? -cents : cents;
}
