#include "SchemaEdits.h"

#include "ColumnTypes.h"
#include "Database.h"
#include "DbError.h"
#include "SqlQuoting.h"

#include <QHash>

namespace SchemaEdits {

void addTextField(Database& db, const QString& table, const QString& field, int size,
                  const QString& defaultValue) {
    db.executeNativeScript(
        QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3 DEFAULT %4")
            .arg(quoteName(table), quoteName(field), ColumnTypes::textOfSize(size), quoteText(defaultValue)));
}

void setFieldDefault(Database& db, const QString& table, const QString& field, const QString& defaultValue) {
    Recordset column = db.openNativeRecordset(
        QStringLiteral("SELECT dflt_value FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"),
        {table, field});
    if (column.eof())
        throw DbError(QStringLiteral("No se encuentra el campo '%1'.").arg(field));
    // SQLite keeps a column's default in the table's definition, which only a
    // rebuild of the table could change; a field added by addTextField has it already.
    if (column.value(0).toString() != quoteText(defaultValue))
        throw DbError(
            QStringLiteral("No se puede cambiar el valor predeterminado del campo '%1'.").arg(field));
}

void ensureIndex(Database& db, const QString& table, const QStringList& columns) {
    QHash<QString, QStringList> indexColumns;
    for (Recordset indexed =
             db.openNativeRecordset(QStringLiteral("SELECT l.name, i.name FROM pragma_index_list(?) AS l, "
                                                   "pragma_index_info(l.name) AS i ORDER BY l.name, i.seqno"),
                                    {table});
         !indexed.eof(); indexed.moveNext())
        indexColumns[indexed.value(0).toString()].append(indexed.value(1).toString().toLower());
    QStringList wanted;
    QStringList quoted;
    for (const QString& column : columns) {
        wanted.append(column.toLower());
        quoted.append(quoteName(column));
    }
    for (const QStringList& existing : std::as_const(indexColumns))
        if (existing.mid(0, wanted.size()) == wanted)
            return;
    const QString name = QStringLiteral("aeat_%1_%2").arg(table, columns.join(QLatin1Char('_')));
    db.executeNativeScript(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                               .arg(quoteName(name), quoteName(table), quoted.join(QStringLiteral(", "))));
}

}  // namespace SchemaEdits
