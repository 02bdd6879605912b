#pragma once

#include <QString>

/**
 * Puts `from` in the place of `to`, replacing it in one step: whoever opens
 * `to` finds the old file or the new one, never neither. False when it could
 * not; `from` is then left as it was. rename on Linux, MoveFileEx on Windows
 * (PlatformFilesPosix.cpp and PlatformFilesWindows.cpp, with FileLock's
 * platform part).
 */
bool replaceFile(const QString& from, const QString& to);
