#include "CliCommands.h"

#include "CliArguments.h"
#include "TabularOutput.h"
#include "access/AccessImport.h"
#include "access/AccountingDatabase.h"
#include "access/ImportProgressLines.h"
#include "access/WorkingCopy.h"
#include "db/DbError.h"

#include <QDir>
#include <QElapsedTimer>

int runImportMdbCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {});
    if (!args || args->positional().size() != 1) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    const QString accessPath = args->positional().first();
    try {
        auto copy = openAccountingDatabase(accessPath, OpenMode::ReadOnly);
        streams.err << QStringLiteral("Copia de trabajo: %1\n")
                           .arg(QDir::toNativeSeparators(WorkingCopy::pathFor(accessPath)));
        // The tables with their rows, then each saved query with what became of it.
        for (Recordset objects = copy->openNativeRecordset(
                 QStringLiteral("SELECT name, kind, rows, note FROM %1 ORDER BY kind <> 'table', rowid")
                     .arg(AccessImport::kPackageObjectsTable));
             !objects.eof(); objects.moveNext()) {
            const QString name = objects.value(0).toString();
            const QString kind = objects.value(1).toString();
            const auto note = AccessImport::RecordedNote::of(objects.value(3).toString());
            const QString outcome = kind == QLatin1String("table")
                                        ? QString::number(objects.value(2).toLongLong())
                                    : kind == QLatin1String("view") ? QStringLiteral("vista")
                                                                    : note.office;
            streams.out << tabularText(name) << '\t' << tabularText(outcome) << '\n';
            if (!note.engine.isEmpty())
                streams.err << name << QStringLiteral(": ") << note.engine << '\n';
        }
        return kExitOk;
    } catch (const DbError& error) {
        printDbError(streams.err, error);
        return kExitFailure;
    }
}

// The child process of an import: the reading library is only ever used here,
// so that a file that makes it crash or hang takes nothing else down.
int runReadMdbCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {});
    if (!args || args->positional().size() != 2) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    ImportProgressLines progress(streams.out);
    try {
        QElapsedTimer clock;
        clock.start();
        const qint64 rows =
            AccessImport::importAccessFile(args->positional()[0], args->positional()[1], &progress);
        streams.err << QStringLiteral("%1 filas en %2 ms\n").arg(rows).arg(clock.elapsed());
        return kExitOk;
    } catch (const DbError& error) {
        progress.failed(error.message());
        return kExitFailure;
    }
}
