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

QByteArray FieldRules::constant(const char* literal, int width) {
    const QByteArray bytes(literal);
    if (bytes.size() != width)
        throw RecordError(QStringLiteral("La constante «%1» no mide %2 caracteres.")
                              .arg(QString::fromLatin1(literal))
                              .arg(width));
    return bytes;
}

DeclarationRecord& DeclarationRecord::add(int first, int last, const QByteArray& field) {
    if (first != m_bytes.size() + 1 || field.size() != last - first + 1)
        throw RecordError(
            QStringLiteral("El campo de las posiciones %1-%2 no encaja en el registro (posición %3, "
                           "%4 caracteres).")
                .arg(first)
                .arg(last)
                .arg(m_bytes.size() + 1)
                .arg(field.size()));
    m_bytes += field;
    return *this;
}

QByteArray DeclarationRecord::line() const {
    if (m_bytes.size() != kLength)
        throw RecordError(QStringLiteral("El registro mide %1 caracteres en lugar de %2.")
                              .arg(m_bytes.size())
                              .arg(kLength));
    return Windows1252::toUpper(m_bytes) + "\r\n";
}
