#include "WorkingCopy.h"

#include "AccessFile.h"
#include "AccessImport.h"
#include "FileLock.h"
#include "ImportProgressLines.h"
#include "PlatformFiles.h"
#include "db/Database.h"
#include "db/DatabasePassword.h"
#include "db/DbError.h"
#include "db/SkipOnFailure.h"
#include "db/SqlQuoting.h"
#include "db/SqliteFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <optional>

namespace {

constexpr int kBaseTimeoutMs = 60 * 1000;
constexpr int kTimeoutMsPerMegabyte = 2 * 1000;
constexpr int kPollMs = 100;

std::optional<WorkingCopy::ReaderCommand> g_readerCommand;
ImportProgress* g_progress = nullptr;

WorkingCopy::ReaderCommand readerCommand() {
    if (g_readerCommand)
        return *g_readerCommand;
    // AEAT_EXECUTABLE_SUFFIX is the platform's: ".exe" on Windows, none on Linux.
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/aeat-cli" AEAT_EXECUTABLE_SUFFIX),
            {QStringLiteral("read-mdb")},
            0};
}

int timeoutFor(const QString& accessPath, const WorkingCopy::ReaderCommand& command) {
    if (command.timeoutMs > 0)
        return command.timeoutMs;
    const qint64 megabytes = QFileInfo(accessPath).size() / (1024 * 1024);
    return kBaseTimeoutMs + static_cast<int>(qMin<qint64>(megabytes, 100000) * kTimeoutMsPerMegabyte);
}

// Runs the reader in a child process, passing its progress on, within the time limit.
void readInChildProcess(const QString& accessPath, const QString& newPath) {
    const WorkingCopy::ReaderCommand command = readerCommand();
    QProcess reader;
    reader.setProgram(command.program);
    reader.setArguments(command.arguments + QStringList{accessPath, newPath});
    reader.setStandardInputFile(QProcess::nullDevice());
    reader.start();
    if (!reader.waitForStarted())
        throw unreadableAccessFile(
            accessPath, QStringLiteral("no se puede iniciar el lector (%1).").arg(command.program));
    const auto closeProgress = qScopeGuard([] {
        if (g_progress)
            g_progress->finished();
    });
    const int timeoutMs = timeoutFor(accessPath, command);
    const QDeadlineTimer deadline(timeoutMs);
    std::optional<QString> error;
    const auto replayOutput = [&] {
        while (reader.canReadLine())
            if (auto message = ImportProgressLines::replay(QString::fromUtf8(reader.readLine()).trimmed(),
                                                           accessPath, g_progress))
                error = message;
    };
    while (!reader.waitForFinished(kPollMs)) {
        replayOutput();
        if (deadline.hasExpired()) {
            reader.kill();
            reader.waitForFinished();
            QFile::remove(newPath);
            throw unreadableAccessFile(
                accessPath, QStringLiteral("la lectura no ha terminado en %1 segundos; puede estar dañado.")
                                .arg(timeoutMs / 1000));
        }
    }
    replayOutput();
    const bool succeeded = reader.exitStatus() == QProcess::NormalExit && reader.exitCode() == 0;
    if (!succeeded || !QFileInfo::exists(newPath)) {
        QFile::remove(newPath);
        if (error)
            throw DbError(*error);
        throw unreadableAccessFile(accessPath,
                                   QStringLiteral("el lector se ha detenido; puede estar dañado."));
    }
}

QStringList column(Database& db, const QString& sql, const QVariantList& params = {}) {
    QStringList values;
    for (Recordset rs = db.openNativeRecordset(sql, params); !rs.eof(); rs.moveNext())
        values.append(rs.value(0).toString());
    return values;
}

