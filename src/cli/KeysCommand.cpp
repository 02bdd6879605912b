#include "CliCommands.h"

#include "TabularOutput.h"
#include "access/AccountingDatabase.h"
#include "base/NumberText.h"
#include "db/DbError.h"
#include "declaration/Amount.h"
#include "declaration/PerceptionKeys.h"
#include "mod190/PerceptorKeys.h"

#include <QSet>

namespace {

// What the command is asked to change: keys to set and NIFs to clear, in order.
struct KeyChanges {
    QString DbPath;
    QList<std::pair<QString, QString>> set;
    QStringList unset;
};

std::optional<KeyChanges> parse(const QStringList& arguments) {
    KeyChanges changes;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const qsizetype values = option == QLatin1String("--set") ? 2 : 1;
        if (i + values >= arguments.size())
            return std::nullopt;
        if (option == QLatin1String("--db"))
            changes.DbPath = arguments[++i];
        else if (option == QLatin1String("--set")) {
            changes.set.append({arguments[i + 1].trimmed(), arguments[i + 2].trimmed().toUpper()});
            i += 2;
        } else if (option == QLatin1String("--unset"))
            changes.unset.append(arguments[++i].trimmed());
        else
            return std::nullopt;
    }
    if (changes.DbPath.isEmpty())
        return std::nullopt;
    return changes;
}

// Why the changes cannot be made, or nothing; no change is made when one of them is wrong.
QString refusal(const KeyChanges& changes, const QList<PerceptorKeyRow>& perceptors) {
    QSet<QString> known;
    for (const PerceptorKeyRow& perceptor : perceptors)
        known.insert(perceptor.nif.toUpper());
    QStringList nifs = changes.unset;
    for (const auto& [nif, key] : changes.set) {
        nifs.append(nif);
        if (!isChoosableKey(key))
            return QStringLiteral(
                       "«%1» no es una clave y subclave que se pueda elegir: F01 a F07, G01 a G08, H01 "
                       "a H04, I01 a I03 o K01 a K05.")
                .arg(key);
    }
    for (const QString& nif : nifs)
        if (!known.contains(nif.toUpper()))
            return QStringLiteral("«%1» no es ningún perceptor de las retenciones del año pasado.").arg(nif);
    return QString();
}

void print(QTextStream& out, const QList<PerceptorKeyRow>& perceptors) {
    out << "NIF\tNombre\tPagado\tRetenido\tTipo\tClave por tipos\tClave elegida\tAviso\n";
    for (const PerceptorKeyRow& perceptor : perceptors)
        out << tabularText(perceptor.nif) << '\t' << tabularText(perceptor.name) << '\t'
            << spanishAmount(roundToCents(perceptor.paid)) << '\t'
            << spanishAmount(roundToCents(perceptor.withheld)) << '\t' << spanishPercent(perceptor.rate())
            << '\t' << perceptor.keyByRates << '\t' << perceptor.chosenKey << '\t'
            << (perceptor.blended() ? PerceptorKeys::blendedRatesWarning(perceptor) : QString()) << '\n';
}

}  // namespace

int runKeysCommand(const QStringList& arguments, CliStreams streams) {
    const std::optional<KeyChanges> changes = parse(arguments);
    if (!changes) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    try {
        const std::unique_ptr<Database> AccountsDb = openAccountingDatabase(changes->DbPath);
        const QString refused = refusal(*changes, PerceptorKeys::lastYearPerceptors(*AccountsDb));
        if (!refused.isEmpty()) {
            streams.err << refused << '\n';
            return kExitUsage;
        }
        for (const auto& [nif, key] : changes->set)
            PerceptorKeys::choose(*AccountsDb, nif, key);
        for (const QString& nif : changes->unset)
            PerceptorKeys::clear(*AccountsDb, nif);
        print(streams.out, PerceptorKeys::lastYearPerceptors(*AccountsDb));
    } catch (const DbError& error) {
        printDbError(streams.err, error);
        return kExitFailure;
    }
    return kExitOk;
}
