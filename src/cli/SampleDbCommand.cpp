#include "CliCommands.h"

#include "CliArguments.h"
#include "SampleDatabase.h"
#include "db/DbError.h"

#include <optional>

namespace {

std::optional<qint64> numberOption(const CliArguments& args, const QString& name, qint64 fallback,
                                   qint64 minimum) {
    if (!args.has(name))
        return fallback;
    bool ok = false;
    const qint64 value = args.value(name).toLongLong(&ok);
    if (!ok || value < minimum)
        return std::nullopt;
    return value;
}

}  // namespace

int runSampleDbCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments,
                                          {QStringLiteral("suppliers"), QStringLiteral("entries"),
                                           QStringLiteral("seed"), QStringLiteral("years")},
                                          {QStringLiteral("faults")});
    if (!args || args->positional().size() != 1) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    SampleOptions options;
    const auto suppliers =
        numberOption(*args, QStringLiteral("suppliers"), options.suppliers, kMinimumSampleSuppliers);
    const auto entries =
        numberOption(*args, QStringLiteral("entries"), options.entries, kMinimumSampleEntries);
    const auto seed = numberOption(*args, QStringLiteral("seed"), 1, 0);
    const auto years = numberOption(*args, QStringLiteral("years"), options.years, 1);
    if (!suppliers || !entries || !seed || !years || *suppliers > 10000000 || *entries > 100000000 ||
        *years > kMaximumSampleYears) {
        streams.err << QStringLiteral(
                           "Se necesitan al menos %1 proveedores y %2 apuntes, una semilla no "
                           "negativa y de 1 a %3 años.\n")
                           .arg(kMinimumSampleSuppliers)
                           .arg(kMinimumSampleEntries)
                           .arg(kMaximumSampleYears);
        return kExitUsage;
    }
    options.suppliers = static_cast<int>(*suppliers);
    options.entries = static_cast<int>(*entries);
    options.seed = static_cast<quint64>(*seed);
    options.years = static_cast<int>(*years);
    options.faults = args->has(QStringLiteral("faults"));
    try {
        createSampleDatabase(args->positional().first(), options);
        return kExitOk;
    } catch (const DbError& error) {
        printDbError(streams.err, error);
        return kExitFailure;
    }
}
