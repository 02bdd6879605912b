#include "Mod347Run.h"

#include "Mod347Statements.h"
#include "Mod347Writer.h"
#include "OperationsExtraction.h"
#include "SupplierPreChecks.h"
#include "access/AccountingDatabase.h"
#include "base/ApplicationTitle.h"
#include "base/UserInterface.h"
#include "db/AccountingSchema.h"
#include "db/SchemaEdits.h"
#include "db/SkipOnFailure.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"
#include "filecheck/AgencyErrors.h"
#include "filecheck/WrittenDeclarationCheck.h"

#include <QDir>

namespace {

RunOutcome writeDeclaration(Modelo347Session& session, const QString& threshold, ContactInputs& contact,
                            const RefusedParties* onlyRefused, UserInterface& ui) {
    // A run that stops before the end leaves the file of the run before as it was.
    const QString path = outputFilePath(session.outputFolder, kModelo347File);
    OutputTextFile file(path);
    const std::optional<QString> DeclarantNif =
        WriteModelo347Header(session.AccountsDb, file, contact, threshold, onlyRefused, ui);
    if (!DeclarantNif)
        return {RunResult::NothingToDeclare, true};
    switch (CheckSupplierData(session.AccountsDb, session.outputFolder, ui)) {
        case SupplierCheck::MissingPostalCodes:
            return {RunResult::DataToCorrect, true};
        case SupplierCheck::Declined:
            return {RunResult::StoppedAtQuestion, true};
        case SupplierCheck::GoOn:
            break;
    }
    const QSet<QByteArray> declared =
        WriteDeclaredRecords(session.AccountsDb, file, *DeclarantNif, onlyRefused);
    file.close();
    if (onlyRefused)
        if (const QStringList leftOut = onlyRefused->leftOut(declared); !leftOut.isEmpty())
            DeclarationMessages::tellRefusedLeftOut(ui, leftOut);
    if (!checkWrittenDeclaration(path, QStringLiteral("347"), ui))
        return {RunResult::Failed, true};
    DeclarationMessages::announceWritten(ui, path);
    return {RunResult::FileWritten, true};
}

}  // namespace

void PrepararTablas(const QString& DbPath) {
    std::unique_ptr<Database> AccountsDb;
    skipOnFailure([&] {
        AccountsDb = openAccountingDatabase(DbPath);
        AccountsDb->execute(Mod347Statements::kMakeClientes);
        AccountsDb->execute(Mod347Statements::kEmptyClientes);
        AccountsDb->execute(Mod347Statements::kCreateIva);
    });
    if (AccountsDb)
        AccountsDb->close();
}

Modelo347Load loadModelo347(const QString& DbPath, const QString& threshold,
                            std::unique_ptr<Database>& AccountsDb, UserInterface& ui) {
    PrepararTablas(DbPath);
    try {
        AccountsDb = openAccountingDatabase(DbPath);
    } catch (const DbError& error) {
        ui.showMessage(error.message(), kApplicationTitle, MessageIcon::Critical, MessageButtons::Ok);
        return Modelo347Load::OpenFailed;
    }
    Database& db = *AccountsDb;
    db.whileWorking([&ui] { ui.stillWorking(); });
    skipOnFailure([&] {
        SchemaEdits::addTextField(db, QStringLiteral("provedores"), QStringLiteral("IVACC"), 1,
                                  QStringLiteral("N"));
    });
    skipOnFailure([&] {
        SchemaEdits::setFieldDefault(db, QStringLiteral("provedores"), QStringLiteral("IVACC"),
                                     QStringLiteral("N"));
    });
    skipOnFailure([&] { db.execute(Mod347Statements::kDefaultCashBasisMark); });
    // The selection, the count, the quarters and each supplier's paid amount read the entries by NIF and
    // invoice date: the first index serves them all without reading the table itself (the import of an
    // Access file has made it already). The second, on the NIF alone, is made only when the first could
    // not be: an index that starts with the NIF already serves it.
    skipOnFailure([&] { ensureEntriesIndex(db); });
    skipOnFailure(
        [&] { SchemaEdits::ensureIndex(db, QStringLiteral("TdApt"), {QStringLiteral("NifProv")}); });
    return SelectOperations(db, threshold, ui) ? Modelo347Load::Ready : Modelo347Load::NothingToDeclare;
}

std::optional<QString> acceptThreshold(const QString& typed, UserInterface& ui) {
    std::optional<QString> threshold = readThreshold(typed);
    if (!threshold)
        DeclarationMessages::tellThresholdUnusable(ui);
    return threshold;
}

RunOutcome runModelo347(Modelo347Session& session, const QString& typedThreshold, ContactInputs& contact,
                        UserInterface& ui) {
    const std::optional<QString> threshold = acceptThreshold(typedThreshold, ui);
    if (!threshold)
        return {RunResult::BadInput, false};
    const std::optional<AcceptedIdentity> identity =
        acceptDeclarationIdentity(QStringLiteral("347"), contact, ui);
    if (!identity)
        return {RunResult::BadInput, false};
    const RefusedParties* onlyRefused = identity->onlyRefused ? &*identity->onlyRefused : nullptr;
    try {
        if (*threshold != session.selectionThreshold) {
            if (!SelectOperations(session.AccountsDb, *threshold, ui))
                return {RunResult::NothingToDeclare, true};
            session.selectionThreshold = *threshold;
        }
        return writeDeclaration(session, *threshold, contact, onlyRefused, ui);
    } catch (const MessageError& error) {  // the database, a record or the file
        DeclarationMessages::tellModelo347Failure(ui, error.message());
        return {RunResult::Failed, true};
    }
}
