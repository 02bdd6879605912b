#include "StartupSettings.h"

#include "access/AccountingDatabase.h"

CommandLine parseCommandLine(const QString& argumentText) {
    if (argumentText.isEmpty())
        return {QString(), QStringLiteral("\\Mdb")};
    return {argumentText.left(1), argumentText.mid(2)};
}

QString buildDbPath(const QString& programFolder, const QString& dataFolder) {
    QString path = programFolder + dataFolder + QStringLiteral("\\ecordadb.mdb");
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString StartupSettings::outputFolder() const {
    return QString(programFolder + DataFolder).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

StartupSettings loadStartupSettings(const QString& programFolder, const CommandLine& commandLine) {
    StartupSettings settings;
    settings.programFolder = programFolder;
    settings.DataFolder = commandLine.DataFolder;
    settings.DbPath = buildDbPath(programFolder, commandLine.DataFolder);
    auto db = openAccountingDatabase(settings.DbPath);
    settings.fonts = readFontSettings(*db);
    db->close();
    return settings;
}
