#pragma once

#include <QByteArray>
#include <QString>

/**
 * The formatting rules of the agency's fixed-width fields. Every value is
 * converted to Windows-1252 before it is padded or cut, so a width counts
 * characters that are one byte each.
 */
namespace FieldRules {

/** Rule 1: the text followed by spaces, cut to its first `width` characters. */
QByteArray text(const QString& value, int width);
/** Rule 2: zeros followed by the value, cut to its last `width` characters; the value is taken as it is. */
QByteArray digits(const QString& value, int width);
/** Rule 3: a count as plain decimal digits, then rule 2. */
QByteArray count(qint64 value, int width);
/** Rule 4: an amount of zero or more cents as plain decimal digits, then rule 2. */
QByteArray amount(qint64 cents, int width);
/**
 * The two-character province, as stored; a shorter code is zero-filled on the
 * left so that every later position of the record stays in place.
 */
QByteArray province(const QString& code);

}  // namespace FieldRules
