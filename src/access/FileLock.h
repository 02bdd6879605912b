#pragma once

#include <QString>

/**
 * An advisory lock on a file of its own (flock), shared or exclusive, held
 * until the object goes. It does not touch the files it guards: the Access
 * file is never locked, and SQLite's own locks are left alone.
 */
class FileLock {
public:
    enum class Kind { Shared, Exclusive };

    /** Opens (or creates) the lock file; throws DbError when it cannot. */
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /** Takes the lock at once if it can; false when another holder stands in the way. */
    bool tryLock(Kind kind);
    /** Waits for the lock up to `timeoutMs`; false when it did not come. */
    bool lock(Kind kind, int timeoutMs);
    void unlock();

private:
    QString m_path;
    int m_fd = -1;
};
