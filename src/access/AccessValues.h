#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

/**
 * How the values of an Access file become the working copy's: each function
 * takes the bytes that the file stores for one value. Texts and dates are
 * decoded here, not by the reading library, whose conversions lose
 * characters outside the basic plane and get dates before 1900 wrong.
 */
namespace AccessValues {

/**
 * A Jet 4 or ACE text: UTF-16LE, or Access's compressed form, which starts
 * with FF FE and then switches at each 00 byte between one byte a character
 * and two. Surrogate pairs come out as the one character they stand for.
 */
QString unicodeText(const QByteArray& stored);

/**
 * A Date/Time: days since 30 December 1899 on the proleptic Gregorian
 * calendar, the fraction counting forward from the start of the day even
 * for a negative number. "yyyy-mm-dd" at midnight, else "yyyy-mm-dd hh:mm:ss".
 */
QString dateText(double days);

/** A Currency: an integer of ten-thousandths, as the nearest double to its exact decimal value. */
double currency(qint64 tenThousandths);

/**
 * A Decimal: a sign byte (0x80 when negative) and a 128-bit magnitude as four
 * little-endian 32-bit words, the most significant first, divided by 10^scale.
 * An integer when the scale is 0 and it fits, else the nearest double.
 */
QVariant decimal(const QByteArray& stored, int scale);

/**
 * What a calculated column of Access 2010 and later stores for a value: 16
 * bytes, the value's length as a little-endian 32-bit number, the value in
 * its result type's own form, and padding. Returns the value's bytes; a
 * stored value too short to hold the length is returned as it is.
 */
QByteArray calculatedData(const QByteArray& stored);

/**
 * The Decimal result of a calculated column, from calculatedData: a 16-bit
 * length, the scale, a sign byte (0x80 when negative), then a 96-bit
 * magnitude as a little-endian 32-bit high word and a little-endian 64-bit
 * low part. Converted as decimal() converts.
 */
QVariant calculatedDecimal(const QByteArray& data);

/** A Replication ID: "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", the first three groups little-endian. */
QString replicationId(const QByteArray& stored);

}  // namespace AccessValues
