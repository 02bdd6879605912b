#include "SupplierReview.h"

#include "cCifNif.h"
#include "db/Database.h"
#include "db/SkipOnFailure.h"
#include "shell/StartupSettings.h"

#include <optional>

void ActiveReport_ReportStart(const QString& DbPath) {
    std::unique_ptr<Database> db;
    skipOnFailure([&] { db = Database::open(DbPath, false, false, DbConnect); });
    if (!db)
        return;
    skipOnFailure([&] {
        db->execute(
            QStringLiteral("select '000000000' as NIF,space(50) as Nombre into ErrorNIF from contra"));
    });
    skipOnFailure([&] { db->execute(QStringLiteral("delete * from ErrorNIF")); });
    std::optional<Recordset> suppliers;
    skipOnFailure(
        [&] { suppliers = db->openRecordset(QStringLiteral("select nif, nombre from provedores")); });
    cCifNif check;
    for (; suppliers && !suppliers->eof(); suppliers->moveNext()) {
        // A Null identifier is checked, and listed, as the empty text it stands for.
        const QString nif = suppliers->value(0).toString();
        QString checked = nif;
        check.Entrada(checked);
        if (check.Correcto())
            continue;
        // Bound values: a name such as "L'Hospitalet" must not break the statement.
        const QString nombre = suppliers->value(1).toString();
        skipOnFailure([&] {
            db->execute(QStringLiteral("insert into ErrorNIF (nif,nombre) values (?,?)"), {nif, nombre});
        });
    }
    db->close();
}

QList<ReviewRow> readReviewRows(const QString& DbPath) {
    QList<ReviewRow> rows;
    skipOnFailure([&] {
        auto db = Database::open(DbPath, false, true, DbConnect);
        for (Recordset rs = db->openRecordset(QStringLiteral("select * from ErrorNIF")); !rs.eof();
             rs.moveNext())
            rows.append({rs.value(0).toString(), rs.value(1).toString()});
    });
    return rows;
}
