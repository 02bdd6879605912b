#include "CliCommands.h"

#include "CliArguments.h"
#include "filecheck/DeclarationComparison.h"
#include "filecheck/DeclarationFileCheck.h"
#include "report/DeclarationSummary.h"

#include <cmath>

namespace {

constexpr double kDefaultChangePercent = 10;

// "10", "2,5" or "2.5": a percentage of zero or more.
std::optional<double> changePercent(const CliArguments& args) {
    if (!args.has(QStringLiteral("change")))
        return kDefaultChangePercent;
    bool ok = false;
    const double percent =
        args.value(QStringLiteral("change")).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || percent < 0 || !std::isfinite(percent))
        return std::nullopt;
    return percent;
}

}  // namespace

int runCheckFileCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(
        arguments, {QStringLiteral("pdf"), QStringLiteral("compare"), QStringLiteral("change")});
    if (!args || args->positional().size() != 1 ||
        (args->has(QStringLiteral("change")) && !args->has(QStringLiteral("compare")))) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    const std::optional<double> percent = changePercent(*args);
    if (!percent) {
        streams.err << QStringLiteral("El porcentaje de --change ha de ser un número de 0 en adelante.\n");
        return kExitUsage;
    }
    const QString path = args->positional().first();
    QString failure;
    const std::optional<CheckedDeclaration> newer = checkDeclarationFileAt(path, failure);
    if (!newer) {
        streams.err << failure << '\n';
        return kExitUsage;
    }
    std::optional<DeclarationComparison> comparison;
    if (args->has(QStringLiteral("compare"))) {
        const QString olderPath = args->value(QStringLiteral("compare"));
        const std::optional<CheckedDeclaration> older = checkDeclarationFileAt(olderPath, failure);
        if (!older) {
            streams.err << failure << '\n';
            return kExitUsage;
        }
        comparison = compareDeclarations(*newer, *older, *percent);
        if (!comparison) {
            streams.err << differentModelsMessage(path, newer->model, olderPath, older->model) << '\n';
            return kExitUsage;
        }
    }
    const CheckedDeclaration& checked = *newer;
    for (const FileProblem& problem : checked.problems)
        streams.out << problem.text() << '\n';
    streams.out << checked.summaryLine() << '\n';
    if (comparison)
        for (const QString& line : comparison->lines())
            streams.out << line << '\n';
    if (args->has(QStringLiteral("pdf"))) {
        DeclarationSummary summary(checked);
        if (comparison)
            summary.setComparison(*comparison);
        try {
            summary.exportPdf(args->value(QStringLiteral("pdf")));
        } catch (const FileError& error) {
            streams.err << error.message() << '\n';
            return kExitFailure;
        }
    }
    return checked.errorCount() > 0 ? kExitFailure : kExitOk;
}