// The columns that the program added to a package table come back on the
// refreshed rows, matched by the table's primary key.
void carryAddedColumns(Database& fresh, const QString& table) {
    const QString oldTable = QStringLiteral("old.") + quoteName(table);
    QStringList freshColumns;
    QStringList key;
    for (Recordset rs =
             fresh.openNativeRecordset(QStringLiteral("SELECT name, pk FROM pragma_table_info(?)"), {table});
         !rs.eof(); rs.moveNext()) {
        freshColumns.append(rs.value(0).toString().toLower());
        if (rs.value(1).toInt() > 0)
            key.append(rs.value(0).toString());
    }
    for (Recordset rs = fresh.openNativeRecordset(
             QStringLiteral("SELECT name, type, dflt_value FROM pragma_table_info(?, 'old')"), {table});
         !rs.eof(); rs.moveNext()) {
        const QString name = rs.value(0).toString();
        if (freshColumns.contains(name.toLower()))
            continue;
        const QString type = rs.value(1).toString();
        QString definition = quoteName(name) + QLatin1Char(' ') + type;
        if (type.contains(QLatin1String("TEXT"), Qt::CaseInsensitive) ||
            type.contains(QLatin1String("CHAR"), Qt::CaseInsensitive))
            definition += QStringLiteral(" COLLATE NOCASE");
        if (!rs.value(2).isNull())
            definition += QStringLiteral(" DEFAULT ") + rs.value(2).toString();
        fresh.executeNative(
            QStringLiteral("ALTER TABLE main.%1 ADD COLUMN %2").arg(quoteName(table), definition));
        if (key.isEmpty())
            continue;  // without a key the rows cannot be matched: they keep the default
        QStringList match;
        for (const QString& part : key)
            match.append(QStringLiteral("o.%1 = main.%2.%1").arg(quoteName(part), quoteName(table)));
        const QString condition = match.join(QStringLiteral(" AND "));
        fresh.executeNative(QStringLiteral("UPDATE main.%1 SET %2 = (SELECT o.%2 FROM %3 AS o WHERE %4) "
                                           "WHERE EXISTS (SELECT 1 FROM %3 AS o WHERE %4)")
                                .arg(quoteName(table), quoteName(name), oldTable, condition));
    }
}

// The tables or views ("table", "view") that the program made in the old copy, in the order it made them.
Recordset programObjects(Database& fresh, const QString& kind) {
    return fresh.openNativeRecordset(
        QStringLiteral(
            "SELECT name, sql FROM old.sqlite_schema WHERE type = ? AND name NOT LIKE 'sqlite\\_%' "
            "ESCAPE '\\' AND name NOT IN (?, ?) AND name NOT IN (SELECT name FROM old.%1) "
            "ORDER BY rowid")
            .arg(AccessImport::kPackageObjectsTable),
        {kind, AccessImport::kSourceTable, AccessImport::kPackageObjectsTable});
}

bool existsInFresh(Database& fresh, const QString& name) {
    return !column(fresh, QStringLiteral("SELECT name FROM main.sqlite_schema WHERE name = ? COLLATE NOCASE"),
                   {name})
                .isEmpty();
}

// Brings into the freshly imported file what the program added to the old copy.
void carryOver(Database& fresh, const QString& oldPath) {
    fresh.executeNative(QStringLiteral("ATTACH DATABASE ? AS old"), {oldPath});
    fresh.beginTransaction();
    // A table of the program's that the package now has too gives way to the package's.
    for (Recordset rs = programObjects(fresh, QStringLiteral("table")); !rs.eof(); rs.moveNext()) {
        const QString name = rs.value(0).toString();
        if (existsInFresh(fresh, name))
            continue;
        fresh.executeNative(rs.value(1).toString());
        fresh.executeNative(QStringLiteral("INSERT INTO main.%1 SELECT * FROM old.%1").arg(quoteName(name)));
    }
    const QStringList packageTables =
        column(fresh, QStringLiteral("SELECT o.name FROM old.%1 AS o JOIN main.%1 AS n ON n.name = o.name "
                                     "WHERE o.kind = 'table' AND n.kind = 'table'")
                          .arg(AccessImport::kPackageObjectsTable));
    for (const QString& table : packageTables)
        carryAddedColumns(fresh, table);
    // An index or view of the program's that no longer fits the package's tables is left behind.
    for (const QString& sql :
         column(fresh, QStringLiteral("SELECT sql FROM old.sqlite_schema WHERE type = 'index' "
                                      "AND sql IS NOT NULL ORDER BY rowid")))
        skipOnFailure([&] { fresh.executeNative(sql); });
    for (Recordset rs = programObjects(fresh, QStringLiteral("view")); !rs.eof(); rs.moveNext())
        if (!existsInFresh(fresh, rs.value(0).toString()))
            skipOnFailure([&] { fresh.executeNative(rs.value(1).toString()); });
    fresh.commit();
    fresh.executeNative(QStringLiteral("DETACH DATABASE old"));
}

