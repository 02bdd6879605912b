#pragma once

#include <QString>

class DbError;

/** Whether the file starts as an Access database does: the header of Jet 3, Jet 4 or ACE. */
bool startsAsAccessFile(const QString& path);

/** An Access file that cannot be read, and why. */
DbError unreadableAccessFile(const QString& path, const QString& why);
