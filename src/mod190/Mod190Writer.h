#pragma once

#include "declaration/DeclarantHeader.h"

class Database;
class OutputTextFile;

/**
 * Writes the type 1 record of Mod190.txt: the declarant header, the number of
 * perceptor records and the totals paid and withheld of tmptb190. Returns the
 * DeclarantNif that the perceptor records carry. Throws DbError, RecordError
 * or FileError; nothing is written then.
 */
QString WriteDeclarantRecord(Database& db, OutputTextFile& file, ContactInputs& contact);

/** Writes one type 2 record per row of tmptb190, in the table's order. Throws as WriteDeclarantRecord. */
void WritePerceptorRecords(Database& db, OutputTextFile& file, const QString& DeclarantNif);
