#include "Mod190Run.h"

#include "Mod190Writer.h"
#include "WithholdingExtraction.h"
#include "db/Database.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"
#include "base/UserInterface.h"

#include <QDir>

namespace {

enum class Stage { DeclarantRecord, PerceptorRecords };

RunOutcome stop(Database& db, UserInterface& ui, const QString& text) {
    dropWithholdingWorkObjects(db);
    ui.showMessage(text, QStringLiteral("ATENCIÓN"), MessageIcon::Critical, MessageButtons::Ok);
    return {RunResult::Failed, true};
}

RunOutcome failedAt(Stage stage, Database& db, UserInterface& ui, const QString& reason) {
    if (stage == Stage::DeclarantRecord)
        return stop(db, ui,
                    QStringLiteral("No se ha podido generar el registro del declarante.\r\n") + reason);
    return stop(db, ui,
                QStringLiteral(
                    "Hay proveedores sin código postal que impiden la generación del fichero para la AEAT. "
                    "Revíselos"));
}

RunOutcome writeFile(Database& db, const QString& path, ContactInputs& contact, UserInterface& ui) {
    Stage stage = Stage::DeclarantRecord;
    try {
        OutputTextFile file(path);
        const QString DeclarantNif = WriteDeclarantRecord(db, file, contact);
        stage = Stage::PerceptorRecords;
        WritePerceptorRecords(db, file, DeclarantNif);
        file.close();
    } catch (const FileError& error) {
        return stop(
            db, ui,
            QStringLiteral("No se ha podido escribir el fichero de la declaración.\r\n") + error.message());
    } catch (const MessageError& error) {  // the database or a record
        return failedAt(stage, db, ui, error.message());
    }
    return {RunResult::FileWritten, true};
}

}  // namespace

RunOutcome runModelo190(Database& AccountsDb, const QString& outputFolder, ContactInputs& contact,
                        UserInterface& ui) {
    switch (checkWithheldPostalCodes(AccountsDb, outputFolder, ui)) {
        case PostalCodeCheck::Missing:
            return {RunResult::DataToCorrect, false};
        case PostalCodeCheck::Unavailable:
            return {RunResult::Failed, false};
        case PostalCodeCheck::Passed:
            break;
    }
    if (extractWithholdings(AccountsDb) == 0) {
        ui.showMessage(QStringLiteral("No hay retenciones"), QStringLiteral("A T E N C I Ó N"),
                       MessageIcon::Information, MessageButtons::Ok);
        return {RunResult::NothingToDeclare, true};
    }
    if (!checkNegativeWithholdings(AccountsDb, outputFolder, ui))
        return {RunResult::DataToCorrect, false};

    const QString path = outputFilePath(outputFolder, kModelo190File);
    const RunOutcome written = writeFile(AccountsDb, path, contact, ui);
    if (written.result != RunResult::FileWritten)
        return written;
    ui.showMessage(QStringLiteral("Fichero : ") + QDir::toNativeSeparators(path),
                   QStringLiteral("PROCESO TERMINADO"), MessageIcon::None, MessageButtons::Ok);
    dropWithholdingWorkObjects(AccountsDb);
    return written;
}
