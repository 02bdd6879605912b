#include "Mod190Run.h"

#include "Mod190Statements.h"
#include "Mod190Writer.h"
#include "PerceptorKeys.h"
#include "Reconciliation111.h"
#include "WithholdingExtraction.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"
#include "filecheck/AgencyErrors.h"
#include "filecheck/WrittenDeclarationCheck.h"

namespace {

enum class Stage { DeclarantRecord, PerceptorRecords };

RunOutcome failed(Database& db) {
    dropWithholdingWorkObjects(db);
    return {RunResult::Failed, true};
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
        DeclarationMessages::tellDeclarationFileFailure(ui, error.message());
        return failed(db);
    } catch (const MessageError& error) {  // the database or a record
        if (stage == Stage::DeclarantRecord)
            DeclarationMessages::tellDeclarantRecordFailure(ui, error.message());
        else
            DeclarationMessages::tellPerceptorsWithoutPostalCode(ui);
        return failed(db);
    }
    return {RunResult::FileWritten, true};
}

// A check of the data that did not pass stops the run; the window stays open for the data to be corrected.
std::optional<RunOutcome> stopsAt(DataCheck check) {
    switch (check) {
        case DataCheck::ToCorrect:
            return RunOutcome{RunResult::DataToCorrect, false};
        case DataCheck::Failed:
            return RunOutcome{RunResult::Failed, false};
        case DataCheck::Passed:
            break;
    }
    return std::nullopt;
}

// The keys the office chose take the place of the rates'; a perceptor withheld at rates of different
// ranges is told, for the office to check its key.
std::optional<RunOutcome> applyChosenKeys(Database& db, UserInterface& ui) {
    QStringList blended;
    try {
        PerceptorKeys::applyToWorkTable(db);
        for (const PerceptorKeyRow& perceptor : PerceptorKeys::lastYearPerceptors(db))
            if (perceptor.blended())
                blended.append(
                    QStringLiteral("%1 %2: %3")
                        .arg(perceptor.nif, perceptor.name, PerceptorKeys::blendedRatesWarning(perceptor)));
    } catch (const DbError& error) {
        DeclarationMessages::tellDeclarationFileFailure(ui, error.message());
        return failed(db);
    }
    if (!blended.isEmpty())
        DeclarationMessages::tellBlendedRates(ui, blended);
    return std::nullopt;
}

// A declaration of the refused records alone keeps them and no other; the run ends here when none of them
// is still declared, or when the others cannot be taken out.
std::optional<RunOutcome> narrowToRefused(Database& db, const RefusedParties& refused, UserInterface& ui) {
    try {
        keepOnlyRefused(db, refused, ui);
        if (db.openRecordset(Mod190Statements::kPerceptorCount).value(0).toInt() > 0)
            return std::nullopt;
    } catch (const DbError& error) {
        DeclarationMessages::tellDeclarationFileFailure(ui, error.message());
        return failed(db);
    }
    DeclarationMessages::tellNoWithholdings(ui);
    dropWithholdingWorkObjects(db);
    return RunOutcome{RunResult::NothingToDeclare, true};
}

// When the office typed what its Modelo 111 said, whether the year's entries agree with them.
void tellAgreementWithFiled111(Database& db, UserInterface& ui) {
    QString agreement;
    try {
        if (Reconciliation111::filedFigures(db, Clock::declarationYear()).isEmpty())
            return;
        agreement = Reconciliation111::reconcile(db).agreement();
    } catch (const DbError& error) {
        agreement = QStringLiteral("No se ha podido hacer el cuadre con los modelos 111: ") + error.message();
    }
    DeclarationMessages::tellAgreementWith111(ui, agreement);
}

}  // namespace

RunOutcome runModelo190(Database& AccountsDb, const QString& outputFolder, ContactInputs& contact,
                        UserInterface& ui) {
    const std::optional<AcceptedIdentity> identity =
        acceptDeclarationIdentity(QStringLiteral("190"), contact, ui);
    if (!identity)
        return {RunResult::BadInput, false};
    if (const std::optional<RunOutcome> stopped =
            stopsAt(checkWithheldPostalCodes(AccountsDb, outputFolder, ui)))
        return *stopped;
    if (extractWithholdings(AccountsDb) == 0) {
        DeclarationMessages::tellNoWithholdings(ui);
        return {RunResult::NothingToDeclare, true};
    }
    if (const std::optional<RunOutcome> ended = applyChosenKeys(AccountsDb, ui))
        return *ended;
    if (identity->onlyRefused)
        if (const std::optional<RunOutcome> ended = narrowToRefused(AccountsDb, *identity->onlyRefused, ui))
            return *ended;
    if (const std::optional<RunOutcome> stopped =
            stopsAt(checkNegativeWithholdings(AccountsDb, outputFolder, ui)))
        return *stopped;

    const QString path = outputFilePath(outputFolder, kModelo190File);
    const RunOutcome written = writeFile(AccountsDb, path, contact, ui);
    if (written.result != RunResult::FileWritten)
        return written;
    if (!checkWrittenDeclaration(path, QStringLiteral("190"), ui))
        return failed(AccountsDb);
    dropWithholdingWorkObjects(AccountsDb);
    tellAgreementWithFiled111(AccountsDb, ui);
    DeclarationMessages::announceWritten(ui, path);
    return written;
}
