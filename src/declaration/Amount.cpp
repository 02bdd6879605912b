#include "Amount.h"

#include "RecordError.h"
#include "base/SignificantDigits.h"

#include <cmath>

namespace {

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
    // The amount is M × 10^(x − 14) euros, so M × 10^(x − 12) cents.
    const auto [mantissa, exponent] = SignificantDigits::of(std::fabs(euros));
    const int shift = exponent - (SignificantDigits::kCount - 1) + 2;
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
