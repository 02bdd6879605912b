#include "DeclarationComparison.h"

#include "base/NumberText.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

bool isModelo190(const QString& model) {
    return model == QLatin1String("190");
}

QStringList comparedAmountNames(const QString& model) {
    if (isModelo190(model))
        return {QStringLiteral("percepción íntegra"), QStringLiteral("retenciones")};
    return {QStringLiteral("importe anual")};
}

// What identifies a record from one year to the next.
QString matchKey(const QString& model, const DeclaredRecord& record) {
    constexpr QChar kSeparator(0x1F);
    if (isModelo190(model))
        return record.nif + kSeparator + record.key;
    if (record.province == QLatin1String("99"))
        return record.province + kSeparator + record.nif + kSeparator + record.name;
    return record.nif;
}

// The records of a file by their key, in file order; a key that comes twice adds its amounts up.
struct KeyedRecords {
    QList<DeclaredRecord> records;
    QHash<QString, qsizetype> byKey;

    const DeclaredRecord* find(const QString& key) const {
        const auto at = byKey.constFind(key);
        return at == byKey.cend() ? nullptr : &records[*at];
    }
};

KeyedRecords keyed(const CheckedDeclaration& checked, qsizetype amounts) {
    KeyedRecords keyedRecords;
    for (const DeclaredRecord& record : checked.declared) {
        const QString key = matchKey(checked.model, record);
        const auto at = keyedRecords.byKey.constFind(key);
        if (at == keyedRecords.byKey.cend()) {
            keyedRecords.byKey.insert(key, keyedRecords.records.size());
            keyedRecords.records.append(record);
            continue;
        }
        DeclaredRecord& first = keyedRecords.records[*at];
        for (qsizetype i = 0; i < amounts && i < record.amounts.size() && i < first.amounts.size(); ++i)
            first.amounts[i] += record.amounts[i];
    }
    return keyedRecords;
}

QList<qint64> totals(const CheckedDeclaration& checked, qsizetype amounts) {
    QList<qint64> sums(amounts, 0);
    for (const DeclaredRecord& record : checked.declared)
        for (qsizetype i = 0; i < amounts && i < record.amounts.size(); ++i)
            sums[i] += record.amounts[i];
    return sums;
}

bool changedBeyond(qint64 before, qint64 after, double percent) {
    if (before == 0)
        return after != 0;
    return std::fabs(static_cast<double>(after - before)) * 100.0 >
           percent * std::fabs(static_cast<double>(before));
}

QString amountsText(const QStringList& names, const DeclaredRecord& record) {
    QStringList parts;
    for (qsizetype i = 0; i < names.size() && i < record.amounts.size(); ++i)
        parts.append(names[i] + QLatin1Char(' ') + spanishAmount(record.amounts[i]));
    return parts.join(QStringLiteral(", "));
}

}  // namespace

std::optional<double> AmountChange::percent() const {
    if (before == 0)
        return std::nullopt;
    return static_cast<double>(difference()) * 100.0 / std::fabs(static_cast<double>(before));
}

