#include "SqliteFile.h"

#include "DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray kSqliteHeader("SQLite format 3", 16);  // the text and its NUL

bool startsAsSqliteDatabase(QFile& file) {
    return file.read(kSqliteHeader.size()) == kSqliteHeader;
}

}  // namespace

bool startsAsSqliteDatabase(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && startsAsSqliteDatabase(file);
}

void requireSqliteDatabaseFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(QStringLiteral("No se encuentra el archivo '%1'.").arg(QDir::toNativeSeparators(path)));
    if (!info.isFile())
        throw DbError(
            QStringLiteral("'%1' no es un archivo de base de datos.").arg(QDir::toNativeSeparators(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("No se puede abrir el archivo '%1': %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (!startsAsSqliteDatabase(file))
        throw notADatabase(path);
}

DbError notADatabase(const QString& path) {
    return DbError(
        QStringLiteral("El archivo '%1' no es una base de datos.").arg(QDir::toNativeSeparators(path)));
}
