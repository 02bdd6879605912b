#pragma once

#include <QChar>
#include <QString>

/**
 * A name made safe for a file on Linux and on Windows: the characters Windows
 * refuses, and control characters, become `replacement`; blanks are
 * simplified, the name is cut to 120 characters and loses the dots and blanks
 * it ends in. «B12345674 LIMPIEZAS, S.L.» is «B12345674 LIMPIEZAS, S.L».
 */
QString safeFileName(const QString& name, QChar replacement = QLatin1Char('_'));
