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
/** Rule 5: a literal of exactly the field's width. */
QByteArray constant(const char* literal, int width);

}  // namespace FieldRules

/**
 * Rule 6: one record of 500 characters, assembled field by field in position
 * order, upper-cased within Windows-1252 and ended by CR LF.
 */
class DeclarationRecord {
public:
    static constexpr int kLength = 500;

    /** Appends the field for positions first..last (from 1); throws RecordError if it does not fit there. */
    DeclarationRecord& add(int first, int last, const QByteArray& field);

    /** The line to write: 500 upper-cased bytes and CR LF; throws RecordError for any other length. */
    QByteArray line() const;

private:
    QByteArray m_bytes;
};
