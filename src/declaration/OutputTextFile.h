#pragma once

#include "base/MessageError.h"

#include <QByteArray>
#include <QFile>
#include <QString>

/** A file that could not be created, written or closed. */
class FileError : public MessageError {
public:
    using MessageError::MessageError;
};

/**
 * A text file for the office or the agency: Windows-1252 lines ended by
 * CR LF. Every failure throws FileError; the file counts as written only once
 * close() has returned. A file left without a successful close(), because its
 * run stopped on a failure, is removed, so that nobody sends half a file.
 */
class OutputTextFile {
public:
    /** Creates the file, or empties an existing one. */
    explicit OutputTextFile(const QString& path);
    ~OutputTextFile();
    OutputTextFile(const OutputTextFile&) = delete;
    OutputTextFile& operator=(const OutputTextFile&) = delete;

    /** Writes a text as one line. */
    void writeLine(const QString& text);
    /** Writes bytes that already hold their line end, such as a declaration record. */
    void writeRaw(const QByteArray& bytes);
    /** Flushes and closes; throws if any byte did not reach the disk. */
    void close();

    /** A review file's supplier line: the NIF, then the name at the next print zone of 14 columns. */
    static QByteArray supplierLine(const QString& nif, const QString& name);

private:
    [[noreturn]] void fail(const QString& what);

    QString m_path;
    QFile m_file;
    bool m_closed = false;
};
