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
 * The threshold box's text once it loses the focus: its first comma becomes
 * the decimal point, and the points before that comma, thousands separators
 * as Spaniards write them, go ("3.005,06" is "3005.06"). A text without a
 * comma stays as it is.
 */
QString thresholdWithDecimalPoint(const QString& text);

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
