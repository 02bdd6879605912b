#include "OperationsExtraction.h"

#include "db/Database.h"
#include "db/SkipOnFailure.h"
#include "base/UserInterface.h"

#include <QRegularExpression>

namespace {

const QString kPiece1 = QStringLiteral("SELECT '");
const QString kPiece2 = QStringLiteral("',p.nif, p.nombre,");
const QString kPiece3 =
    QStringLiteral("iif(not isnull(p.codpost),left$(p.codpost,2),''),'A', sum(a.cantidad),1 ");
const QString kPiece4 = QStringLiteral("FROM provedores p INNER JOIN TdApt a ON p.nif = a.NifProv ");
const QString kPiece5 =
    QStringLiteral("Where Year(f_factura) = Year(Now) - 1  and ( isnull(grupo) or a.grupo >= 0) ");
const QString kPiece6 = QStringLiteral("and a.iu not in (select iuiva from iva) ");
const QString kPiece7 =
    QStringLiteral("group by p.nif, p.nombre, iif(not isnull(p.codpost),left$(p.codpost,2),'') ");
const QString kPiece8 = QStringLiteral("Having Sum(a.cantidad) > ");
const QString kOrdinaryByInvoice = QStringLiteral(
    "Where p.ivacc = 'N' and Year(f_factura) = Year(Now) - 1  and ( isnull(grupo) or a.grupo >= 0) ");
const QString kCashBasisByPayment = QStringLiteral(
    "Where p.ivacc = 'S' and Year(f_pago) = Year(Now) - 1  and ( isnull(grupo) or a.grupo >= 0) ");

void tellNothingToDeclare(UserInterface& ui) {
    ui.showMessage(QStringLiteral("No hay perceptores para incluir en el fichero."),
                   QStringLiteral("ATENCIÓN"), MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace

QString selectionStatement(const QString& threshold) {
    return kPiece1 + kPiece2 + kPiece3 + kPiece4 + kPiece5 + kPiece6 + kPiece7 + kPiece8 + threshold;
}

QString countStatement(const QString& threshold) {
    return kPiece1 + kPiece2 + kPiece3 + kPiece4 + kOrdinaryByInvoice + kPiece6 + kPiece7 + kPiece8 +
           threshold + QStringLiteral(" ") + QStringLiteral("union all SELECT '") + kPiece2 + kPiece3 +
           kPiece4 + kCashBasisByPayment + kPiece6 + kPiece7 + kPiece8 + threshold;
}

bool isPlainDecimal(const QString& text) {
    static const QRegularExpression plain(QStringLiteral(R"(^ *[+-]?(\d+\.?\d*|\.\d+) *$)"));
    return plain.match(text).hasMatch();
}

bool SelectOperations(Database& db, const QString& threshold, UserInterface& ui) {
    const QString selection = selectionStatement(threshold);
    std::optional<bool> empty;
    skipOnFailure([&] { empty = db.openRecordset(selection).eof(); });
    if (empty.value_or(false)) {
        tellNothingToDeclare(ui);
        return false;
    }
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("Stper")); });
    skipOnFailure([&] { db.createQueryDef(QStringLiteral("Stper"), selection); });
    skipOnFailure([&] { db.deleteTable(QStringLiteral("TStper")); });
    db.refresh();
    skipOnFailure([&] { db.execute(QStringLiteral("select * into TStper from Stper")); });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("NifNO")); });
    skipOnFailure([&] {
        db.createQueryDef(
            QStringLiteral("NifNO"),
            QStringLiteral(
                "SELECT DISTINCT nifprov From TdApt WHERE year(f_factura)=year(now)-1 and grupo<0"));
    });
    skipOnFailure(
        [&] { db.execute(QStringLiteral("delete * from TStper where nif in (select nifprov from NifNO)")); });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("Stper")); });
    db.refresh();
    skipOnFailure(
        [&] { db.createQueryDef(QStringLiteral("Stper"), QStringLiteral("Select * from TStper")); });
    db.refresh();
    return true;
}

std::optional<int> CountDeclaredSuppliers(Database& db, const QString& threshold, UserInterface& ui) {
    Recordset counted = db.openRecordset(countStatement(threshold));
    if (counted.eof()) {
        tellNothingToDeclare(ui);
        return std::nullopt;
    }
    counted.moveLast();
    counted.moveFirst();
    return counted.recordCount();
}
