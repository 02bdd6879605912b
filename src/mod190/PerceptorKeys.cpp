#include "PerceptorKeys.h"

#include "Mod190Statements.h"
#include "base/NumberText.h"
#include "db/Database.h"
#include "db/SkipOnFailure.h"
#include "declaration/PerceptionKeys.h"

#include <QMap>

#include <algorithm>

namespace PerceptorKeys {

namespace {

// The table is made the first time it is needed; making it fails when it is there already.
void ensureTable(Database& db) {
    skipOnFailure([&] { db.execute(Mod190Statements::kMakeChosenKeys); });
}

}  // namespace

QHash<QString, QString> chosenKeys(Database& db) {
    ensureTable(db);
    QHash<QString, QString> keys;
    for (Recordset rows = db.openRecordset(Mod190Statements::kChosenKeys); !rows.eof(); rows.moveNext())
        keys.insert(rows.value(0).toString().toUpper(), rows.value(1).toString());
    return keys;
}

void choose(Database& db, const QString& nif, const QString& key) {
    clear(db, nif);
    db.execute(Mod190Statements::kChooseKey, {nif.toUpper(), key});
}

void clear(Database& db, const QString& nif) {
    ensureTable(db);
    db.execute(Mod190Statements::kClearKey, {nif.toUpper()});
}

QList<PerceptorKeyRow> lastYearPerceptors(Database& db) {
    const QHash<QString, QString> chosen = chosenKeys(db);
    QMap<QString, PerceptorKeyRow> byNif;
    QHash<QString, QMap<QString, double>> rateByRange;
    for (Recordset entries = db.openRecordset(Mod190Statements::kLastYearEntries); !entries.eof();
         entries.moveNext()) {
        const QString nif = entries.value(0).toString();
        const double paid = entries.value(2).toDouble();
        const double withheld = entries.value(3).toDouble();
        PerceptorKeyRow& row = byNif[nif];
        if (row.nif.isEmpty()) {
            row.nif = nif;
            row.name = entries.value(1).toString();
            row.chosenKey = chosen.value(nif.toUpper());
        }
        row.paid += paid;
        row.withheld += withheld;
        if (withheld != 0 && paid != 0)
            rateByRange[nif].insert(rateRange(paid, withheld), withheld * 100 / paid);
    }
    QList<PerceptorKeyRow> rows = byNif.values();
    for (PerceptorKeyRow& row : rows) {
        row.keyByRates = keyByRates(row.paid, row.withheld);
        row.rates = rateByRange.value(row.nif).values();
        std::sort(row.rates.begin(), row.rates.end(), std::greater<>());
    }
    return rows;
}

void applyToWorkTable(Database& db) {
    const QHash<QString, QString> chosen = chosenKeys(db);
    for (auto it = chosen.cbegin(); it != chosen.cend(); ++it)
        db.execute(Mod190Statements::kApplyChosenKey, {it.value(), it.key()});
}

QString blendedRatesWarning(const PerceptorKeyRow& perceptor) {
    QStringList rates;
    for (const double rate : perceptor.rates)
        rates.append(spanishPercent(rate));
    const QString last = rates.takeLast();
    return QStringLiteral("retenciones a tipos distintos (%1 y %2): revise su clave")
        .arg(rates.join(QStringLiteral(", ")), last);
}

}  // namespace PerceptorKeys
