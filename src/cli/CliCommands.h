#pragma once

#include "base/RunOutcome.h"

#include <QStringList>

#include <QTextStream>

class DbError;
class ListingReport;

/** The streams a command writes to. */
struct CliStreams {
    QTextStream& out;
    QTextStream& err;
    /** Whether someone watches `err` in a terminal, for a long run to show its progress there. */
    bool errIsATerminal = false;
};

/** Runs aeat-cli with its arguments (without the program name) and returns the exit status. */
int runCli(const QStringList& arguments, CliStreams streams);

/** The usage text, printed on bad usage. */
QString cliUsage();

/** A database failure as the office reads it, with SQLite's own words after it where they say more. */
void printDbError(QTextStream& err, const DbError& error);

/** Prints a listing; with a `pdfPath`, writes it there as a PDF too. Throws FileError. */
void printListing(QTextStream& out, const ListingReport& listing, const QString& pdfPath);

int runQueryCommand(const QStringList& arguments, CliStreams streams);
int runCheckIdCommand(const QStringList& arguments, CliStreams streams);
int runSampleDbCommand(const QStringList& arguments, CliStreams streams);
int runMod190Command(const QStringList& arguments, CliStreams streams);
int runMod347Command(const QStringList& arguments, CliStreams streams);
int runReviewIdsCommand(const QStringList& arguments, CliStreams streams);
int runCheckFileCommand(const QStringList& arguments, CliStreams streams);
int runDocumentsCommand(const QStringList& arguments, CliStreams streams);
int runAgencyErrorsCommand(const QStringList& arguments, CliStreams streams);
int runKeysCommand(const QStringList& arguments, CliStreams streams);
int runReconciliation111Command(const QStringList& arguments, CliStreams streams);
int runImportMdbCommand(const QStringList& arguments, CliStreams streams);
int runReadMdbCommand(const QStringList& arguments, CliStreams streams);
