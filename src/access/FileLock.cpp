#include "FileLock.h"

#include "db/DbError.h"

#include <QDeadlineTimer>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {
constexpr int kRetryMs = 50;
}

FileLock::FileLock(const QString& path) : m_path(path) {
    const QByteArray local = path.toLocal8Bit();
    m_fd = ::open(local.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        throw DbError(QStringLiteral("No se puede crear el archivo de bloqueo '%1': %2")
                          .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
}

FileLock::~FileLock() {
    ::close(m_fd);
}

bool FileLock::tryLock(Kind kind) {
    const int operation = (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    int rc;
    do {
        rc = ::flock(m_fd, operation);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool FileLock::lock(Kind kind, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!tryLock(kind)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kRetryMs);
    }
    return true;
}

void FileLock::unlock() {
    ::flock(m_fd, LOCK_UN);
}
