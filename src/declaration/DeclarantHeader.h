#pragma once

#include "RecordDesign.h"

#include <QString>

class Database;

/** The contact inputs of a declaration window, Text1(0) to Text1(2), and the Modelo 190's Text1(3). */
struct ContactInputs {
    QString telephone;
    QString contactPerson;
    QString declarationNumber;
    /** The contact person's e-mail, which only the Modelo 190 declares. */
    QString email;
};

/** The declarant header and what building it leaves behind. */
struct DeclarantHeader {
    /** The model's type 1 record with positions 1 to 135 filled; the writer fills the rest. */
    DesignedRecord record;
    /** The centre's NIF, which the same run's type 2 records carry. */
    QString DeclarantNif;
};

/**
 * Builds positions 1 to 135 of a type 1 record for model "190" or "347" from
 * the first row of Centro and the contact inputs, and rewrites the telephone
 * to its telephoneDigits and the contact person to its upper-cased, normalized
 * text, as the window then shows them.
 * An empty Centro, or a Null NIF or name, counts as empty text. Throws
 * DbError when Centro cannot be read.
 */
DeclarantHeader buildDeclarantHeader(Database& db, const QString& model, ContactInputs& contact);

/** The example contact data that the windows show at first, for the user to replace. */
inline const QString kExampleTelephone = QStringLiteral("123456789");
inline const QString kExampleContactPerson = QStringLiteral("Papellido Sapellido Nombre");

/** The initial texts of the contact inputs; the declaration number differs by model. */
ContactInputs initialContactInputs(const QString& model);

/**
 * The telephone as people type it, without the spaces, hyphens, dots, slashes
 * and brackets between its digits: «957 123 456» is «957123456». Letters
 * stay, for the check to report.
 */
QString telephoneDigits(const QString& typed);

/** Upper-cased within Windows-1252, then passed through NormalizeText: how names enter a record. */
QString recordName(const QString& name);
