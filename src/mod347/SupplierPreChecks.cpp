#include "SupplierPreChecks.h"

#include "Mod347Statements.h"
#include "base/UserInterface.h"
#include "db/Database.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"
#include "taxid/cCifNif.h"

#include <QFile>

namespace {

const QString kHeading = QStringLiteral("   NIF        NOMBRE");

bool missingPostalCodes(Database& db, const QString& folder, UserInterface& ui) {
    const Recordset missing = db.openRecordset(Mod347Statements::kWithoutPostalCode);
    if (missing.eof())
        return false;
    const QString path = outputFilePath(folder, kPostalCodeCheckFile);
    writeReviewFile(path,
                    {QString(52, QLatin1Char('_')),
                     QStringLiteral("Estos proveedores no tienen grabado el Código Postal"),
                     QStringLiteral("Debe corregirlo primero"), QString(52, QLatin1Char('_')), kHeading},
                    missing);
    DeclarationMessages::tellSuppliersWithoutPostalCode(ui, path);
    ui.shellOpen(path);
    return true;
}

// Lists the suppliers whose identifier the validator rejects in the file at `path`; returns them, NIF and
// name.
QStringList listDoubtfulIdentifiers(Database& db, const QString& path) {
    Recordset suppliers = db.openRecordset(Mod347Statements::kSelectedSuppliers);
    if (suppliers.eof())
        return {};
    OutputTextFile file(path);
    for (const QString& line : {QString(54, QLatin1Char('_')),
                                QStringLiteral("Estos proveedores tienen un CIF/NIF que parece erróneo"),
                                QString(52, QLatin1Char('_')), kHeading})
        file.writeLine(line);
    cCifNif check;
    QStringList doubtful;
    for (; !suppliers.eof(); suppliers.moveNext()) {
        const QString nif = suppliers.value(0).toString();
        QString checked = nif;
        check.Entrada(checked);
        if (!check.Correcto()) {
            doubtful.append(nif + QLatin1Char(' ') + suppliers.value(1).toString());
            file.writeRaw(OutputTextFile::supplierLine(nif, suppliers.value(1).toString()) + "\r\n");
        }
    }
    file.close();
    return doubtful;
}

}  // namespace

SupplierCheck CheckSupplierData(Database& db, const QString& folder, UserInterface& ui) {
    if (missingPostalCodes(db, folder, ui))
        return SupplierCheck::MissingPostalCodes;
    const QString path = outputFilePath(folder, kIdentifierCheckFile);
    const QStringList doubtful = listDoubtfulIdentifiers(db, path);
    if (doubtful.isEmpty()) {
        QFile::remove(path);
        return SupplierCheck::GoOn;
    }
    return DeclarationMessages::askGoOnWithDoubtfulIdentifiers(ui, path, doubtful) == MessageAnswer::Yes
               ? SupplierCheck::GoOn
               : SupplierCheck::Declined;
}
