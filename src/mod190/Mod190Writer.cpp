#include "Mod190Writer.h"

#include "Mod190Statements.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "declaration/Amount.h"
#include "declaration/FieldRules.h"
#include "declaration/OutputTextFile.h"
#include "declaration/RecordDesigns.h"

namespace {

using namespace FieldRules;

QByteArray cents15(const QVariant& euros) {
    return amount(roundToCents(euros.toDouble()), 15);
}
QByteArray cents13(const QVariant& euros) {
    return amount(roundToCents(euros.toDouble()), 13);
}

bool isCeutaOrMelilla(const QString& cp, const QString& key) {
    return (cp == QLatin1String("51") || cp == QLatin1String("52")) && key == QLatin1String("F02");
}

}  // namespace

QString WriteDeclarantRecord(Database& db, OutputTextFile& file, ContactInputs& contact) {
    using enum DeclarantField;
    DeclarantHeader header = buildDeclarantHeader(db, QStringLiteral("190"), contact);
    const QString perceptors =
        db.openRecordset(Mod190Statements::kPerceptorCount).value(0).toString().trimmed();
    const Recordset totals = db.openRecordset(Mod190Statements::kTotals);
    header.record.put(RecordCount, digits(perceptors, 9))
        .put(Total, cents15(totals.value(0)))
        .put(TotalWithheld, cents15(totals.value(1)))
        .put(Email, text(contact.email, 50));
    file.writeRaw(header.record.line());
    return header.DeclarantNif;
}

void WritePerceptorRecords(Database& db, OutputTextFile& file, const QString& DeclarantNif) {
    const QByteArray year = digits(QString::number(Clock::declarationYear()), 4);
    const QByteArray declarant = digits(DeclarantNif, 9);
    for (Recordset rows = db.openRecordset(Mod190Statements::kPerceptors); !rows.eof(); rows.moveNext()) {
        const QString cp = rows.value(QStringLiteral("CP")).toString();
        const QString key = rows.value(QStringLiteral("Control")).toString();
        using enum PerceptorField;
        DesignedRecord record(RecordDesigns::perceptor190());
        record.put(FiscalYear, year)
            .put(DeclarantNif, declarant)
            .put(PerceptorNif, digits(rows.value(QStringLiteral("Nif")).toString(), 9))
            .put(Name, text(recordName(rows.value(QStringLiteral("Nombre")).toString()), 40))
            .put(Province, province(cp))
            .put(Key, text(key, 3))
            .put(Paid, cents13(rows.value(QStringLiteral("Princp"))))
            .put(Withheld, cents13(rows.value(QStringLiteral("Reten"))))
            .put(CeutaOrMelilla, isCeutaOrMelilla(cp, key) ? QByteArray("1") : QByteArray("0"));
        file.writeRaw(record.line());
    }
}
