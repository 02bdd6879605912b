#include "OutputTextFile.h"

#include "Windows1252.h"

namespace {
constexpr int kPrintZone = 14;
}

OutputTextFile::OutputTextFile(const QString& path) : m_path(path), m_file(path) {
    if (!m_file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("No se puede crear el fichero"));
}

void OutputTextFile::writeLine(const QString& text) {
    writeRaw(Windows1252::encode(text) + "\r\n");
}

void OutputTextFile::writeRaw(const QByteArray& bytes) {
    if (m_file.write(bytes) != bytes.size())
        fail(QStringLiteral("No se puede escribir en el fichero"));
}

void OutputTextFile::close() {
    if (m_closed)
        return;
    if (!m_file.commit())
        fail(QStringLiteral("No se puede cerrar el fichero"));
    m_closed = true;
}

QByteArray OutputTextFile::supplierLine(const QString& nif, const QString& name) {
    const QByteArray nifBytes = Windows1252::encode(nif);
    const qsizetype zoneEnd = (nifBytes.size() / kPrintZone + 1) * kPrintZone;
    return nifBytes.leftJustified(zoneEnd, ' ') + Windows1252::encode(name);
}

void OutputTextFile::fail(const QString& what) {
    throw FileError(QStringLiteral("%1 %2: %3").arg(what, m_path, m_file.errorString()));
}
