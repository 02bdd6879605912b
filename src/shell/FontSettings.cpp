#include "FontSettings.h"

#include "db/Database.h"

bool isFlagSet(const QVariant& value) {
    if (value.isNull())
        return false;
    if (value.typeId() == QMetaType::QString)
        return value.toString() == QLatin1String("-1");
    return value.toDouble() == -1;
}

FontSettings readFontSettings(Database& db) {
    const Recordset rs = db.openRecordset(kFontRowStatement);
    FontSettings settings;
    if (rs.bof())
        return settings;
    settings.ConfigFontName = rs.value(0);
    settings.ConfigFontSize = rs.value(1);
    settings.ConfigFontBold = isFlagSet(rs.value(2));
    settings.ConfigFontStrikethrough = isFlagSet(rs.value(3));
    settings.ConfigFontUnderline = isFlagSet(rs.value(4));
    settings.ConfigFontItalic = isFlagSet(rs.value(5));
    settings.ConfigForeColor = rs.value(6);
    return settings;
}
