#include "SupplierReview.h"

#include "ReviewStatements.h"
#include "access/AccountingDatabase.h"
#include "cCifNif.h"
#include "db/SkipOnFailure.h"

void ActiveReport_ReportStart(const QString& DbPath) {
    const auto db = openAccountingDatabase(DbPath);
    skipOnFailure([&] { db->execute(ReviewStatements::kMakeErrorNif); });
    // A table that was neither made nor emptied would show stale rows, or none, as the answer.
    db->execute(ReviewStatements::kEmptyErrorNif);
    cCifNif check;
    for (Recordset suppliers = db->openRecordset(ReviewStatements::kSuppliers); !suppliers.eof();
         suppliers.moveNext()) {
        // A Null identifier is checked, and listed, as the empty text it stands for.
        const QString nif = suppliers.value(0).toString();
        QString checked = nif;
        check.Entrada(checked);
        if (check.Correcto())
            continue;
        // Bound values: a name such as "L'Hospitalet" must not break the statement.
        const QString nombre = suppliers.value(1).toString();
        skipOnFailure([&] { db->execute(ReviewStatements::kListDoubtful, {nif, nombre}); });
    }
    db->close();
}

QList<ReviewRow> readReviewRows(const QString& DbPath) {
    QList<ReviewRow> rows;
    const auto db = openAccountingDatabase(DbPath, OpenMode::ReadOnly);
    for (Recordset rs = db->openRecordset(ReviewStatements::kReportRows); !rs.eof(); rs.moveNext())
        rows.append({rs.value(0).toString(), rs.value(1).toString()});
    return rows;
}

QList<ReviewRow> reviewSuppliers(const QString& DbPath) {
    ActiveReport_ReportStart(DbPath);
    return readReviewRows(DbPath);
}

QString centreName(const QString& DbPath) {
    QString name;
    skipOnFailure([&] {
        const auto db = openAccountingDatabase(DbPath, OpenMode::ReadOnly);
        name = db->openRecordset(QStringLiteral("select Nombre from Centro")).value(0).toString();
    });
    return name;
}

QString reviewFailureMessage(const DbError& error) {
    return QStringLiteral("No se han podido revisar los CIF/NIF de los proveedores.\r\n") + error.message();
}
