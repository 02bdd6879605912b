#include "CliCommands.h"

#include "CliArguments.h"
#include "documents/DeclarationDocuments.h"

#include <QDir>

int runDocumentsCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {QStringLiteral("out")});
    if (!args || args->positional().size() != 1 || !args->has(QStringLiteral("out"))) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    QString failure;
    const std::optional<DeclarationDocuments> documents =
        DeclarationDocuments::fromFile(args->positional().first(), failure);
    if (!documents) {
        streams.err << failure << '\n';
        return kExitFailure;
    }
    const QString folder = args->value(QStringLiteral("out"));
    if (!documents->writeTo(folder, failure)) {
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
    return kExitOk;
}
