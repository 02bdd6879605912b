#include "AccessImport.h"

#include "AccessReader.h"
#include "ImportProgress.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace AccessImport {

namespace {

constexpr qint64 kRowsBetweenReports = 10000;

QString quoted(const QString& name) {
    QString text = name;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString createStatement(const AccessTable& table) {
    QStringList definitions;
    for (const AccessColumn& column : table.columns)
        if (column.isKept())
            definitions.append(quoted(column.name) + QLatin1Char(' ') + column.sqliteType());
    if (!table.primaryKey.isEmpty()) {
        QStringList key;
        for (const QString& name : table.primaryKey)
            key.append(quoted(name));
        definitions.append(QStringLiteral("PRIMARY KEY (%1)").arg(key.join(QStringLiteral(", "))));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoted(table.name), definitions.join(QStringLiteral(", ")));
}

QString insertStatement(const AccessTable& table) {
    QStringList names;
    QStringList placeholders;
    for (const AccessColumn& column : table.columns) {
        if (!column.isKept())
            continue;
        names.append(quoted(column.name));
        placeholders.append(QStringLiteral("?"));
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoted(table.name), names.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
}

void recordSource(Database& copy, const SourceStamp& stamp) {
    copy.executeNative(QStringLiteral("CREATE TABLE %1 (size INTEGER, modified INTEGER)").arg(kSourceTable));
    copy.executeNative(QStringLiteral("INSERT INTO %1 VALUES (?, ?)").arg(kSourceTable),
                       {stamp.size, stamp.modifiedMs});
    copy.executeNative(
        QStringLiteral("CREATE TABLE %1 (name TEXT PRIMARY KEY COLLATE NOCASE, kind TEXT, rows INTEGER)")
            .arg(kPackageObjectsTable));
}

qint64 importTable(Database& copy, const AccessReader& reader, const AccessTable& table,
                   ImportProgress* progress) {
    copy.executeNative(createStatement(table));
    const QString insert = insertStatement(table);
    qint64 rows = 0;
    reader.readRows(table, [&](const QVariantList& row) {
        copy.executeNative(insert, row);
        if (++rows % kRowsBetweenReports == 0 && progress)
            progress->rowsRead(rows);
    });
    copy.executeNative(QStringLiteral("INSERT INTO %1 VALUES (?, 'table', ?)").arg(kPackageObjectsTable),
                       {table.name, rows});
    return rows;
}

}  // namespace

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
