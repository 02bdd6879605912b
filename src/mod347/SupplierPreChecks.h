#pragma once

#include <QString>

class Database;
class UserInterface;

enum class SupplierCheck {
    GoOn,
    /** Suppliers lack a postal code: RevisarCP.txt lists them and was opened for the user. */
    MissingPostalCodes,
    /** Doubtful identifiers are listed in RevisarNIF.txt and the user chose not to go on. */
    Declined,
};

/**
 * The pre-checks of the selected suppliers (Stper) before their records are
 * written: postal codes first, then the CIF/NIF of each. Review files go to
 * `folder`. Throws DbError or FileError.
 */
SupplierCheck CheckSupplierData(Database& db, const QString& folder, UserInterface& ui);

inline const QString kPostalCodeCheckFile = QStringLiteral("RevisarCP.txt");
inline const QString kIdentifierCheckFile = QStringLiteral("RevisarNIF.txt");