QString AmountChange::percentText() const {
    const std::optional<double> change = percent();
    if (!change)
        return QStringLiteral("antes era cero");
    return (*change > 0 ? QStringLiteral("+") : QString()) +
           QString::number(*change, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')) +
           QStringLiteral(" %");
}

QString DeclarationComparison::changePercentText() const {
    return QString::number(changePercent).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString DeclarationComparison::recordLabel(const QString& model, const DeclaredRecord& record) {
    if (isModelo190(model))
        return QStringLiteral("%1 %2 (clave %3)").arg(record.nif, record.name, record.key);
    if (record.province == QLatin1String("99"))
        return QStringLiteral("país %1, %2").arg(record.nif, record.name);
    return QStringLiteral("%1 %2").arg(record.nif, record.name);
}

QString DeclarationComparison::heading() const {
    return QStringLiteral(
               "Comparación con el fichero anterior, del ejercicio %1: cambios de más del %2 % del "
               "importe anterior.")
        .arg(olderYear, changePercentText());
}

QStringList DeclarationComparison::notes() const {
    QStringList notes;
    if (olderDeclarant != newerDeclarant)
        notes.append(
            QStringLiteral("Aviso: el NIF del declarante es %1 en el fichero anterior y %2 en este; se "
                           "comparan de todos modos.")
                .arg(olderDeclarant, newerDeclarant));
    if (olderYear == newerYear)
        notes.append(
            QStringLiteral("Los dos ficheros son del ejercicio %1: se compara otra ejecución del mismo "
                           "año.")
                .arg(newerYear));
    // The agency knows a declaration by its number within the exercise.
    if (olderNumber == newerNumber && olderYear == newerYear)
        notes.append(QStringLiteral("Los dos ficheros llevan el número de declaración %1: la Agencia rechaza "
                                    "una segunda presentación del ejercicio con el mismo número.")
                         .arg(newerNumber));
    else if (olderNumber == newerNumber)
        notes.append(QStringLiteral("Los dos ficheros llevan el número de declaración %1, cada uno en su "
                                    "ejercicio: la Agencia lo admite.")
                         .arg(newerNumber));
    return notes;
}

QStringList DeclarationComparison::totalLines() const {
    QStringList lines{
        QStringLiteral("Registros: %1 en el fichero anterior y %2 en este.").arg(olderCount).arg(newerCount)};
    for (qsizetype i = 0; i < amountNames.size(); ++i)
        lines.append(QStringLiteral("Total de %1: %2 en el fichero anterior y %3 en este.")
                         .arg(amountNames[i], spanishAmount(olderTotals.value(i)),
                              spanishAmount(newerTotals.value(i))));
    lines.append(QStringLiteral("Nuevos: %1; ya no figuran: %2; cambios: %3.")
                     .arg(added.size())
                     .arg(gone.size())
                     .arg(changed.size()));
    return lines;
}

QStringList DeclarationComparison::lines() const {
    QStringList lines = QStringList{heading()} + notes();
    for (const DeclaredRecord& record : added)
        lines.append(QStringLiteral("Nuevo: %1: %2.")
                         .arg(recordLabel(model, record), amountsText(amountNames, record)));
    for (const DeclaredRecord& record : gone)
        lines.append(QStringLiteral("Ya no figura: %1: %2.")
                         .arg(recordLabel(model, record), amountsText(amountNames, record)));
    for (const AmountChange& change : changed)
        lines.append(QStringLiteral("Cambio: %1: %2 de %3 a %4, diferencia %5 (%6).")
                         .arg(recordLabel(model, change.record), change.amountName,
                              spanishAmount(change.before), spanishAmount(change.after),
                              spanishAmount(change.difference()), change.percentText()));
    return lines + totalLines();
}

QString differentModelsMessage(const QString& newerPath, const QString& newerModel, const QString& olderPath,
                               const QString& olderModel) {
    return QStringLiteral("No se pueden comparar: %1 es del modelo %2 y %3 del modelo %4.")
        .arg(newerPath, newerModel, olderPath, olderModel);
}

std::optional<DeclarationComparison> compareDeclarations(const CheckedDeclaration& newer,
                                                         const CheckedDeclaration& older,
                                                         double changePercent) {
    if (newer.model != older.model)
        return std::nullopt;
    DeclarationComparison comparison;
    comparison.model = newer.model;
    comparison.olderYear = older.fiscalYear;
    comparison.newerYear = newer.fiscalYear;
    comparison.olderDeclarant = older.declarantNif;
    comparison.newerDeclarant = newer.declarantNif;
    comparison.olderNumber = older.declarationNumber;
    comparison.newerNumber = newer.declarationNumber;
    comparison.amountNames = comparedAmountNames(newer.model);
    comparison.changePercent = changePercent;
    const qsizetype amounts = comparison.amountNames.size();
    comparison.olderCount = static_cast<int>(older.declared.size());
    comparison.newerCount = static_cast<int>(newer.declared.size());
    comparison.olderTotals = totals(older, amounts);
    comparison.newerTotals = totals(newer, amounts);

    const KeyedRecords before = keyed(older, amounts);
    const KeyedRecords after = keyed(newer, amounts);
    for (const DeclaredRecord& record : after.records) {
        const DeclaredRecord* earlier = before.find(matchKey(newer.model, record));
        if (!earlier) {
            comparison.added.append(record);
            continue;
        }
        for (qsizetype i = 0; i < amounts && i < record.amounts.size() && i < earlier->amounts.size(); ++i)
            if (changedBeyond(earlier->amounts[i], record.amounts[i], changePercent))
                comparison.changed.append(
                    {record, comparison.amountNames[i], earlier->amounts[i], record.amounts[i]});
    }
    for (const DeclaredRecord& record : before.records)
        if (!after.find(matchKey(older.model, record)))
            comparison.gone.append(record);
    std::stable_sort(comparison.changed.begin(), comparison.changed.end(),
                     [](const AmountChange& a, const AmountChange& b) {
                         return std::llabs(a.difference()) > std::llabs(b.difference());
                     });
    return comparison;
}
