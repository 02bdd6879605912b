#include "WithholdingExtraction.h"

#include "db/Database.h"
#include "db/SkipOnFailure.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"
#include "base/UserInterface.h"

#include <QFile>

namespace {

const QString kAttentionTitle = QStringLiteral("A T E N C I Ó N");

const QString kWithheldWithoutPostalCode =
    QStringLiteral(
        "select q.Nif, q.Nombre,p.CodPost as CP from qryIRPF q inner join provedores p on q.nif = p.nif ") +
    QStringLiteral("Where Year(f_apunte) = Year(Now) -1 and (isnull(p.codpost ) or p.codpost = '')");

const QString kExtraction =
    QStringLiteral("select q.Nif, q.Nombre,left$(p.CodPost,2) as CP, sum(integr) as Princp, ") +
    QStringLiteral("sum(irp) as Reten, iif( abs(100*sum(irp)- sum(integr)) < 1, 'H04','F02') as Control ") +
    QStringLiteral("from qryIRPF q inner join provedores p on q.nif = p.nif ") +
    QStringLiteral("Where Year(f_apunte) = Year(Now) -1 ") +
    QStringLiteral("group by q.Nombre, q.Nif,  p.CodPost ") + QStringLiteral("Union All ") +
    QStringLiteral(
        "select q.Nif, q.Nombre, left$(p.CodPost,2) as CP,  sum(noreten) as Princp, 0 as Reten, 'L01' as "
        "Control ") +
    QStringLiteral("from qryIRPF q inner join provedores p on q.nif = p.nif ") +
    QStringLiteral("Where Year(f_apunte) = Year(Now) -1 ") +
    QStringLiteral("group by q.Nombre, q.Nif,  p.CodPost ") + QStringLiteral("Having Sum(noreten) <> 0 ") +
    QStringLiteral("order by q.nombre, Control");

const char* const kRemovals[] = {
    "delete * from tmptb190 where control = 'L01' and nif in (select nif from tmptb190 where control = "
    "'H04')",
    "delete * from tmptb190 where princp < 0 or Reten = 0",
};

const char* const kClassification[] = {
    "update tmptb190 set control = 'F02' where reten*100/princp > 14.9",
    "update tmptb190 set control = 'G03' where reten*100/princp between 6.9 and 9.1",
    "update tmptb190 set control = 'H04' where reten*100/princp between 0.9 and 1.1",
};

void tellReviewFile(UserInterface& ui, const QString& path) {
    ui.showMessage(QStringLiteral("El fichero ") + path +
                       QStringLiteral("\r\nle informa de errores que ha de corregir") +
                       QStringLiteral("\r\n para poder continuar"),
                   kAttentionTitle, MessageIcon::Exclamation, MessageButtons::Ok);
}

void tellReviewFileFailure(UserInterface& ui, const FileError& error) {
    ui.showMessage(QStringLiteral("No se ha podido escribir el fichero de revisión.\r\n") + error.message(),
                   kAttentionTitle, MessageIcon::Critical, MessageButtons::Ok);
}

// Lists the rows in a review file and tells the user where it is.
void listForReview(UserInterface& ui, const QString& path, const QStringList& heading,
                   const Recordset& rows) {
    try {
        writeReviewFile(path, heading, rows);
        tellReviewFile(ui, path);
    } catch (const FileError& error) {
        tellReviewFileFailure(ui, error);
    }
}

}  // namespace

PostalCodeCheck checkWithheldPostalCodes(Database& db, const QString& folder, UserInterface& ui) {
    const QString path = outputFilePath(folder, kPostalCodeReviewFile);
    QFile::remove(path);
    std::optional<Recordset> missing;
    try {
        missing = db.openRecordset(kWithheldWithoutPostalCode);
    } catch (const DbError& error) {
        // Without the check the run cannot know that the file would be accepted.
        ui.showMessage(QStringLiteral("No se pueden comprobar los códigos postales de los retenidos:\r\n") +
                           error.message(),
                       kAttentionTitle, MessageIcon::Critical, MessageButtons::Ok);
        return PostalCodeCheck::Unavailable;
    }
    if (missing->eof())
        return PostalCodeCheck::Passed;
    listForReview(
        ui, path,
        {QStringLiteral("Falta el Código Postal de los siguientes retenidos"), QString(50, QLatin1Char('-'))},
        *missing);
    return PostalCodeCheck::Missing;
}

int extractWithholdings(Database& db) {
    skipOnFailure([&] { db.deleteTable(QStringLiteral("tmptb190")); });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("tmp190")); });
    db.refresh();
    skipOnFailure([&] { db.createQueryDef(QStringLiteral("tmp190"), kExtraction); });
    db.refresh();
    skipOnFailure([&] { db.execute(QStringLiteral("select * into tmptb190 from tmp190")); });
    for (const char* removal : kRemovals)
        skipOnFailure([&] { db.execute(QString::fromLatin1(removal)); });
    int rows = 0;
    skipOnFailure(
        [&] { rows = db.openRecordset(QStringLiteral("select count(*) from tmptb190")).value(0).toInt(); });
    if (rows == 0)
        return 0;
    for (const char* update : kClassification)
        skipOnFailure([&] { db.execute(QString::fromLatin1(update)); });
    return rows;
}

bool checkNegativeWithholdings(Database& db, const QString& folder, UserInterface& ui) {
    const QString path = outputFilePath(folder, kNegativeWithholdingReviewFile);
    QFile::remove(path);
    std::optional<Recordset> negative;
    skipOnFailure([&] {
        negative = db.openRecordset(QStringLiteral("select Nif, Nombre from tmptb190 where Reten < 0"));
    });
    if (!negative || negative->eof())
        return true;
    listForReview(ui, path,
                  {QStringLiteral("La retención total de los siguientes perceptores es negativa"),
                   QString(50, QLatin1Char('-'))},
                  *negative);
    return false;
}

void dropWithholdingWorkObjects(Database& db) {
    skipOnFailure([&] {
        for (const QString& table : db.tableNames())
            if (table.toUpper() == QLatin1String("TMPTB190"))
                db.deleteTable(QStringLiteral("tmptb190"));
    });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("tmp190")); });
}
