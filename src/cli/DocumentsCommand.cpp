#include "CliCommands.h"

#include "CliArguments.h"
#include "access/AccountingDatabase.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "documents/DeclarationDocuments.h"

#include <QDir>

namespace {

// «Carta 1.234 de 12.800», over and over on one line of the terminal; each stage ends its own line.
DeclarationDocuments::Progress terminalProgress(QTextStream& err, const DeclarationDocuments& documents) {
    return [&err, &documents](DeclarationDocuments::Stage stage, int written, int total) {
        err << '\r' << documents.progressText(stage, written, total) << QStringLiteral("   ");
        if (written == total)
            err << '\n';
        err.flush();
        return true;
    };
}

}  // namespace

int runDocumentsCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {QStringLiteral("out"), QStringLiteral("db"),
                                                      QStringLiteral("firma"), QStringLiteral("lugar")});
    if (!args || args->positional().size() != 1 || !args->has(QStringLiteral("out"))) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    QString failure;
    std::optional<DeclarationDocuments> documents =
        DeclarationDocuments::fromFile(args->positional().first(), failure);
    if (!documents) {
        streams.err << failure << '\n';
        return kExitFailure;
    }
    documents->setSigning(DocumentSigning::fromSigner(
        args->value(QStringLiteral("firma")), args->value(QStringLiteral("lugar")), Clock::now().date()));
    int fromTheFile = 0;
    if (args->has(QStringLiteral("db"))) {
        try {
            fromTheFile =
                documents->takeNamesFrom(*openAccountingDatabase(args->value(QStringLiteral("db"))));
        } catch (const DbError& error) {
            printDbError(streams.err, error);
            return kExitFailure;
        }
    }
    const QString folder = args->value(QStringLiteral("out"));
    if (!documents->writeTo(folder, failure,
                            streams.errIsATerminal ? terminalProgress(streams.err, *documents)
                                                   : DeclarationDocuments::Progress())) {
        streams.err << failure << '\n';
        return kExitFailure;
    }
    const QString written = QDir::toNativeSeparators(documents->pathIn(folder));
    streams.out << QStringLiteral("%1.pdf: %2 %3\n")
                       .arg(written)
                       .arg(documents->pageCount())
                       .arg(documents->documentsName());
    streams.out << QStringLiteral("%1: %2 ficheros, uno por %3\n")
                       .arg(written)
                       .arg(documents->parties().size())
                       .arg(documents->partyName());
    if (fromTheFile > 0)
        streams.out << documents->namesFromTheFileLine(fromTheFile) << '\n';
    return kExitOk;
}
