#include "SqliteSchema.h"

#include "ColumnTypes.h"

#include <sqlite3.h>

std::optional<ColumnFacts> SqliteSchema::column(const QString& table, const QString& column) const {
    const char* declaredType = nullptr;
    const char* collation = nullptr;
    int notNull = 0;
    int primaryKey = 0;
    int autoIncrement = 0;
    // A view, or a column the table does not have, gives an error.
    if (sqlite3_table_column_metadata(m_db, nullptr, table.toUtf8().constData(), column.toUtf8().constData(),
                                      &declaredType, &collation, &notNull, &primaryKey,
                                      &autoIncrement) != SQLITE_OK)
        return std::nullopt;
    const QString collationName = QString::fromUtf8(collation);
    ColumnFacts facts;
    facts.plainText =
        ColumnTypes::affinityOf(QString::fromUtf8(declaredType)) == ColumnTypes::Affinity::Text &&
        (collationName.compare(QLatin1String("BINARY"), Qt::CaseInsensitive) == 0 ||
         collationName.compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0);
    facts.primaryKey = primaryKey != 0 && primaryKeyColumns(table) == 1;
    return facts;
}

int SqliteSchema::primaryKeyColumns(const QString& table) const {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT count(*) FROM pragma_table_info(?) WHERE pk > 0", -1, &stmt,
                           nullptr) != SQLITE_OK)
        return 0;
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(stmt, 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    const int count = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    return count;
}
