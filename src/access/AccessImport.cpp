#include "AccessImport.h"

#include "AccessReader.h"
#include "ImportProgress.h"
#include "RowBatches.h"
#include "SavedQueries.h"
#include "db/AccountingSchema.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/SkipOnFailure.h"
#include "db/SqlQuoting.h"
#include "db/jet/JetTokens.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <functional>
#include <thread>

namespace AccessImport {

namespace {

const QString kAsksForAValue = QStringLiteral("no importada: pide el valor de ");

constexpr qint64 kRowsBetweenReports = 10000;

QString createStatement(const AccessTable& table) {
    QStringList definitions;
    for (const AccessColumn& column : table.columns)
        if (column.isKept())
            definitions.append(quoteName(column.name) + QLatin1Char(' ') + column.sqliteType());
    if (!table.primaryKey.isEmpty()) {
        QStringList key;
        for (const QString& name : table.primaryKey)
            key.append(quoteName(name));
        definitions.append(QStringLiteral("PRIMARY KEY (%1)").arg(key.join(QStringLiteral(", "))));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoteName(table.name), definitions.join(QStringLiteral(", ")));
}

QString insertStatement(const AccessTable& table) {
    QStringList names;
    QStringList placeholders;
    for (const AccessColumn& column : table.columns) {
        if (!column.isKept())
            continue;
        names.append(quoteName(column.name));
        placeholders.append(QStringLiteral("?"));
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoteName(table.name), names.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
}

void createPackageObjectsRecord(Database& copy) {
    // No key on the name: a damaged file may hold a query named like a table, and both are listed.
    copy.executeNative(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (name TEXT COLLATE NOCASE, "
                                      "kind TEXT, rows INTEGER, note TEXT)")
                           .arg(kPackageObjectsTable));
}

void recordSource(Database& copy, const SourceStamp& stamp) {
    copy.executeNative(QStringLiteral("CREATE TABLE %1 (size INTEGER, modified INTEGER)").arg(kSourceTable));
    copy.executeNative(QStringLiteral("INSERT INTO %1 VALUES (?, ?)").arg(kSourceTable),
                       {stamp.size, stamp.modifiedMs});
    createPackageObjectsRecord(copy);
}

// Binds one encoded row to the insert statement.
void bindRow(Database::BulkInsert& insert, EncodedRows::Cursor& values, int columns) {
    using Kind = EncodedRows::Value::Kind;
    for (int parameter = 1; parameter <= columns; ++parameter) {
        const EncodedRows::Value value = values.next();
        switch (value.kind) {
            case Kind::Null:
                insert.bindNull(parameter);
                break;
            case Kind::Integer:
                insert.bindInteger(parameter, value.integer);
                break;
            case Kind::Real:
                insert.bindReal(parameter, value.real);
                break;
            case Kind::Text:
                insert.bindText(parameter, value.data, value.size);
                break;
            case Kind::Blob:
                insert.bindBlob(parameter, value.data, value.size);
                break;
        }
    }
}

// Reads the table's rows on a thread of their own and hands them to `write` on this one, batch by
// batch: the reading and the writing each take a core.
void readAlongside(const AccessReader& reader, const AccessTable& table,
                   const std::function<void(const EncodedRows&)>& write) {
    RowBatches batches;
    std::thread reading([&] {
        try {
            reader.readRows(table, [&](const QVariantList& row) { batches.push(row); });
            batches.finish();
        } catch (const RowBatches::Cancelled&) {
            batches.finish();
        } catch (...) {
            batches.finish(std::current_exception());
        }
    });
    const auto joined = qScopeGuard([&] {
        batches.cancel();
        reading.join();
    });
    EncodedRows batch;
    while (batches.next(batch))
        write(batch);
}

qint64 importTable(Database& copy, const AccessReader& reader, const AccessTable& table,
                   ImportProgress* progress) {
    copy.executeNative(createStatement(table));
    Database::BulkInsert insert(copy, insertStatement(table));
    const auto columns = static_cast<int>(std::count_if(table.columns.begin(), table.columns.end(),
                                                        [](const AccessColumn& c) { return c.isKept(); }));
    qint64 rows = 0;
    readAlongside(reader, table, [&](const EncodedRows& batch) {
        EncodedRows::Cursor values(batch);
        for (qsizetype row = 0; row < batch.rowCount(); ++row) {
            bindRow(insert, values, columns);
            insert.insert();
            if (++rows % kRowsBetweenReports == 0 && progress)
                progress->rowsRead(rows);
        }
    });
    copy.executeNative(
        QStringLiteral("INSERT INTO %1 VALUES (?, 'table', ?, NULL)").arg(kPackageObjectsTable),
        {table.name, rows});
    for (const AccessColumn& column : table.columns)
        if (!column.isKept())
            copy.executeNative(
                QStringLiteral("INSERT INTO %1 VALUES (?, 'column', NULL, ?)").arg(kPackageObjectsTable),
                {table.name + QLatin1Char('.') + column.name,
                 QStringLiteral("columna no importada: ") + column.leftOutReason()});
    return rows;
}

void recordQuery(Database& copy, const QString& name, const QString& kind, const QString& note) {
    copy.executeNative(QStringLiteral("INSERT INTO %1 VALUES (?, ?, NULL, ?)").arg(kPackageObjectsTable),
                       {name, kind, note.isEmpty() ? QVariant() : QVariant(note)});
}

// The names of the tables read so far, as Access compares names: without regard to case.
QSet<QString> importedTableNames(Database& copy) {
    QSet<QString> names;
    for (Recordset rs = copy.openNativeRecordset(
             QStringLiteral("SELECT name FROM %1 WHERE kind = 'table'").arg(kPackageObjectsTable));
         !rs.eof(); rs.moveNext())
        names.insert(rs.value(0).toString().toCaseFolded());
    return names;
}

// A view that SQLite takes may still name what is not there: it is tried once.
void createCheckedView(Database& copy, const SavedQueries::Query& query) {
    copy.createQueryDef(query.name, query.sql);
    try {
        copy.openNativeRecordset(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quoteName(query.name)));
    } catch (const DbError&) {
        copy.deleteQueryDef(query.name);
        throw;
    }
}

// Why a query is not brought across.
QString failureNote(const QString& query, const DbError& error) {
    // Access asks for the value of a name that nothing in the file holds, as for a form's control.
    if (!error.missingField().isEmpty())
        return kAsksForAValue + QLatin1Char('[') + error.missingField() + QLatin1Char(']');
    if (!error.untranslated())
        return QStringLiteral("no importada: ") + error.message();
    return RecordedNote{
        QStringLiteral("no importada: Error de la base de datos en la consulta «%1»").arg(query),
        error.engineText()}
        .recorded();
}

}  // namespace

// Saved select and union queries become views; a query may read others, so
// the views are tried again as long as a round makes one more.
void importQueries(Database& copy, const QList<SavedQueries::Query>& queries) {
    createPackageObjectsRecord(copy);
    // Access forbids a query named like a table or another query; a damaged file may still hold one.
    QSet<QString> taken = importedTableNames(copy);
    QList<SavedQueries::Query> pending;
    for (const SavedQueries::Query& query : queries) {
        const QString key = query.name.toCaseFolded();
        if (taken.contains(key)) {
            recordQuery(copy, query.name, QStringLiteral("query"),
                        QStringLiteral("no importada: otro objeto del archivo se llama igual"));
            continue;
        }
        taken.insert(key);
        if (const QString control = JetTokens::controlReference(query.sql);
            query.isView() && !control.isEmpty())
            recordQuery(copy, query.name, QStringLiteral("query"), kAsksForAValue + control);
        else if (query.isView())
            pending.append(query);
        else
            recordQuery(copy, query.name, QStringLiteral("query"),
                        query.hasParameters ? QStringLiteral("no importada: tiene parámetros")
                                            : QStringLiteral("no importada: es una consulta ") +
                                                  SavedQueries::kindName(query.kind));
    }
    QHash<QString, DbError> failures;
    bool progress = true;
    while (progress && !pending.isEmpty()) {
        progress = false;
        for (qsizetype i = 0; i < pending.size();) {
            try {
                createCheckedView(copy, pending[i]);
                recordQuery(copy, pending[i].name, QStringLiteral("view"), QString());
                pending.removeAt(i);
                progress = true;
            } catch (const DbError& error) {
                failures.insert(pending[i].name, error);
                ++i;
            }
        }
    }
    for (const SavedQueries::Query& query : pending)
        recordQuery(copy, query.name, QStringLiteral("query"),
                    failureNote(query.name, failures.value(query.name, DbError(QString()))));
}

RecordedNote RecordedNote::of(const QString& recorded) {
    const qsizetype lineEnd = recorded.indexOf(QLatin1Char('\n'));
    if (lineEnd < 0)
        return {recorded, QString()};
    return {recorded.left(lineEnd), recorded.mid(lineEnd + 1)};
}

QString RecordedNote::recorded() const {
    return engine.isEmpty() ? office : office + QLatin1Char('\n') + engine;
}

SourceStamp SourceStamp::of(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

SourceStamp SourceStamp::recordedIn(Database& copy) {
    try {
        const Recordset rs =
            copy.openRecordset(QStringLiteral("select size, modified from %1").arg(kSourceTable));
        if (!rs.eof())
            return {rs.value(0).toLongLong(), rs.value(1).toLongLong()};
    } catch (const DbError&) {
        // a copy without its record counts as out of date
    }
    return {};
}

std::optional<QString> notImported(Database& copy, const QString& name) {
    try {
        const Recordset rs = copy.openNativeRecordset(
            QStringLiteral("SELECT note FROM %1 WHERE name = ? AND kind = 'query'").arg(kPackageObjectsTable),
            {name});
        if (!rs.eof())
            return RecordedNote::of(rs.value(0).toString()).office;
    } catch (const DbError&) {
        // an accounting database of its own, not a working copy
    }
    return std::nullopt;
}

qint64 importAccessFile(const QString& accessPath, const QString& copyPath, ImportProgress* progress) {
    // Taken before the reading: a change made meanwhile shows at the next open.
    const SourceStamp stamp = SourceStamp::of(accessPath);
    const AccessReader reader(accessPath);
    auto copy = Database::create(copyPath, QString());
    qint64 rows = 0;
    try {
        copy->beginTransaction();
        recordSource(*copy, stamp);
        const QList<AccessTable>& tables = reader.tables();
        for (int i = 0; i < tables.size(); ++i) {
            if (progress)
                progress->tableStarted(accessPath, tables[i].name, i, static_cast<int>(tables.size()),
                                       tables[i].rowCount);
            rows += importTable(*copy, reader, tables[i], progress);
        }
        // Made now, while the rows are written anyway, not in a window's first wait; a file of another
        // program without the package's entries has none.
        skipOnFailure([&] { ensureEntriesIndex(*copy); });
        importQueries(*copy, SavedQueries::read(reader));
        copy->commit();
        copy->close();
    } catch (const DbError&) {
        copy->close();
        QFile::remove(copyPath);
        throw;
    }
    if (progress)
        progress->finished();
    return rows;
}

}  // namespace AccessImport
