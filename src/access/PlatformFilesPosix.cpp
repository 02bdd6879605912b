#include "FileLock.h"
#include "PlatformFiles.h"

#include "db/DbError.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
int descriptor(qintptr handle) {
    return static_cast<int>(handle);
}
}  // namespace

FileLock::FileLock(const QString& path) {
    m_handle = ::open(path.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_handle < 0)
        throw DbError(QStringLiteral("No se puede crear el archivo de bloqueo '%1': %2")
                          .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno))));
}

FileLock::~FileLock() {
    ::close(descriptor(m_handle));
}

// flock converts a lock the descriptor holds into the kind asked for.
bool FileLock::tryLock(Kind kind) {
    const int operation = (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    int rc;
    do {
        rc = ::flock(descriptor(m_handle), operation);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

void FileLock::unlock() {
    ::flock(descriptor(m_handle), LOCK_UN);
}

bool replaceFile(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