// A copy that is not a database at all (an interrupted disk, say) is made anew.
bool isUsable(const QString& copyPath) {
    return QFileInfo::exists(copyPath) && startsAsSqliteDatabase(copyPath);
}

bool isCurrent(const QString& copyPath, const QString& accessPath, const QString& connect) {
    if (!isUsable(copyPath))
        return false;
    auto copy = Database::open(copyPath, OpenMode::ReadOnly, connect);
    return AccessImport::SourceStamp::recordedIn(*copy) == AccessImport::SourceStamp::of(accessPath);
}

void replaceAtomically(const QString& newPath, const QString& copyPath) {
    if (!replaceFile(newPath, copyPath)) {
        QFile::remove(newPath);
        throw DbError(QStringLiteral("No se puede poner en su sitio la copia de trabajo '%1'.")
                          .arg(QDir::toNativeSeparators(copyPath)));
    }
}

void refresh(const QString& accessPath, const QString& copyPath, const QString& connect) {
    const QString newPath = copyPath + QStringLiteral(".nueva");
    QFile::remove(newPath);  // what an interrupted import left
    readInChildProcess(accessPath, newPath);
    try {
        auto fresh = Database::open(newPath, OpenMode::Shared, QString());
        if (isUsable(copyPath))
            carryOver(*fresh, copyPath);
        else
            DatabasePassword::store(*fresh, connect);
        fresh->close();
    } catch (const DbError&) {
        QFile::remove(newPath);
        throw;
    }
    replaceAtomically(newPath, copyPath);
}

}  // namespace

QString WorkingCopy::pathFor(const QString& accessPath) {
    const QFileInfo access(accessPath);
    const QString name = access.completeBaseName() + QStringLiteral(".aeat.sqlite");
    if (QFileInfo(access.absolutePath()).isWritable())
        return access.absolutePath() + QLatin1Char('/') + name;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/aeat/copias");
    QDir().mkpath(own);
    const QByteArray where =
        QCryptographicHash::hash(access.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return own + QLatin1Char('/') + QString::fromLatin1(where) + QLatin1Char('-') + name;
}

WorkingCopy WorkingCopy::prepare(const QString& accessPath, const QString& connect) {
    const QString copyPath = pathFor(accessPath);
    FileLock importing(copyPath + QStringLiteral(".importando"));
    if (!importing.lock(FileLock::Kind::Exclusive, timeoutFor(accessPath, readerCommand()) * 2))
        throw unreadableAccessFile(accessPath,
                                   QStringLiteral("otro programa lo está importando y no termina."));
    auto inUse = std::make_shared<FileLock>(copyPath + QStringLiteral(".en-uso"));
    if (!isCurrent(copyPath, accessPath, connect)) {
        // Other connections keep the copy they opened until they close.
        const bool free = !isUsable(copyPath) || inUse->tryLock(FileLock::Kind::Exclusive);
        if (free)
            refresh(accessPath, copyPath, connect);
    }
    inUse->tryLock(FileLock::Kind::Shared);  // nobody holds it exclusively while we import
    return WorkingCopy(copyPath, inUse);
}

void WorkingCopy::setReaderCommand(const ReaderCommand& command) {
    g_readerCommand = command;
}

void WorkingCopy::setProgress(ImportProgress* progress) {
    g_progress = progress;
}
