#include "DeclarantHeader.h"

#include "FieldRules.h"
#include "RecordDesigns.h"
#include "TextNormalization.h"
#include "Windows1252.h"
#include "db/Clock.h"
#include "db/Database.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Only the digits 0 to 9: any other would reach the record as a wrong byte.
bool isPlainDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

}  // namespace

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

bool isShapedLikeAnEmail(const QString& address) {
    static const QRegularExpression kShape(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    return kShape.match(address).hasMatch();
}

QList<ContactProblem> contactProblems(const QString& model, const ContactInputs& contact) {
    constexpr int kTelephone = 0;
    constexpr int kPerson = 1;
    constexpr int kEmail = 3;
    QList<ContactProblem> problems;
    const QString telephone = telephoneDigits(contact.telephone.trimmed());
    if (!isPlainDigits(telephone))
        problems.append({kTelephone, QStringLiteral("El teléfono debe tener solo cifras (ha escrito «%1»).")
                                         .arg(contact.telephone.trimmed())});
    else if (telephone.size() != 9)
        problems.append(
            {kTelephone,
             QStringLiteral("El teléfono debe tener 9 cifras (ha escrito %1).").arg(telephone.size())});
    if (contact.contactPerson.trimmed().isEmpty())
        problems.append(
            {kPerson, QStringLiteral("Falta la persona de contacto, a la que llamará la Agencia.")});
    const QString email = contact.email.trimmed();
    if (model == QLatin1String("190") && !email.isEmpty() && !isShapedLikeAnEmail(email))
        problems.append(
            {kEmail, QStringLiteral("El correo electrónico «%1» no es una dirección.").arg(email)});
    return problems;
}

ContactInputs initialContactInputs() {
    ContactInputs initial;
    initial.telephone = kExampleTelephone;
    initial.contactPerson = kExampleContactPerson;
    initial.declarationNumber = QStringLiteral("0000000001");
    return initial;
}

QByteArray declarationNumberField(const QString& model, const QString& typed) {
    return model.toLatin1() + FieldRules::digits(typed, 10);
}

QString declarationIdentityProblem(const QString& model, const ContactInputs& contact) {
    if (!contact.refusedRecordsFile.isEmpty() && contact.kind != DeclarationKind::Complementary)
        return QStringLiteral(
            "Sólo una declaración complementaria lleva únicamente los registros que la Agencia rechazó: "
            "elija «Complementaria» y escriba el número de la declaración que presentó.");
    if (contact.kind == DeclarationKind::Normal)
        return QString();
    const QString& previous = contact.previousNumber;
    if (previous.size() != 13 || !isPlainDigits(previous))
        return QStringLiteral(
                   "El número de la declaración anterior ha de tener 13 cifras, sin espacios ni guiones; ha "
                   "escrito «%1».")
            .arg(previous);
    if (!previous.startsWith(model))
        return QStringLiteral(
                   "El número de la declaración anterior ha de empezar por %1, el código del modelo; ha "
                   "escrito «%2».")
            .arg(model, previous);
    if (previous.toLatin1() == declarationNumberField(model, contact.declarationNumber))
        return QStringLiteral(
                   "El número de la declaración anterior, %1, es el mismo que el de esta declaración: cada "
                   "declaración ha de llevar un número propio.")
            .arg(previous);
    return QString();
}

Centre readCentre(Database& db) {
    const Recordset centro = db.openRecordset(QStringLiteral("select * from Centro"));
    if (centro.eof())
        return {};
    return {centro.value(QStringLiteral("NIF")).toString(),
            centro.value(QStringLiteral("Nombre")).toString()};
}

DeclarantHeader buildDeclarantHeader(Database& db, const QString& model, ContactInputs& contact) {
    using enum DeclarantField;
    using namespace FieldRules;
    const bool is347 = model == QLatin1String("347");
    const Centre centre = readCentre(db);
    DeclarantHeader header{
        DesignedRecord(is347 ? RecordDesigns::declarant347() : RecordDesigns::declarant190()), centre.nif};
    contact.telephone = telephoneDigits(contact.telephone);
    contact.contactPerson = recordName(contact.contactPerson);
    header.record.put(FiscalYear, digits(QString::number(Clock::declarationYear()), 4))
        .put(DeclarantNif, digits(header.DeclarantNif, 9))
        .put(DeclarantName, text(recordName(centre.name), 40))
        .put(Telephone, text(contact.telephone, 9))
        .put(ContactPerson, text(contact.contactPerson, 40))
        .put(DeclarationNumber, declarationNumberField(model, contact.declarationNumber))
        .put(ComplementaryMark, contact.kind == DeclarationKind::Complementary ? "C" : " ")
        .put(SubstitutiveMark, contact.kind == DeclarationKind::Substitutive ? "S" : " ")
        .put(PreviousNumber, contact.kind == DeclarationKind::Normal ? QByteArray(13, '0')
                                                                     : digits(contact.previousNumber, 13));
    return header;
}
