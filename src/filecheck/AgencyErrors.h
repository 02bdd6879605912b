#pragma once

#include "DeclarationFileCheck.h"
#include "declaration/RecordDesign.h"
#include "declaration/RefusedParties.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct ContactInputs;
class UserInterface;

/** One error the agency gives for a record: its code, «E010330», and its text. */
struct AgencyError {
    QString code;
    QString text;
};

/** A record the agency refused, as its error file gives it back. */
struct AgencyRefusal {
    /** The line of the error file, from 1. */
    int line = 0;
    /** The record, 500 bytes of Windows-1252, blank-filled where the agency trimmed it. */
    QByteArray record;
    QList<AgencyError> errors;

    QString model() const { return QString::fromLatin1(record.mid(1, 3)); }
    char type() const { return record.at(0); }
    /** «B12345674 LIMPIEZAS SL», and for a perceptor «, clave G01». */
    QString party() const;
};

/**
 * The file of error messages that the agency's upload (TGVI online) offers
 * after it has checked a declaration: one line per refused record, the
 * record, ";", then an error code and its text. Read leniently where the
 * agency's layout is not published: a hyphen, a colon or blanks between code
 * and text, CR LF or LF, Windows-1252 or UTF-8, a record trimmed of its
 * trailing blanks, and several errors of one record each after its ";".
 */
struct AgencyErrorFile {
    QList<AgencyRefusal> refusals;

    /** Nothing when no line of `content` is a refused record. */
    static std::optional<AgencyErrorFile> parse(const QByteArray& content);
    /** Reads the file at `path`; nothing when it cannot be read or holds no refused record, with why. */
    static std::optional<AgencyErrorFile> read(const QString& path, QString& failure);

    /** The model of its records, «190» or «347»; empty when they mix both. */
    QString model() const;
    /** The parties of its type 2 records, for a complementary declaration. */
    RefusedParties parties() const;
};

/** The positions of the field of the record's design that an error's text names, or nothing. */
std::optional<FieldDesign> namedField(const AgencyRefusal& refusal, const AgencyError& error);

/** What the office can do about an error, in its words: "corríjalo en la contabilidad" when nothing more is
 * known. */
QString whatToDo(const AgencyRefusal& refusal, const AgencyError& error);

/**
 * The error file read for the office, in Spanish, for the screen and for the
 * printed report: for each refused record who it is and what is wrong, where
 * in the record, what to do, and what this program's own check says of it
 * (nothing found is a gap in the check); then how many records each code
 * refused.
 */
struct AgencyErrorsListing {
    AgencyErrorsListing(const AgencyErrorFile& file, const QString& path);

    /** «Errores de la Agencia en la declaración del modelo 190, ejercicio 2025». */
    QString title;
    /** The declarant, and the file with its count of refused records. */
    QStringList heading;
    QStringList lines;
};

/** What a run may go on with once its declaration's identity is accepted. */
struct AcceptedIdentity {
    /** The parties of the agency's error file when the run carries only the records it refused. */
    std::optional<RefusedParties> onlyRefused;
};

/**
 * The check of a run's kind of declaration, number before it and error file
 * of the agency, before any file is touched: nothing, with the user told why,
 * when the run must not go on.
 */
std::optional<AcceptedIdentity> acceptDeclarationIdentity(const QString& model, const ContactInputs& contact,
                                                          UserInterface& ui);
