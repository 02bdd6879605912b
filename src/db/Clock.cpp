#include "Clock.h"

namespace {
QDateTime g_pinned;
}

QDateTime Clock::now() {
    return g_pinned.isValid() ? g_pinned : QDateTime::currentDateTime();
}

int Clock::declarationYear() {
    return now().date().year() - 1;
}

void Clock::pin(const QDateTime& moment) {
    g_pinned = moment;
}

void Clock::unpin() {
    g_pinned = QDateTime();
}
