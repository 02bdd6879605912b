#pragma once

#include "FontSettings.h"

#include <QString>

/** What the program's argument text asks for: a mode character and a data folder. */
struct CommandLine {
    /** "1" shows only the Modelo 347 button, "2" only the Modelo 190 one; empty without arguments. */
    QString modeCharacter;
    /** Appended to the program folder as it is; "\Mdb" without arguments. */
    QString DataFolder;
};

/** Reads the argument text: the mode is its first character, the folder its third character on. */
CommandLine parseCommandLine(const QString& argumentText);

/** DbPath: program folder, data folder and "\ecordadb.mdb", joined as they are; "\" separates folders. */
QString buildDbPath(const QString& programFolder, const QString& dataFolder);

/** The process-wide values that the start-up settles and every window reads. */
struct StartupSettings {
    QString programFolder;
    /** As the command line gives it, a backslash separating folders: "\Mdb", or "\Datos" for other accounts.
     */
    QString DataFolder = QStringLiteral("\\Mdb");
    QString DbPath;
    FontSettings fonts;

    /**
     * The folder of the declaration, review and check files and the documents:
     * the data folder, beside its ecordadb.mdb, so that each set of accounts
     * keeps its own files ("\Mdb" inside the program folder by default).
     */
    QString outputFolder() const;
};

/**
 * The start-up's work with the database: opens it shared at DbPath with
 * DbConnect, reads the font row and closes it again. Throws DbError.
 */
StartupSettings loadStartupSettings(const QString& programFolder, const CommandLine& commandLine);
