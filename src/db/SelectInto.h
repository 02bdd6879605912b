#pragma once

#include "QueryRows.h"

#include <QString>

/**
 * Jet's "select ... into T" makes a new table from the rows of a query and
 * fails when T exists. SQLite's CREATE TABLE ... AS SELECT would lose the
 * columns' types and collations, so the new table's columns are declared
 * here, as the query gives them.
 */
namespace SelectInto {

/** The CREATE TABLE of `table`, one column per column of `rows`. */
QString createTable(const QString& table, const QueryRows& rows);
/** The insert of one row into that table, with a parameter per column. */
QString insertRow(const QString& table, const QueryRows& rows);

}  // namespace SelectInto
