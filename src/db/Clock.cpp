#include "Clock.h"

namespace {
QDateTime g_pinned;
}

QDateTime Clock::now() {
    return g_pinned.isValid() ? g_pinned : QDateTime::currentDateTime();
}

int Clock::currentYear() {
    return now().date().year();
}

int Clock::declarationYear() {
    return currentYear() - 1;
}

void Clock::pin(const QDateTime& moment) {
    g_pinned = moment;
}

void Clock::unpin() {
    g_pinned = QDateTime();
}
