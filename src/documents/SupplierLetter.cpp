#include "SupplierLetter.h"

#include "DocumentPage.h"

namespace {

// The telephone as it is read aloud: «915 550 123».
QString spacedTelephone(const QString& digits) {
    if (digits.size() != 9)
        return digits;
    return digits.left(3) + QLatin1Char(' ') + digits.mid(3, 3) + QLatin1Char(' ') + digits.mid(6);
}

QString contactSentence(const CheckedDeclaration& declaration) {
    const QString telephone = spacedTelephone(declaration.contactTelephone.trimmed());
    if (declaration.contactPerson.isEmpty())
        return QStringLiteral("Pueden llamarnos al teléfono %1.").arg(telephone);
    return QStringLiteral("Pueden dirigirse a %1, en el teléfono %2.")
        .arg(declaration.contactPerson, telephone);
}

}  // namespace

void paintSupplierLetter(QPainter& painter, const CheckedDeclaration& declaration,
                         const DeclaredRecord& supplier, const DocumentSigning& signing) {
    DocumentPage page(painter);
    page.field(QStringLiteral("De"), declaration.declarantName);
    page.field(QStringLiteral("NIF"), declaration.declarantNif);
    page.space(300);
    page.field(QStringLiteral("A"), supplier.name);
    page.field(QStringLiteral("NIF"),
               supplier.nif.isEmpty() ? QStringLiteral("(sin NIF español)") : supplier.nif);

    page.heading(QStringLiteral("Declaración anual de operaciones con terceras personas (modelo 347), "
                                "ejercicio %1")
                     .arg(declaration.fiscalYear));
    page.paragraph(QStringLiteral("Les comunicamos las operaciones que, según nuestra contabilidad, hemos "
                                  "realizado con ustedes en el ejercicio %1 y que declararemos a la Agencia "
                                  "Tributaria en el modelo 347:")
                       .arg(declaration.fiscalYear));
    const QList<qint64>& amounts = supplier.amounts;
    page.amount(QStringLiteral("Importe anual de las operaciones"), amounts.value(0), true);
    if (supplier.cashBasis) {
        page.amount(QStringLiteral("Importe pagado en el año"), amounts.value(5));
        page.paragraph(
            QStringLiteral("Sus operaciones están acogidas al régimen especial del criterio de caja del "
                           "IVA: se declara además el importe pagado en el año, sin desglose por "
                           "trimestres."));
    } else {
        for (int quarter = 1; quarter <= 4; ++quarter)
            page.amount(QStringLiteral("%1.º trimestre").arg(quarter), amounts.value(quarter));
    }
    page.space(300);
    page.paragraph(
        QStringLiteral("Si estas cifras no coinciden con las de su contabilidad, les rogamos que nos "
                       "lo comuniquen en el plazo de 15 días desde que reciban esta carta, para que "
                       "ambas partes declaremos las mismas cantidades. ") +
        contactSentence(declaration));
    page.placeAndDate(signing);
    page.space(150);
    page.paragraph(QStringLiteral("Atentamente,"));
    page.signature(QStringLiteral("Firma y sello"), signing);
}
