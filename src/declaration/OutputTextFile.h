#pragma once

#include "base/MessageError.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

/** A file that could not be created, written or closed. */
class FileError : public MessageError {
public:
    using MessageError::MessageError;
};

/**
 * A text file for the office or the agency: Windows-1252 lines ended by
 * CR LF. It is written under a temporary name beside its place and takes the
 * place, replacing the file that was there, only when close() succeeds. A run
 * that stops before, on a failure or by the user's choice, leaves the earlier
 * file as it was and no partial one. Every failure throws FileError.
 */
class OutputTextFile {
public:
    /** Starts the file; an existing one stays until close(). */
    explicit OutputTextFile(const QString& path);
    OutputTextFile(const OutputTextFile&) = delete;
    OutputTextFile& operator=(const OutputTextFile&) = delete;

    /** Writes a text as one line. */
    void writeLine(const QString& text);
    /** Writes bytes that already hold their line end, such as a declaration record. */
    void writeRaw(const QByteArray& bytes);
    /** Flushes the file to the disk and puts it in its place; throws if any byte did not get there. */
    void close();

    /** A review file's supplier line: the NIF, then the name at the next print zone of 14 columns. */
    static QByteArray supplierLine(const QString& nif, const QString& name);

private:
    [[noreturn]] void fail(const QString& what);

    QString m_path;
    QSaveFile m_file;
    bool m_closed = false;
};
