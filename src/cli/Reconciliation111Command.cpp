#include "CliCommands.h"

#include "CliArguments.h"
#include "access/AccountingDatabase.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "declaration/Amount.h"
#include "mod190/Reconciliation111.h"
#include "report/ListingReport.h"

namespace {

// `--presentado T=IMPORTE`: box 28 of quarter T, typed as Spaniards write amounts.
std::optional<std::pair<int, qint64>> filedBox28(const QString& typed, QString& why) {
    const QString quarter = typed.section(QLatin1Char('='), 0, 0).trimmed();
    const std::optional<qint64> cents = readSpanishCents(typed.section(QLatin1Char('='), 1));
    bool isNumber = false;
    const int number = quarter.toInt(&isNumber);
    if (!typed.contains(QLatin1Char('=')) || !isNumber || number < 1 || number > 4)
        why = QStringLiteral(
                  "--presentado %1: escriba el trimestre, del 1 al 4, un «=» y la casilla 28 de su "
                  "modelo 111, como en --presentado 2=1.234,56.")
                  .arg(typed);
    else if (!cents)
        why = QStringLiteral("--presentado %1: «%2» no es un importe; escríbalo como 1.234,56.")
                  .arg(typed, typed.section(QLatin1Char('='), 1));
    else
        return std::pair(number, *cents);
    return std::nullopt;
}

}  // namespace

int runReconciliation111Command(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(
        arguments, {QStringLiteral("db"), QStringLiteral("presentado"), QStringLiteral("pdf")});
    if (!args || !args->has(QStringLiteral("db")) || !args->positional().isEmpty()) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    Reconciliation111::FiledFigures typed;
    for (const QString& figure : args->values(QStringLiteral("presentado"))) {
        QString why;
        const auto box28 = filedBox28(figure, why);
        if (!box28) {
            streams.err << why << '\n';
            return kExitUsage;
        }
        typed.insert({box28->first, 28}, box28->second);
    }
    try {
        const std::unique_ptr<Database> AccountsDb =
            openAccountingDatabase(args->value(QStringLiteral("db")));
        if (!typed.isEmpty()) {
            const int year = Clock::declarationYear();
            Reconciliation111::FiledFigures kept = Reconciliation111::filedFigures(*AccountsDb, year);
            kept.insert(typed);
            Reconciliation111::keepFiledFigures(*AccountsDb, year, kept);
        }
        const Reconciliation111::Result result = Reconciliation111::reconcile(*AccountsDb);
        printListing(streams.out, ListingReport(result.title(), result.heading(), result.lines()),
                     args->value(QStringLiteral("pdf")));
        return result.disagreements().isEmpty() ? kExitOk : kExitFiguresDiffer;
    } catch (const DbError& error) {
        printDbError(streams.err, error);
    } catch (const FileError& error) {
        streams.err << error.message() << '\n';
    }
    return kExitFailure;
}
