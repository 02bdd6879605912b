#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

/**
 * How the package's dates are kept: as the text "yyyy-MM-dd" for a day at
 * midnight and "yyyy-MM-dd HH:mm:ss" otherwise, so that text order is time
 * order; and, in Jet's own numbers, as days since 30 December 1899.
 */
namespace JetDates {

/** Day 0 of Jet's numbers: 30 December 1899. */
QDate epoch();

/** The stored text of a moment. */
QString storedText(const QDateTime& moment);

/** A stored text read back; an invalid moment when it is not one. */
QDateTime fromStoredText(const QString& text);

/**
 * The day of a stored text, read straight from its UTF-8 bytes for speed:
 * nothing for a text that fromStoredText refuses, such as "2025-13-45", so
 * that Year() and the other date functions agree on what is a date.
 */
std::optional<QDate> storedDay(const unsigned char* utf8, qsizetype size);

/**
 * A moment given as days since 30 December 1899 on the proleptic Gregorian
 * calendar; the fraction counts forward from the start of its day, for a
 * negative number too, and is taken to the nearest second.
 */
QDateTime fromSerialDays(double days);

/**
 * The stored text of such a number, computed on the calendar alone: the same
 * text as storedText(fromSerialDays(days)), whatever the machine's time zone,
 * and without asking it.
 */
QString serialDaysText(double days);

}  // namespace JetDates
