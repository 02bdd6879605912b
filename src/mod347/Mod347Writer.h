#pragma once

#include "declaration/DeclarantHeader.h"

#include <QSet>

#include <optional>

class Database;
class OutputTextFile;
class RefusedParties;
class UserInterface;

/**
 * Writes the type 1 record of Mod347.txt: the declarant header, the number of
 * declared records and the total of the yearly amounts, of the suppliers of
 * `onlyRefused` alone when there are such. Returns the DeclarantNif for the
 * type 2 records, or nothing when CountDeclaredSuppliers finds nobody above
 * `threshold`, or none of `onlyRefused` is declared (the user was told). Throws DbError, RecordError or
 * FileError.
 */
std::optional<QString> WriteModelo347Header(Database& db, OutputTextFile& file, ContactInputs& contact,
                                            const QString& threshold, const RefusedParties* onlyRefused,
                                            UserInterface& ui);

/**
 * Writes one type 2 record per selected supplier, or per supplier of
 * `onlyRefused` when there are such, with its quarterly and cash-basis
 * amounts; returns who they were. Throws as above.
 */
QSet<QByteArray> WriteDeclaredRecords(Database& db, OutputTextFile& file, const QString& DeclarantNif,
                                      const RefusedParties* onlyRefused);
