#pragma once

#include <QString>

class Database;
class RefusedParties;
class UserInterface;

/** How a check of the data before the file ended. */
enum class DataCheck {
    Passed,
    /** A review file lists the rows to correct, and the user was told. */
    ToCorrect,
    /** The check's statement failed, or its review file could not be written: the user was told. */
    Failed,
};

/**
 * The postal code check of a Modelo 190 run: deletes an old ErrorCP.txt in
 * `folder`, lists last year's withheld suppliers without postal code there,
 * one line per withholding entry, and tells the user.
 */
DataCheck checkWithheldPostalCodes(Database& db, const QString& folder, UserInterface& ui);

/**
 * Makes the saved query tmp190 and the work table tmptb190 with last year's
 * withholdings per supplier and key, removes what must not be declared and
 * classifies the rows by rate into F02, G03 and H04. Each step may fail alone
 * and the next one runs. Returns the number of rows left (0 when the table
 * could not be made).
 */
int extractWithholdings(Database& db);

/**
 * A total withheld below zero has no sign position in the file: such
 * perceptors are listed in ErrorRetenciones.txt in `folder` and the user is
 * told. An old review file is deleted first.
 */
DataCheck checkNegativeWithholdings(Database& db, const QString& folder, UserInterface& ui);

/**
 * Leaves in tmptb190 only the perceptors and keys of `refused`, and tells the
 * user of those that today's accounts no longer declare. Throws DbError.
 */
void keepOnlyRefused(Database& db, const RefusedParties& refused, UserInterface& ui);

/** Drops the work table tmptb190 and the saved query tmp190, each failure ignored. */
void dropWithholdingWorkObjects(Database& db);

inline const QString kPostalCodeReviewFile = QStringLiteral("ErrorCP.txt");
inline const QString kNegativeWithholdingReviewFile = QStringLiteral("ErrorRetenciones.txt");
