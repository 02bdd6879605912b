#pragma once

#include <QString>
#include <QtGlobal>

/**
 * An advisory lock on a file of its own, shared or exclusive, held until the
 * object goes: flock on Linux, LockFileEx on Windows (PlatformFilesPosix.cpp
 * and PlatformFilesWindows.cpp). It does not touch the files it guards: the
 * Access file is never locked, and SQLite's own locks are left alone. Locks
 * belong to the object, so two objects on one file exclude each other even
 * within one process.
 */
class FileLock {
public:
    enum class Kind { Shared, Exclusive };

    /** Opens (or creates) the lock file; throws DbError when it cannot. */
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /**
     * Takes the lock at once if it can, in place of any this object holds;
     * false when another holder stands in the way.
     */
    bool tryLock(Kind kind);
    /** Waits for the lock up to `timeoutMs`; false when it did not come. */
    bool lock(Kind kind, int timeoutMs);
    void unlock();

private:
    qintptr m_handle;  // the lock file's descriptor, or its Windows handle
};
