#pragma once

#include <QString>
#include <QTemporaryDir>

/**
 * A disk of the test's own: a small tmpfs mounted on a temporary folder while
 * the object lives, which the test can fill. Only root can mount one; where
 * it cannot be mounted, isMounted() is false and the test skips.
 */
class SmallDisk {
public:
    explicit SmallDisk(int kibibytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    /** Fills the disk with a file of its own until only `bytesLeft` are free; false when it cannot. */
    bool fillLeaving(qint64 bytesLeft);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
