#include "OutputTextFile.h"

#include "Windows1252.h"

namespace {
constexpr int kPrintZone = 14;
}

void OutputTextFile::writeLine(const QString& text) {
    writeRaw(Windows1252::encode(text) + "\r\n");
}

QByteArray OutputTextFile::supplierLine(const QString& nif, const QString& name) {
    const QByteArray nifBytes = Windows1252::encode(nif);
    const qsizetype zoneEnd = (nifBytes.size() / kPrintZone + 1) * kPrintZone;
    return nifBytes.leftJustified(zoneEnd, ' ') + Windows1252::encode(name);
}
