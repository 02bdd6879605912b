#include "AccessFile.h"

#include "db/DbError.h"

#include <QDir>
#include <QFile>

bool startsAsAccessFile(const QString& path) {
    // Bytes 4 to 19 name the engine that wrote the file.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(20);
    return header.size() == 20 && (header.mid(4) == QByteArray("Standard Jet DB", 16) ||
                                   header.mid(4) == QByteArray("Standard ACE DB", 16));
}

DbError unreadableAccessFile(const QString& path, const QString& why) {
    return DbError(QStringLiteral("No se puede leer el archivo de Access '%1': %2")
                       .arg(QDir::toNativeSeparators(path), why));
}
