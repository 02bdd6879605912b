#include "DeclarantHeader.h"

#include "FieldRules.h"
#include "TextNormalization.h"
#include "Windows1252.h"
#include "db/Clock.h"
#include "db/Database.h"

QString recordName(const QString& name) {
    return NormalizeText(Windows1252::toUpper(name));
}

ContactInputs initialContactInputs(const QString& model) {
    return {kExampleTelephone, kExampleContactPerson,
            model == QLatin1String("347") ? QStringLiteral("0000000001") : QStringLiteral("0000000000000")};
}

DeclarantHeader buildDeclarantHeader(Database& db, const QString& model, ContactInputs& contact) {
    const Recordset centro = db.openRecordset(QStringLiteral("select * from Centro"));
    DeclarantHeader header;
    QString name;
    if (!centro.eof()) {
        header.DeclarantNif = centro.value(QStringLiteral("NIF")).toString();
        name = centro.value(QStringLiteral("Nombre")).toString();
    }
    contact.contactPerson = recordName(contact.contactPerson);
    const QByteArray number = model == QLatin1String("347")
                                  ? QByteArray("347") + FieldRules::digits(contact.declarationNumber, 10)
                                  : FieldRules::digits(contact.declarationNumber, 13);
    header.record.add(1, 1, FieldRules::constant("1", 1))
        .add(2, 4, FieldRules::constant(model.toLatin1().constData(), 3))
        .add(5, 8, FieldRules::digits(QString::number(Clock::declarationYear()), 4))
        .add(9, 17, FieldRules::digits(header.DeclarantNif, 9))
        .add(18, 57, FieldRules::text(recordName(name), 40))
        .add(58, 58, FieldRules::constant("T", 1))
        .add(59, 67, FieldRules::text(contact.telephone, 9))
        .add(68, 107, FieldRules::text(contact.contactPerson, 40))
        .add(108, 120, number)
        .add(121, 121, FieldRules::constant(" ", 1))
        .add(122, 122, FieldRules::constant(" ", 1))
        .add(123, 135, FieldRules::constant("0000000000000", 13));
    return header;
}
