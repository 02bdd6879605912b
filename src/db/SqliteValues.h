#pragma once

#include <QString>
#include <QVariant>

struct sqlite3_context;
struct sqlite3_stmt;
struct sqlite3_value;

/**
 * The one conversion between the program's values and SQLite's: Null is an
 * invalid QVariant, a whole number a qlonglong, a real a double, a text a
 * QString and a blob a QByteArray.
 */
namespace SqliteValues {

/** A value SQLite hands over: a column of a row or a function's argument. */
QVariant fromSqlite(sqlite3_value* value);
/** A column of the current row of `stmt`. */
QVariant column(sqlite3_stmt* stmt, int column);
/** A value's text, as SQLite converts it, read without going through a QVariant. */
QString text(sqlite3_value* value);

/** Binds `value` to parameter `index` (from 1); returns SQLite's result code. */
int bind(sqlite3_stmt* stmt, int index, const QVariant& value);

/** Sets a function's result. */
void setResult(sqlite3_context* ctx, const QVariant& value);
void setResultText(sqlite3_context* ctx, const QString& text);
/** Fails the function, and the statement, with `message`. */
void setResultError(sqlite3_context* ctx, const QString& message);

}  // namespace SqliteValues
