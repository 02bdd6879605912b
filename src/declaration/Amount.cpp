#include "Amount.h"

#include "RecordError.h"
#include "base/SignificantDigits.h"

#include <QRegularExpression>

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

std::optional<qint64> readSpanishCents(const QString& typed) {
    // Euros grouped by points or not, then a comma and the cents; or a point and the cents.
    static const QRegularExpression kAmount(
        QStringLiteral(R"(^(\d{1,3}(?:\.\d{3})+|\d+)(?:,(\d{1,2}))?$|^(\d+)\.(\d{1,2})$)"));
    const QRegularExpressionMatch match = kAmount.match(typed.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const bool withPoint = !match.captured(3).isEmpty();
    const QString euros = withPoint ? match.captured(3) : match.captured(1).remove(QLatin1Char('.'));
    const QString cents =
        (withPoint ? match.captured(4) : match.captured(2)).leftJustified(2, QLatin1Char('0'));
    if (euros.size() > 13)
        return std::nullopt;
    return euros.toLongLong() * 100 + cents.toLongLong();
}
