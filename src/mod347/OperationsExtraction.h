#pragma once

#include <QString>

#include <optional>

class Database;
class UserInterface;

/**
 * Whether a threshold text may go into the statements: a plain decimal number
 * (optional sign, digits, at most one point) with blanks around it at most.
 */
bool isPlainDecimal(const QString& text);

/**
 * The threshold as Spaniards write it, as the plain decimal that the
 * statements take. A comma is the decimal separator and the points before it
 * separate thousands ("3.005,06" is "3005.06"). Without a comma, points that
 * group the digits by three separate thousands ("3.005" is "3005",
 * "1.234.567" is "1234567"), and any other point is the decimal one
 * ("3005.06"). Blanks around it go. Nothing for a text that is no number, or
 * for a negative one.
 */
std::optional<QString> readThreshold(const QString& typed);

/**
 * Builds the work table TStper and the saved queries Stper and NifNO with the
 * suppliers above `threshold`, each step skipped alone when it fails. When no
 * supplier passes it tells the user and returns false: the program ends.
 */
bool SelectOperations(Database& db, const QString& threshold, UserInterface& ui);

/**
 * The number of suppliers to declare above `threshold`. With none it tells
 * the user and returns nothing: the program ends. Throws DbError.
 */
std::optional<int> CountDeclaredSuppliers(Database& db, const QString& threshold, UserInterface& ui);
