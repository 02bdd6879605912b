#pragma once

#include "RecordDesign.h"

#include <QList>
#include <QString>

class Database;

/** What a declaration does to one presented before it for the same exercise. */
enum class DeclarationKind {
    Normal,
    /** Adds records that the one presented before left out. */
    Complementary,
    /** Takes the place of the one presented before, whole. */
    Substitutive,
};

/**
 * The contact inputs of a declaration window, Text1(0) to Text1(2), and the
 * Modelo 190's Text1(3); with the kind of declaration and, for a
 * complementary or substitutive one, the number of the declaration before.
 */
struct ContactInputs {
    QString telephone;
    QString contactPerson;
    QString declarationNumber;
    /** The contact person's e-mail, which only the Modelo 190 declares. */
    QString email;
    DeclarationKind kind = DeclarationKind::Normal;
    QString previousNumber;
    /** The agency's error file whose refused records alone a complementary declaration carries; empty for
     * every record. */
    QString refusedRecordsFile;
};

/** The centre that declares, from the first row of Centro. */
struct Centre {
    QString nif;
    QString name;
};

/** The centre; empty texts when Centro has no row, or a Null NIF or name. Throws DbError. */
Centre readCentre(Database& db);

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

/** The initial texts of the contact inputs, for a normal declaration. */
ContactInputs initialContactInputs();

/** Positions 108-120: the model's code, then the last 10 characters of the number typed, by rule 2. */
QByteArray declarationNumberField(const QString& model, const QString& typed);

/**
 * Why the kind of declaration and the number before it cannot go into a file
 * of model "190" or "347", in Spanish; empty when they can. The number before
 * must be 13 digits, begin with the model's code, and differ from this one's;
 * only a complementary declaration carries the refused records alone.
 */
QString declarationIdentityProblem(const QString& model, const ContactInputs& contact);

/**
 * The telephone as people type it, without the spaces, hyphens, dots, slashes
 * and brackets between its digits: «957 123 456» is «957123456». Letters
 * stay, for the check to report.
 */
QString telephoneDigits(const QString& typed);

/** An address shaped as text@text.text. */
bool isShapedLikeAnEmail(const QString& address);

/** A contact input that the file's check would call an error: the box it is in (Text1's index), and why. */
struct ContactProblem {
    int box;
    QString text;
};

/**
 * What the check of the file would refuse in the contact inputs of model
 * "190" or "347": a telephone that is not 9 digits once its separators go, an
 * e-mail that is no address (the Modelo 190 declares it), an empty contact
 * person; for the run to ask about before it writes the file.
 */
QList<ContactProblem> contactProblems(const QString& model, const ContactInputs& contact);

/** Upper-cased within Windows-1252, then passed through NormalizeText: how names enter a record. */
QString recordName(const QString& name);
