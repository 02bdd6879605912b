#include "ReplacingFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

constexpr int kMostLinksFollowed = 32;

QString cannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("No se puede escribir el fichero %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// The file a path leads to through its symbolic links; it need not exist yet.
QString followLinks(const QString& path) {
    QFileInfo target(path);
    for (int followed = 0; target.isSymbolicLink(); ++followed) {
        if (followed == kMostLinksFollowed)
            throw FileError(cannotWrite(path, QStringLiteral("sus enlaces no llevan a ningún fichero")));
        target.setFile(target.symLinkTarget());
    }
    return target.filePath();
}

QString reasonFor(const QFileDevice& file, const QString& target) {
    const QFileInfo folder(QFileInfo(target).absolutePath());
    if (!folder.isDir())
        return QStringLiteral("la carpeta %1 no existe").arg(QDir::toNativeSeparators(folder.filePath()));
    if (file.error() == QFileDevice::ResourceError || QStorageInfo(folder.filePath()).bytesAvailable() == 0)
        return QStringLiteral("no queda espacio en el disco");
    if (file.error() == QFileDevice::PermissionsError || !folder.isWritable())
        return QStringLiteral("no tiene permiso para escribir en la carpeta %1")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    return file.errorString();
}

}  // namespace

ReplacingFile::ReplacingFile(const QString& path) : m_path(path) {
    const QString target = followLinks(path);
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isFile())
        throw FileError(cannotWrite(path, QStringLiteral("no es un fichero normal")));
    m_file.setFileName(target);
    if (!m_file.open(QIODevice::WriteOnly))
        fail();
}

void ReplacingFile::write(const QByteArray& bytes) {
    if (m_file.write(bytes) != bytes.size())
        fail();
}

void ReplacingFile::commit() {
    // commit() alone can lose a failure of the last buffered bytes and put a short file in place.
    if (!m_file.flush() || !m_file.commit())
        fail();
}

void ReplacingFile::giveUp(const QString& reason) {
    if (m_file.error() != QFileDevice::NoError)
        fail();
    throw FileError(cannotWrite(m_path, reason));
}

void ReplacingFile::fail() {
    // The temporary file goes with m_file, as this object is left behind.
    throw FileError(cannotWrite(m_path, reasonFor(m_file, m_file.fileName())));
}
