#include "DeclarantHeader.h"

#include "FieldRules.h"
#include "RecordDesigns.h"
#include "TextNormalization.h"
#include "Windows1252.h"
#include "db/Clock.h"
#include "db/Database.h"

QString recordName(const QString& name) {
    return NormalizeText(Windows1252::toUpper(name));
}

QString telephoneDigits(const QString& typed) {
    static const QString kSeparators = QStringLiteral(" -./()[]");
    QString digits;
    for (const QChar c : typed)
        if (!kSeparators.contains(c))
            digits.append(c);
    return digits;
}

ContactInputs initialContactInputs(const QString& model) {
    return {kExampleTelephone, kExampleContactPerson,
            model == QLatin1String("347") ? QStringLiteral("0000000001") : QStringLiteral("0000000000000"),
            QString()};
}

DeclarantHeader buildDeclarantHeader(Database& db, const QString& model, ContactInputs& contact) {
    using enum DeclarantField;
    using namespace FieldRules;
    const bool is347 = model == QLatin1String("347");
    const Recordset centro = db.openRecordset(QStringLiteral("select * from Centro"));
    DeclarantHeader header{
        DesignedRecord(is347 ? RecordDesigns::declarant347() : RecordDesigns::declarant190()), QString()};
    QString name;
    if (!centro.eof()) {
        header.DeclarantNif = centro.value(QStringLiteral("NIF")).toString();
        name = centro.value(QStringLiteral("Nombre")).toString();
    }
    contact.telephone = telephoneDigits(contact.telephone);
    contact.contactPerson = recordName(contact.contactPerson);
    header.record.put(FiscalYear, digits(QString::number(Clock::declarationYear()), 4))
        .put(DeclarantNif, digits(header.DeclarantNif, 9))
        .put(DeclarantName, text(recordName(name), 40))
        .put(Telephone, text(contact.telephone, 9))
        .put(ContactPerson, text(contact.contactPerson, 40))
        .put(DeclarationNumber, is347 ? QByteArray("347") + digits(contact.declarationNumber, 10)
                                      : digits(contact.declarationNumber, 13));
    return header;
}
