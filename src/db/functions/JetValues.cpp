#include "JetValues.h"

#include "base/NumberText.h"
#include "base/SignificantDigits.h"
#include "db/JetDates.h"

#include <cmath>

namespace JetValues {

QVariant integer(qint64 value) {
    return QVariant::fromValue<qlonglong>(value);
}

QString numberText(const QVariant& value) {
    return value.typeId() == QMetaType::Double ? shortestNumberText(value.toDouble()) : value.toString();
}

double number(const QVariant& value, const char* function) {
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double)
        return value.toDouble();
    bool ok = false;
    const double result = value.toString().trimmed().toDouble(&ok);
    if (!ok)
        throw Refusal{QStringLiteral("No coinciden los tipos de datos en %1: '%2' no es un número.")
                          .arg(QLatin1String(function), value.toString())};
    return result;
}

double roundHalfEven(double value, int digits) {
    if (!std::isfinite(value) || value == 0)
        return value;
    const auto [mantissa, exponent] = SignificantDigits::of(std::fabs(value));
    const int shift =
        exponent - (SignificantDigits::kCount - 1) + digits;  // mantissa × 10^shift units of 10^-digits
    if (shift >= 0)
        return value;
    if (-shift > 18)
        return 0;
    qint64 divisor = 1;
    for (int i = 0; i < -shift; ++i)
        divisor *= 10;
    qint64 units = mantissa / divisor;
    const qint64 rest = mantissa % divisor;
    if (2 * rest > divisor || (2 * rest == divisor && units % 2 == 1))
        ++units;
    const double rounded = static_cast<double>(units) / std::pow(10.0, digits);
    return value < 0 ? -rounded : rounded;
}

std::optional<QDateTime> dateOf(const QVariant& value) {
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double)
        return JetDates::fromSerialDays(value.toDouble());
    const QDateTime when = JetDates::fromStoredText(value.toString());
    if (when.isValid())
        return when;
    return std::nullopt;
}

QDateTime date(const QVariant& value, const char* function) {
    const std::optional<QDateTime> when = dateOf(value);
    if (!when)
        throw notADate(value.toString(), function);
    return *when;
}

Refusal notADate(const QString& text, const char* function) {
    return Refusal{QStringLiteral("No coinciden los tipos de datos en %1: '%2' no es una fecha.")
                       .arg(QLatin1String(function), text)};
}

}  // namespace JetValues
