#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

/** How Jet's functions read their arguments and write their numbers. */
namespace JetValues {

/** A call that Jet would refuse: its message becomes the statement's error. */
struct Refusal {
    QString message;
};

/** A whole number as the functions give it. */
QVariant integer(qint64 value);
/** A value as text; a real number in the shortest form that reads back exactly. */
QString numberText(const QVariant& value);
/** A value as a number; a text must hold one, or `function` refuses it. */
double number(const QVariant& value, const char* function);
/** Halves to even, on the value's 15 significant digits, as Jet rounds. */
double roundHalfEven(double value, int digits);

/** A value as a moment: a stored date's text, or days since 30 December 1899; nothing otherwise. */
std::optional<QDateTime> dateOf(const QVariant& value);
/** The same, or `function` refuses it. */
QDateTime date(const QVariant& value, const char* function);
/** The refusal of a value that is no date. */
Refusal notADate(const QString& text, const char* function);

}  // namespace JetValues
