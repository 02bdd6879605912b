#pragma once

#include "Database.h"

/** The connect string that carries the accounting database's password. */
inline const QString DbConnect = QStringLiteral(";pwd=kvt503927.mqa");

/** Opens the accounting database at `DbPath` with DbConnect. Throws DbError. */
std::unique_ptr<Database> openAccountingDatabase(const QString& DbPath, OpenMode mode = OpenMode::Shared);
