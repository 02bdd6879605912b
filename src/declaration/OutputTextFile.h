#pragma once

#include "base/ReplacingFile.h"

#include <QByteArray>
#include <QString>

/**
 * A text file for the office or the agency: Windows-1252 lines ended by
 * CR LF, put in place whole by close() as a ReplacingFile. A run that stops
 * before, on a failure or by the user's choice, leaves the earlier file as it
 * was and no partial one. Every failure throws FileError.
 */
class OutputTextFile {
public:
    /** Starts the file; an existing one stays until close(). */
    explicit OutputTextFile(const QString& path) : m_file(path) {}

    /** Writes a text as one line. */
    void writeLine(const QString& text);
    /** Writes bytes that already hold their line end, such as a declaration record. */
    void writeRaw(const QByteArray& bytes) { m_file.write(bytes); }
    /** Puts the file in its place; throws if any byte did not get there. */
    void close() { m_file.commit(); }

    /** A review file's supplier line: the NIF, then the name at the next print zone of 14 columns. */
    static QByteArray supplierLine(const QString& nif, const QString& name);

private:
    ReplacingFile m_file;
};
