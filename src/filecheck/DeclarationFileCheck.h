#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

/** One thing wrong with a declaration file, as the check tells it. */
struct FileProblem {
    enum class Severity { Error, Warning };

    /** The file's line, counted from 1. */
    int record = 0;
    /** The perceptor or supplier of a type 2 record, by NIF and name; empty for any other. */
    QString party;
    /** The positions, from 1; 0 when the problem is the whole line. */
    int first = 0;
    int last = 0;
    QString field;
    QString what;
    Severity severity = Severity::Error;

    /** «Registro N (NIF NOMBRE), posiciones a-b (campo): error|aviso: ...». */
    QString text() const;
};

/** A declared record as the summary lists it: amounts in cents, signed. */
struct DeclaredRecord {
    QString nif;
    QString name;
    QString province;
    QString key;
    /** Modelo 190: paid and withheld. Modelo 347: yearly, the four quarters, and cash-basis. */
    QList<qint64> amounts;
    bool cashBasis = false;
};

/** What the check of a file found. */
struct CheckedDeclaration {
    /** "190" or "347", from positions 2-4 of the first record. */
    QString model;
    QString fiscalYear;
    QString declarantNif;
    QString declarantName;
    /** The person the agency calls about the declaration, and the telephone, from the type 1 record. */
    QString contactPerson;
    QString contactTelephone;
    /** Positions 108-120 of the type 1 record. */
    QString declarationNumber;
    int recordsRead = 0;
    /** The totals of the type 1 record, in cents: Modelo 190 paid and withheld; Modelo 347 the total. */
    QList<qint64> totals;
    QList<DeclaredRecord> declared;
    QList<FileProblem> problems;

    int errorCount() const;
    int warningCount() const;
    /** The closing line: records read, records declared, errors and warnings. */
    QString summaryLine() const;
};

/**
 * Checks a Mod190.txt or Mod347.txt against the agency's record rules, record
 * by record and field by field. Returns nothing when the content is not a
 * declaration file at all (empty, or no model 190 or 347 at positions 2-4 of
 * its first record).
 */
std::optional<CheckedDeclaration> checkDeclarationFile(const QByteArray& content);

/**
 * Checks one record of a model 190 or 347 by itself, with the exercise and
 * the declarant it names, as check-file checks the records of a file.
 */
QList<FileProblem> checkRecord(const QByteArray& record);

/** The bytes of the file at `path`; nothing when it cannot be read, with the reason in Spanish in `failure`.
 */
std::optional<QByteArray> readWholeFile(const QString& path, QString& failure);

/**
 * Reads and checks the file at `path`. Nothing when it cannot be read or is
 * no declaration file, with the reason in Spanish in `failure`.
 */
std::optional<CheckedDeclaration> checkDeclarationFileAt(const QString& path, QString& failure);
