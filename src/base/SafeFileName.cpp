#include "SafeFileName.h"

namespace {
constexpr int kFileNameLength = 120;
}

QString safeFileName(const QString& name, QChar replacement) {
    static const QString kForbidden = QStringLiteral("<>:\"/\\|?*");
    QString safe;
    for (const QChar c : name)
        safe.append(c.unicode() < 0x20 || kForbidden.contains(c) ? replacement : c);
    safe = safe.simplified().left(kFileNameLength);
    while (safe.endsWith(QLatin1Char('.')) || safe.endsWith(QLatin1Char(' ')))
        safe.chop(1);
    return safe.isEmpty() ? QStringLiteral("SIN NOMBRE") : safe;
}
