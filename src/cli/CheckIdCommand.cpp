#include "CliCommands.h"

#include "taxid/cCifNif.h"

int runCheckIdCommand(const QStringList& arguments, CliStreams streams) {
    if (arguments.isEmpty()) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    cCifNif check;
    bool allValid = true;
    for (const QString& identifier : arguments) {
        QString checked = identifier;
        check.Entrada(checked);
        allValid = allValid && check.Correcto();
        streams.out << identifier << '\t' << (check.Correcto() ? "valid" : "invalid") << '\n';
    }
    return allValid ? kExitOk : kExitFailure;
}
