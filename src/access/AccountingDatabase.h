#pragma once

#include "db/Database.h"

/** The connect string that carries the accounting database's password. */
inline const QString DbConnect = QStringLiteral(";pwd=kvt503927.mqa");

/**
 * Opens the accounting database at `DbPath` with DbConnect. The package's
 * Access file is recognised by its header and opened through its working
 * copy (WorkingCopy), made or refreshed first as needed. Throws DbError.
 */
std::unique_ptr<Database> openAccountingDatabase(const QString& DbPath, OpenMode mode = OpenMode::Shared);
