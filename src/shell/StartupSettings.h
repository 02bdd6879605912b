#pragma once

#include <QString>

/** The connect string that carries the accounting database's password. */
inline const QString DbConnect = QStringLiteral(";pwd=kvt503927.mqa");
