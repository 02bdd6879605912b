#pragma once

#include <QString>
#include <QStringList>

class Database;

/** Changes to the tables of a database beyond what Jet's statements say. Each throws DbError. */
namespace SchemaEdits {

/** Adds a text field of `size` characters with a default value; fails when it exists. */
void addTextField(Database& db, const QString& table, const QString& field, int size,
                  const QString& defaultValue);
/** Sets a field's default value; an existing field's default cannot be changed to another one. */
void setFieldDefault(Database& db, const QString& table, const QString& field, const QString& defaultValue);
/** Creates an index on table(columns) unless an index already starts with those columns, in order. */
void ensureIndex(Database& db, const QString& table, const QStringList& columns);

}  // namespace SchemaEdits
