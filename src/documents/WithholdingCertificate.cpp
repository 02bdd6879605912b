#include "WithholdingCertificate.h"

#include "DocumentPage.h"
#include "declaration/PerceptionKeys.h"

namespace {

QString described(const QString& code, const QString& description) {
    return description.isEmpty() ? code : code + QStringLiteral(": ") + description;
}

}  // namespace

void paintWithholdingCertificate(QPainter& painter, const CheckedDeclaration& declaration,
                                 const DeclaredRecord& perceptor, const DocumentSigning& signing) {
    const qint64 paid = perceptor.amounts.value(0);
    const qint64 withheld = perceptor.amounts.value(1);
    const PerceptionKeyText key = perceptionKeyText(perceptor.key);
    DocumentPage page(painter);
    page.title(
        QStringLiteral("Certificado de retenciones e ingresos a cuenta del Impuesto sobre la Renta "
                       "de las Personas Físicas"));
    page.field(QStringLiteral("Ejercicio"), declaration.fiscalYear);

    page.heading(QStringLiteral("Pagador"));
    page.field(QStringLiteral("Nombre o razón social"), declaration.declarantName);
    page.field(QStringLiteral("NIF"), declaration.declarantNif);

    page.heading(QStringLiteral("Perceptor"));
    page.field(QStringLiteral("Apellidos y nombre o razón social"), perceptor.name);
    page.field(QStringLiteral("NIF"), perceptor.nif);

    page.heading(QStringLiteral("Percepciones"));
    page.field(QStringLiteral("Clave"), described(QString(key.key), key.keyDescription));
    page.field(QStringLiteral("Subclave"), described(key.subkey, key.subkeyDescription));
    page.space(150);
    page.amount(QStringLiteral("Importe íntegro satisfecho"), paid);
    page.amount(QStringLiteral("Retenciones e ingresos a cuenta practicados"), withheld);
    page.amount(QStringLiteral("Importe neto percibido"), paid - withheld, true);

    page.space(300);
    page.paragraph(
        QStringLiteral("El pagador certifica que en el ejercicio %1 ha satisfecho al perceptor las "
                       "cantidades indicadas y ha practicado sobre ellas las retenciones e ingresos "
                       "a cuenta que se detallan, declarados en el resumen anual (modelo 190) que "
                       "presenta a la Agencia Tributaria.")
            .arg(declaration.fiscalYear));
    page.placeAndDate(signing);
    page.signature(QStringLiteral("Firma y sello del pagador"), signing);
}
