#pragma once

#include "DeclarationFileCheck.h"

#include <optional>

/** One amount of a record found in both files that changed by more than the percentage asked. */
struct AmountChange {
    DeclaredRecord record;
    /** Which amount: "importe anual", "percepción íntegra" or "retenciones". */
    QString amountName;
    qint64 before = 0;
    qint64 after = 0;

    qint64 difference() const { return after - before; }
    /** The difference against the old amount, in percent; nothing when the old amount was 0. */
    std::optional<double> percent() const;
    /** "+150,0 %", or "antes era cero". */
    QString percentText() const;
};

/**
 * An earlier declaration file set beside a later one of the same model:
 * Modelo 347 records are matched by the declared NIF (by country and name for
 * province 99) and compared by their yearly amount; Modelo 190 records by the
 * perceptor's NIF with the key and subkey, and compared by the amount paid
 * and the amount withheld, each on its own.
 */
struct DeclarationComparison {
    QString model;
    QString olderYear;
    QString newerYear;
    QString olderDeclarant;
    QString newerDeclarant;
    /** The declarations' numbers, positions 108-120. */
    QString olderNumber;
    QString newerNumber;
    /** The compared amounts' names, in the order of the totals. */
    QStringList amountNames;
    /** Only in the newer file, and only in the older one, in file order. */
    QList<DeclaredRecord> added;
    QList<DeclaredRecord> gone;
    /** The largest difference first. */
    QList<AmountChange> changed;
    double changePercent = 10;
    int olderCount = 0;
    int newerCount = 0;
    QList<qint64> olderTotals;
    QList<qint64> newerTotals;

    /** How a record is named in the lists: its NIF, or country for province 99, its name and key. */
    static QString recordLabel(const QString& model, const DeclaredRecord& record);
    /** The percentage asked, as Spaniards write it: "10", "2,5". */
    QString changePercentText() const;
    /** Its first line: with which year, and the percentage. */
    QString heading() const;
    /** Another declarant, the same year or the same declaration number in both files: one line each. */
    QStringList notes() const;
    /** The counts and totals, old beside new, and how many records each list holds. */
    QStringList totalLines() const;
    /** The comparison in Spanish, one line an item: the heading, the notes, the three lists, the totals. */
    QStringList lines() const;
};

/** What check-file --compare says when the two files are of different models. */
QString differentModelsMessage(const QString& newerPath, const QString& newerModel, const QString& olderPath,
                               const QString& olderModel);

/**
 * Compares `newer` with `older`; an amount counts as changed when it moved by
 * more than `changePercent` of the old amount, or when the old amount was 0.
 * Nothing when the two files are of different models.
 */
std::optional<DeclarationComparison> compareDeclarations(const CheckedDeclaration& newer,
                                                         const CheckedDeclaration& older,
                                                         double changePercent);
