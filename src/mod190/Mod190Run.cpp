#include "Mod190Run.h"

#include "Mod190Writer.h"
#include "WithholdingExtraction.h"
#include "db/Database.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"
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

}  // namespace

RunOutcome runModelo190(Database& AccountsDb, const QString& outputFolder, ContactInputs& contact,
                        UserInterface& ui) {
    switch (checkWithheldPostalCodes(AccountsDb, outputFolder, ui)) {
        case DataCheck::ToCorrect:
            return {RunResult::DataToCorrect, false};
        case DataCheck::Failed:
            return {RunResult::Failed, false};
        case DataCheck::Passed:
            break;
    }
    if (extractWithholdings(AccountsDb) == 0) {
        DeclarationMessages::tellNoWithholdings(ui);
        return {RunResult::NothingToDeclare, true};
    }
    switch (checkNegativeWithholdings(AccountsDb, outputFolder, ui)) {
        case DataCheck::ToCorrect:
            return {RunResult::DataToCorrect, false};
        case DataCheck::Failed:
            return {RunResult::Failed, false};
        case DataCheck::Passed:
            break;
    }

    const QString path = outputFilePath(outputFolder, kModelo190File);
    const RunOutcome written = writeFile(AccountsDb, path, contact, ui);
    if (written.result != RunResult::FileWritten)
        return written;
    if (!checkWrittenDeclaration(path, QStringLiteral("190"), ui))
        return failed(AccountsDb);
    DeclarationMessages::announceWritten(ui, path);
    dropWithholdingWorkObjects(AccountsDb);
    return written;
}
