#include "WithholdingExtraction.h"

#include "Mod190Statements.h"
#include "access/AccessImport.h"
#include "base/UserInterface.h"
#include "db/Database.h"
#include "db/SkipOnFailure.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/FieldRules.h"
#include "declaration/OutputTextFile.h"
#include "declaration/RefusedParties.h"
#include "declaration/ReviewFile.h"

#include <QFile>

namespace {

// Lists the rows in a review file and tells the user where it is, or why it could not be written.
DataCheck listForReview(UserInterface& ui, const QString& path, const QStringList& heading,
                        const Recordset& rows) {
    try {
        writeReviewFile(path, heading, rows);
    } catch (const FileError& error) {
        DeclarationMessages::tellReviewFileFailure(ui, error.message());
        return DataCheck::Failed;
    }
    DeclarationMessages::tellReviewFile(ui, path);
    return DataCheck::ToCorrect;
}

}  // namespace

DataCheck checkWithheldPostalCodes(Database& db, const QString& folder, UserInterface& ui) {
    const QString path = outputFilePath(folder, kPostalCodeReviewFile);
    QFile::remove(path);
    std::optional<Recordset> missing;
    try {
        missing = db.openRecordset(Mod190Statements::kWithheldWithoutPostalCode);
    } catch (const DbError& error) {
        // Without the check the run cannot know that the file would be accepted.
        // From the package's Access file, the query may not have come across: say why.
        if (const auto why = AccessImport::notImported(db, Mod190Statements::kWithholdingsQuery))
            DeclarationMessages::tellWithholdingsQueryNotImported(ui, *why);
        else
            DeclarationMessages::tellPostalCodesUncheckable(ui, error.message());
        return DataCheck::Failed;
    }
    if (missing->eof())
        return DataCheck::Passed;
    return listForReview(
        ui, path,
        {QStringLiteral("Falta el Código Postal de los siguientes retenidos"), QString(50, QLatin1Char('-'))},
        *missing);
}

int extractWithholdings(Database& db) {
    skipOnFailure([&] { db.deleteTable(QStringLiteral("tmptb190")); });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("tmp190")); });
    skipOnFailure([&] { db.createQueryDef(QStringLiteral("tmp190"), Mod190Statements::kExtraction); });
    skipOnFailure([&] { db.execute(Mod190Statements::kMakeWorkTable); });
    for (const QString& removal : Mod190Statements::kRemovals)
        skipOnFailure([&] { db.execute(removal); });
    int rows = 0;
    skipOnFailure([&] { rows = db.openRecordset(Mod190Statements::kPerceptorCount).value(0).toInt(); });
    if (rows == 0)
        return 0;
    for (const QString& update : Mod190Statements::kClassification)
        skipOnFailure([&] { db.execute(update); });
    return rows;
}

DataCheck checkNegativeWithholdings(Database& db, const QString& folder, UserInterface& ui) {
    const QString path = outputFilePath(folder, kNegativeWithholdingReviewFile);
    QFile::remove(path);
    std::optional<Recordset> negative;
    skipOnFailure([&] { negative = db.openRecordset(Mod190Statements::kNegativeWithholdings); });
    if (!negative || negative->eof())
        return DataCheck::Passed;
    return listForReview(ui, path,
                         {QStringLiteral("La retención total de los siguientes perceptores es negativa"),
                          QString(50, QLatin1Char('-'))},
                         *negative);
}

void keepOnlyRefused(Database& db, const RefusedParties& refused, UserInterface& ui) {
    QList<QVariantList> others;
    QSet<QByteArray> declared;
    for (Recordset rows = db.openRecordset(Mod190Statements::kPerceptorKeys); !rows.eof(); rows.moveNext()) {
        const QByteArray identity = RefusedParties::perceptorIdentity(
            FieldRules::digits(rows.value(0).toString(), 9), FieldRules::text(rows.value(1).toString(), 3));
        if (refused.contains(identity))
            declared.insert(identity);
        else
            others.append({rows.value(0), rows.value(1)});
    }
    for (const QVariantList& row : others)
        db.execute(Mod190Statements::kRemovePerceptorKey, row);
    if (const QStringList leftOut = refused.leftOut(declared); !leftOut.isEmpty())
        DeclarationMessages::tellRefusedLeftOut(ui, leftOut);
}

void dropWithholdingWorkObjects(Database& db) {
    skipOnFailure([&] {
        for (const QString& table : db.tableNames())
            if (table.toUpper() == QLatin1String("TMPTB190"))
                db.deleteTable(QStringLiteral("tmptb190"));
    });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("tmp190")); });
}
