#pragma once

#include "declaration/DeclarantHeader.h"

#include <optional>

class Database;
class OutputTextFile;
class UserInterface;

/**
 * Writes the type 1 record of Mod347.txt: the declarant header, the number of
 * declared records and the total of the yearly amounts. Returns the
 * DeclarantNif for the type 2 records, or nothing when CountDeclaredSuppliers
 * finds nobody above `threshold` (the user was told). Throws DbError,
 * RecordError or FileError.
 */
std::optional<QString> WriteModelo347Header(Database& db, OutputTextFile& file, ContactInputs& contact,
                                            const QString& threshold, UserInterface& ui);

/** Writes one type 2 record per selected supplier, with its quarterly and cash-basis amounts. Throws as
 * above. */
void WriteDeclaredRecords(Database& db, OutputTextFile& file, const QString& DeclarantNif);
