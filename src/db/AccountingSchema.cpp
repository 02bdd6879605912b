#include "AccountingSchema.h"

#include "Database.h"
#include "SchemaEdits.h"

#include <QFile>

static void initDbResources() {
    Q_INIT_RESOURCE(db);
}

QString accountingSchemaSql() {
    initDbResources();
    QFile schema(QStringLiteral(":/db/accounting-schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        qFatal("the accounting schema is missing from the program's resources");
    return QString::fromUtf8(schema.readAll());
}

void ensureEntriesIndex(Database& db) {
    SchemaEdits::ensureIndex(db, QStringLiteral("TdApt"),
                             {QStringLiteral("NifProv"), QStringLiteral("f_factura"),
                              QStringLiteral("f_pago"), QStringLiteral("cantidad"), QStringLiteral("grupo")});
}
