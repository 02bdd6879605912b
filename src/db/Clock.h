#pragma once

#include <QDateTime>

/**
 * The one clock of the program: the statements' Now and the program's own
 * "current year" both read it, so that tests can pin them together.
 */
namespace Clock {

QDateTime now();
/** The declaration year: the year of the current date minus one. */
int declarationYear();
void pin(const QDateTime& moment);
void unpin();

}  // namespace Clock
