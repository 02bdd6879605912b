#include "FileLock.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
constexpr int kRetryMs = 50;
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
