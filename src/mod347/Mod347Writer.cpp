#include "Mod347Writer.h"

#include "Mod347Statements.h"
#include "OperationsExtraction.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "declaration/Amount.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/FieldRules.h"
#include "declaration/OutputTextFile.h"
#include "declaration/RecordDesigns.h"
#include "declaration/RefusedParties.h"

#include <QHash>

#include <array>
#include <cstdlib>

namespace {

using namespace FieldRules;

// Province 99 stands for a supplier abroad, whose NIF begins with its country code.
const QString kAbroad = QStringLiteral("99");

// An amount the database gives as absent is 0.
double euros(const QVariant& value) {
    return value.isNull() ? 0 : value.toDouble();
}

QByteArray sign(double amount) {
    return amount < 0 ? QByteArray("N") : QByteArray(" ");
}

QByteArray centsSign(qint64 cents) {
    return cents < 0 ? QByteArray("N") : QByteArray(" ");
}

QByteArray centsMagnitude(qint64 cents) {
    return FieldRules::amount(std::abs(cents), 15);
}

// Rule 4 on the absolute value; the sign goes in its own position.
QByteArray magnitude(double amount) {
    return centsMagnitude(roundToCents(amount));
}

using QuarterCents = std::array<qint64, 4>;

// Each quarter in cents, rounded on the running sum so that the four add up to the rounded year even
// when an entry carries a fraction of a cent.
QuarterCents roundedQuarters(const std::array<double, 4>& quarters) {
    QuarterCents cents{};
    double runningEuros = 0;
    qint64 runningCents = 0;
    for (int quarter = 0; quarter < 4; ++quarter) {
        runningEuros += quarters[quarter];
        const qint64 upToThisQuarter = roundToCents(runningEuros);
        cents[quarter] = upToThisQuarter - runningCents;
        runningCents = upToThisQuarter;
    }
    return cents;
}

// The quarters of every supplier with entries in the declaration year, by its NIF, from one statement.
QHash<QString, QuarterCents> quarterlyAmounts(Database& db) {
    QHash<QString, QuarterCents> bySupplier;
    for (Recordset rows = db.openRecordset(Mod347Statements::quarterlyAmounts(Clock::declarationYear()));
         !rows.eof(); rows.moveNext()) {
        std::array<double, 4> quarters{};
        for (int quarter = 0; quarter < 4; ++quarter)
            quarters[quarter] = euros(rows.value(1 + quarter));
        bySupplier.insert(rows.value(0).toString(), roundedQuarters(quarters));
    }
    return bySupplier;
}

// The name as the record carries it: upper-cased, normalized, and cut at its first line break.
QString declaredName(const QString& name) {
    QString result = recordName(name);
    result.truncate(result.indexOf(QLatin1Char('\r')) >= 0 ? result.indexOf(QLatin1Char('\r'))
                                                           : result.size());
    result.truncate(result.indexOf(QLatin1Char('\n')) >= 0 ? result.indexOf(QLatin1Char('\n'))
                                                           : result.size());
    return result;
}

// A declared supplier as its record carries it, for a declaration of the refused ones.
QByteArray declaredIdentity(const Recordset& row) {
    const QString nif = row.value(QStringLiteral("nif")).toString();
    const QString code = row.value(QStringLiteral("expr1003")).toString();
    return RefusedParties::supplierIdentity(
        digits(nif, 9), province(code), text(nif.left(2), 2),
        text(declaredName(row.value(QStringLiteral("nombre")).toString()), 40));
}

struct DeclaredTotals {
    int records = 0;
    double yearly = 0;
};

// The agency reads the type 1 record's count as the number of records that follow, which the count
// statement need not equal (cash-basis suppliers, NifNO).
DeclaredTotals declaredTotals(Database& db, const RefusedParties* onlyRefused) {
    Recordset rows = db.openRecordset(Mod347Statements::kDeclaredSuppliers);
    if (!onlyRefused)
        return {rows.recordCount(),
                euros(db.openRecordset(QStringLiteral("select sum(Expr1005) from Stper")).value(0))};
    DeclaredTotals totals;
    for (; !rows.eof(); rows.moveNext()) {
        if (onlyRefused->contains(declaredIdentity(rows))) {
            ++totals.records;
            totals.yearly += euros(rows.value(QStringLiteral("expr1005")));
        }
    }
    return totals;
}

}  // namespace

