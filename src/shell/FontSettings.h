#pragma once

#include <QString>
#include <QVariant>

class Database;

/**
 * The font choice of the accounting package, which every window takes. Name,
 * size and colour are kept as stored and converted only when applied.
 */
struct FontSettings {
    QVariant ConfigFontName = QStringLiteral("Arial");
    QVariant ConfigFontSize = 9;
    bool ConfigFontBold = false;
    bool ConfigFontStrikethrough = false;
    bool ConfigFontUnderline = false;
    bool ConfigFontItalic = false;
    /** Red in the lowest byte, green in the next, blue in the third. */
    QVariant ConfigForeColor = 0;
};

/** The font row of the package's settings table. */
inline const QString kFontRowStatement = QStringLiteral("select a,b,c,d,e,f,h from config where tipo='Font'");

/** Reads the first Font row of config, or the defaults without one. Throws DbError when the query fails. */
FontSettings readFontSettings(Database& db);

/** A flag is set by "-1", as text or as number. */
bool isFlagSet(const QVariant& value);
