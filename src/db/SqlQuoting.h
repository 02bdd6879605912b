#pragma once

#include <QString>

/** A name as SQLite's own dialect quotes it: "name", with its inner quotes doubled. */
inline QString quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

/** A text as a literal of SQL: 'text', with its inner quotes doubled. */
inline QString quoteText(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
