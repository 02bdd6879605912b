#include "CliCommands.h"

#include "CliArguments.h"
#include "filecheck/DeclarationFileCheck.h"
#include "filecheck/DeclarationSummary.h"

#include <QFile>

int runCheckFileCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {QStringLiteral("pdf")});
    if (!args || args->positional().size() != 1) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    const QString path = args->positional().first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        streams.err << QStringLiteral("No se puede leer el fichero %1: %2\n").arg(path, file.errorString());
        return kExitUsage;
    }
    const std::optional<CheckedDeclaration> checked = checkDeclarationFile(file.readAll());
    if (!checked) {
        streams.err
            << QStringLiteral("El fichero %1 no es una declaración del modelo 190 ni del 347.\n").arg(path);
        return kExitUsage;
    }
    for (const FileProblem& problem : checked->problems)
        streams.out << problem.text() << '\n';
    streams.out << checked->summaryLine() << '\n';
    if (args->has(QStringLiteral("pdf")) &&
        !DeclarationSummary(*checked).exportPdf(args->value(QStringLiteral("pdf")))) {
        streams.err << QStringLiteral("No se ha podido escribir el fichero %1.\n")
                           .arg(args->value(QStringLiteral("pdf")));
        return kExitFailure;
    }
    return checked->errorCount() > 0 ? kExitFailure : kExitOk;
}
