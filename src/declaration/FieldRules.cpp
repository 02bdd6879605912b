#include "FieldRules.h"

#include "RecordError.h"
#include "Windows1252.h"

QByteArray FieldRules::text(const QString& value, int width) {
    QByteArray bytes = Windows1252::encode(value).left(width);
    return bytes.leftJustified(width, ' ');
}

QByteArray FieldRules::digits(const QString& value, int width) {
    const QByteArray bytes = Windows1252::encode(value);
    return bytes.size() >= width ? bytes.right(width) : bytes.rightJustified(width, '0');
}

QByteArray FieldRules::count(qint64 value, int width) {
    if (value < 0)
        throw RecordError(QStringLiteral("Un recuento no puede ser negativo: %1.").arg(value));
    return digits(QString::number(value), width);
}

QByteArray FieldRules::amount(qint64 cents, int width) {
    if (cents < 0)
        throw RecordError(QStringLiteral("Un campo de importe no admite el negativo %1.").arg(cents));
    return digits(QString::number(cents), width);
}

QByteArray FieldRules::province(const QString& code) {
    return code.size() >= 2 ? text(code, 2) : digits(code, 2);
}
