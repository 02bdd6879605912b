#include "CliCommands.h"

#include "CliArguments.h"
#include "TabularOutput.h"
#include "db/DbError.h"
#include "report/ErrorEnCIF.h"
#include "taxid/SupplierReview.h"

int runReviewIdsCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {QStringLiteral("db"), QStringLiteral("pdf")});
    if (!args || !args->has(QStringLiteral("db")) || !args->positional().isEmpty()) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    const QString DbPath = args->value(QStringLiteral("db"));
    QList<ReviewRow> rows;
    try {
        rows = reviewSuppliers(DbPath);
    } catch (const DbError& error) {
        streams.err << reviewFailureMessage(error) << '\n';
        return kExitFailure;
    }
    for (const ReviewRow& row : rows)
        streams.out << tabularText(row.nif) << '\t' << tabularText(row.nombre) << '\n';
    if (args->has(QStringLiteral("pdf"))) {
        try {
            ErrorEnCIF(rows, centreName(DbPath)).exportPdf(args->value(QStringLiteral("pdf")));
        } catch (const FileError& error) {
            streams.err << error.message() << '\n';
            return kExitFailure;
        }
    }
    return kExitOk;
}
