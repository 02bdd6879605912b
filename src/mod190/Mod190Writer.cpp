#include "Mod190Writer.h"

#include "Mod190Statements.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "declaration/Amount.h"
#include "declaration/OutputTextFile.h"

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
    DeclarantHeader header = buildDeclarantHeader(db, QStringLiteral("190"), contact);
    const QString perceptors =
        db.openRecordset(Mod190Statements::kPerceptorCount).value(0).toString().trimmed();
    const Recordset totals = db.openRecordset(Mod190Statements::kTotals);
    header.record.add(136, 144, digits(perceptors, 9))
        .add(145, 145, constant(" ", 1))
        .add(146, 160, cents15(totals.value(0)))
        .add(161, 175, cents15(totals.value(1)))
        .add(176, 500, QByteArray(325, ' '));
    file.writeRaw(header.record.line());
    return header.DeclarantNif;
}

void WritePerceptorRecords(Database& db, OutputTextFile& file, const QString& DeclarantNif) {
    const QByteArray year = digits(QString::number(Clock::declarationYear()), 4);
    for (Recordset rows = db.openRecordset(Mod190Statements::kPerceptors); !rows.eof(); rows.moveNext()) {
        const QString cp = rows.value(QStringLiteral("CP")).toString();
        const QString key = rows.value(QStringLiteral("Control")).toString();
        DeclarationRecord record;
        record.add(1, 1, constant("2", 1))
            .add(2, 4, constant("190", 3))
            .add(5, 8, year)
            .add(9, 17, digits(DeclarantNif, 9))
            .add(18, 26, digits(rows.value(QStringLiteral("Nif")).toString(), 9))
            .add(27, 35, constant("         ", 9))
            .add(36, 75, text(recordName(rows.value(QStringLiteral("Nombre")).toString()), 40))
            .add(76, 77, province(cp))
            .add(78, 80, text(key, 3))
            .add(81, 81, constant(" ", 1))
            .add(82, 94, cents13(rows.value(QStringLiteral("Princp"))))
            .add(95, 107, cents13(rows.value(QStringLiteral("Reten"))))
            .add(108, 108, constant(" ", 1))
            .add(109, 121, constant("0000000000000", 13))
            .add(122, 134, constant("0000000000000", 13))
            .add(135, 147, constant("0000000000000", 13))
            .add(148, 151, constant("0000", 4))
            .add(152, 152, constant(isCeutaOrMelilla(cp, key) ? "1" : "0", 1))
            .add(153, 254,
                 constant(
                     "00000         00 "
                     "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000",
                     102))
            .add(255, 500, QByteArray(246, ' '));
        file.writeRaw(record.line());
    }
}
