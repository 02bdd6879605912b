#include "DeclarationMessages.h"

#include "base/ApplicationTitle.h"
#include "base/NumberText.h"

#include <QDir>

namespace DeclarationMessages {

namespace {

void tellCritical(UserInterface& ui, const QString& text, const QString& title) {
    ui.showMessage(text, title, MessageIcon::Critical, MessageButtons::Ok);
}

QString seeTheFile(const QString& path) {
    return QStringLiteral("Vea el fichero \r\n") + QDir::toNativeSeparators(path);
}

}  // namespace

void announceWritten(UserInterface& ui, const QString& path) {
    ui.showMessage(QStringLiteral("Fichero : ") + QDir::toNativeSeparators(path),
                   QStringLiteral("PROCESO TERMINADO"), MessageIcon::None, MessageButtons::Ok);
}

QString firstLines(const QStringList& lines) {
    constexpr int kLinesShown = 10;
    QString text = lines.mid(0, kLinesShown).join(QStringLiteral("\r\n"));
    if (lines.size() > kLinesShown)
        text += QStringLiteral("\r\n... y %1 más").arg(lines.size() - kLinesShown);
    return text;
}

void tellFileCheckFindings(UserInterface& ui, const FileCheckFindings& findings) {
    QString text = QStringLiteral("La comprobación del fichero ha encontrado ") +
                   counted(findings.errors, QStringLiteral("error"), QStringLiteral("errores")) +
                   QStringLiteral(" y ") +
                   counted(findings.warnings, QStringLiteral("aviso"), QStringLiteral("avisos")) +
                   QStringLiteral(":\r\n\r\n") + firstLines(findings.problems);
    if (findings.listFailure.isEmpty())
        text += QStringLiteral("\r\n\r\nLa lista completa está en el fichero\r\n") +
                QDir::toNativeSeparators(findings.listPath);
    else
        text += QStringLiteral("\r\n\r\nNo se ha podido escribir la lista completa en el fichero\r\n") +
                QDir::toNativeSeparators(findings.listPath) + QStringLiteral("\r\n") + findings.listFailure;
    text += QStringLiteral(
        "\r\n\r\nEl fichero de la declaración se ha escrito. Usted decide si corrige "
        "los datos y lo vuelve a generar.");
    ui.showMessage(text, QStringLiteral("COMPROBACIÓN DEL FICHERO"), MessageIcon::Exclamation,
                   MessageButtons::Ok);
}

void tellNoWithholdings(UserInterface& ui) {
    ui.showMessage(QStringLiteral("No hay retenciones"), kSpacedAttentionTitle, MessageIcon::Information,
                   MessageButtons::Ok);
}

void tellReviewFile(UserInterface& ui, const QString& path) {
    ui.showMessage(QStringLiteral("El fichero ") + path +
                       QStringLiteral("\r\nle informa de errores que ha de corregir") +
                       QStringLiteral("\r\n para poder continuar"),
                   kSpacedAttentionTitle, MessageIcon::Exclamation, MessageButtons::Ok);
}

void tellReviewFileFailure(UserInterface& ui, const QString& reason) {
    tellCritical(ui, QStringLiteral("No se ha podido escribir el fichero de revisión.\r\n") + reason,
                 kSpacedAttentionTitle);
}

void tellPostalCodesUncheckable(UserInterface& ui, const QString& reason) {
    tellCritical(ui,
                 QStringLiteral("No se pueden comprobar los códigos postales de los retenidos:\r\n") + reason,
                 kSpacedAttentionTitle);
}

void tellWithholdingsQueryNotImported(UserInterface& ui, const QString& reason) {
    tellCritical(
        ui,
        QStringLiteral("La consulta de retenciones qryIRPF del archivo de Access no ha podido pasar a la "
                       "copia de trabajo (%1), así que no se pueden leer las retenciones.")
            .arg(reason),
        kSpacedAttentionTitle);
}

void tellDeclarantRecordFailure(UserInterface& ui, const QString& reason) {
    tellCritical(ui, QStringLiteral("No se ha podido generar el registro del declarante.\r\n") + reason,
                 kAttentionTitle);
}

void tellPerceptorsWithoutPostalCode(UserInterface& ui) {
    tellCritical(
        ui,
        QStringLiteral("Hay proveedores sin código postal que impiden la generación del fichero para la "
                       "AEAT. Revíselos"),
        kAttentionTitle);
}

void tellAgreementWith111(UserInterface& ui, const QString& agreement) {
    ui.showMessage(agreement, QStringLiteral("CUADRE CON LOS MODELOS 111"), MessageIcon::Information,
                   MessageButtons::Ok);
}

void tellBlendedRates(UserInterface& ui, const QStringList& perceptors) {
    ui.showMessage(
        QStringLiteral("Estos perceptores tienen retenciones a tipos que dan claves distintas, sumadas "
                       "en un solo registro con una sola clave. Revise su clave en «Claves de "
                       "percepción…» (aeat-cli claves):\r\n\r\n") +
            firstLines(perceptors),
        QStringLiteral("CLAVES DE PERCEPCIÓN"), MessageIcon::Exclamation, MessageButtons::Ok);
}

void tellDeclarationFileFailure(UserInterface& ui, const QString& reason) {
    tellCritical(ui, QStringLiteral("No se ha podido escribir el fichero de la declaración.\r\n") + reason,
                 kAttentionTitle);
}

void tellNothingAboveTheThreshold(UserInterface& ui) {
    ui.showMessage(QStringLiteral("No hay perceptores para incluir en el fichero."), kAttentionTitle,
                   MessageIcon::Information, MessageButtons::Ok);
}

MessageAnswer askWriteDespiteContact(UserInterface& ui, const QString& problem) {
    return ui.askDefaultingToNo(problem + QStringLiteral(" ¿Desea generar el fichero de todos modos?"),
                                kApplicationTitle, MessageIcon::Exclamation, {});
}

void tellDeclarationIdentityProblem(UserInterface& ui, const QString& problem) {
    ui.showMessage(problem, kApplicationTitle, MessageIcon::Exclamation, MessageButtons::Ok);
}

void tellRefusedLeftOut(UserInterface& ui, const QStringList& parties) {
    ui.showMessage(QStringLiteral("Con los datos de hoy de la contabilidad ya no se declaran estos registros "
                                  "que la Agencia rechazó, y no van en el fichero:\r\n\r\n") +
                       firstLines(parties),
                   QStringLiteral("DECLARACIÓN COMPLEMENTARIA"), MessageIcon::Information,
                   MessageButtons::Ok);
}

void tellThresholdUnusable(UserInterface& ui) {
    ui.showMessage(QStringLiteral("Mete bien el tope"), kApplicationTitle, MessageIcon::None,
                   MessageButtons::Ok);
}

void tellSuppliersWithoutPostalCode(UserInterface& ui, const QString& path) {
    tellCritical(ui, seeTheFile(path), QStringLiteral("ERRORES EN PROVEEDORES"));
}

MessageAnswer askGoOnWithDoubtfulIdentifiers(UserInterface& ui, const QString& path,
                                             const QStringList& suppliers) {
    // Going on writes a file that its check will find wrong: Enter must not do it.
    return ui.askDefaultingToNo(seeTheFile(path) + QStringLiteral("\r\n¿Desea continuar?"),
                                QStringLiteral("POSIBLES ERRORES EN CIF/NIF DE PROVEEDORES"),
                                MessageIcon::Critical, suppliers);
}

void tellModelo347Failure(UserInterface& ui, const QString& reason) {
    tellCritical(ui, QStringLiteral("No se ha podido generar el fichero del modelo 347.\r\n") + reason,
                 kAttentionTitle);
}

void tellCashBasisMarkNotSaved(UserInterface& ui, const QString& reason) {
    tellCritical(ui, QStringLiteral("No se ha podido guardar el IVA de caja del proveedor.\r\n") + reason,
                 kApplicationTitle);
}

}  // namespace DeclarationMessages