std::optional<QString> WriteModelo347Header(Database& db, OutputTextFile& file, ContactInputs& contact,
                                            const QString& threshold, const RefusedParties* onlyRefused,
                                            UserInterface& ui) {
    DeclarantHeader header = buildDeclarantHeader(db, QStringLiteral("347"), contact);
    if (!CountDeclaredSuppliers(db, threshold, ui))
        return std::nullopt;
    const DeclaredTotals totals = declaredTotals(db, onlyRefused);
    if (onlyRefused && totals.records == 0) {  // none of the refused suppliers is declared today
        DeclarationMessages::tellRefusedLeftOut(ui, onlyRefused->leftOut({}));
        DeclarationMessages::tellNothingAboveTheThreshold(ui);
        return std::nullopt;
    }
    header.record.put(DeclarantField::RecordCount, count(totals.records, 9))
        .put(DeclarantField::Total, FieldRules::amount(roundToCents(totals.yearly), 15));
    file.writeRaw(header.record.line());
    return header.DeclarantNif;
}

QSet<QByteArray> WriteDeclaredRecords(Database& db, OutputTextFile& file, const QString& DeclarantNif,
                                      const RefusedParties* onlyRefused) {
    QSet<QByteArray> declared;
    const QByteArray year = digits(QString::number(Clock::declarationYear()), 4);
    const QByteArray declarant = digits(DeclarantNif, 9);
    // Every supplier's amounts from one reading of the file, without taking its lock for each statement.
    const Database::ReadTransaction oneReading(db);
    const QHash<QString, QuarterCents> quarterly = quarterlyAmounts(db);
    for (Recordset rows = db.openRecordset(Mod347Statements::kDeclaredSuppliers); !rows.eof();
         rows.moveNext()) {
        if (onlyRefused) {
            const QByteArray identity = declaredIdentity(rows);
            if (!onlyRefused->contains(identity))
                continue;
            declared.insert(identity);
        }
        const QString nif = rows.value(QStringLiteral("nif")).toString();
        const QString code = rows.value(QStringLiteral("expr1003")).toString();
        const QString ivacc = rows.value(QStringLiteral("ivacc")).toString();
        const double yearly = euros(rows.value(QStringLiteral("expr1005")));
        const bool abroad = code == kAbroad;
        // Only the ordinary scheme declares quarters; the cash-basis one leaves them at zero.
        const QuarterCents quarters = ivacc == QLatin1String("N") ? quarterly.value(nif) : QuarterCents{};
        double cashBasis = 0;
        if (ivacc == QLatin1String("S"))
            cashBasis = euros(db.openRecordset(Mod347Statements::kPaidInTheYear, {nif}).value(0));
        else if (ivacc != QLatin1String("N"))
            cashBasis = yearly;

        using enum DeclaredField;
        DesignedRecord record(RecordDesigns::declared347());
        record.put(FiscalYear, year)
            .put(DeclarantNif, declarant)
            .put(Nif, abroad ? QByteArray(9, ' ') : digits(nif, 9))
            .put(Name, text(declaredName(rows.value(QStringLiteral("nombre")).toString()), 40))
            .put(Province, province(code))
            .put(Country, abroad ? text(nif.left(2), 2) : QByteArray("  "))
            .put(YearlySign, sign(yearly))
            .put(Yearly, magnitude(yearly));
        for (int quarter = 0; quarter < 4; ++quarter)
            record.put(quarterFields(quarter).sign, centsSign(quarters[quarter]))
                .put(quarterFields(quarter).amount, centsMagnitude(quarters[quarter]));
        record.put(CashBasisMark, ivacc == QLatin1String("S") ? QByteArray("X") : QByteArray(" "))
            .put(CashBasisSign, ivacc == QLatin1String("N") ? QByteArray(" ") : sign(yearly))
            .put(CashBasis, ivacc == QLatin1String("N") ? QByteArray(15, '0') : magnitude(cashBasis));
        file.writeRaw(record.line());
    }
    return declared;
}
