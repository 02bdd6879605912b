#pragma once

#include "base/MessageError.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

/** A file that could not be created, written or put in its place; the message names it and says why. */
class FileError : public MessageError {
public:
    using MessageError::MessageError;
};

/**
 * A file the program writes for the office: written under a temporary name
 * beside its place, it replaces the file there only when commit() succeeds,
 * so that a failure or a stop leaves the earlier file as it was and no
 * partial one. A path through a symbolic link writes the file the link
 * points to and keeps the link; a path that names a folder, a device, a pipe
 * or anything else that is not a plain file is refused before anything is
 * written. Every failure throws FileError.
 */
class ReplacingFile {
public:
    explicit ReplacingFile(const QString& path);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void write(const QByteArray& bytes);
    /** Puts the whole file in its place; throws if any byte did not reach the disk. */
    void commit();
    /**
     * Leaves the earlier file as it was and throws: with the reason of a failed write when there was
     * one, otherwise with `reason`.
     */
    [[noreturn]] void giveUp(const QString& reason);

private:
    [[noreturn]] void fail();

    QString m_path;
    QSaveFile m_file;
};
