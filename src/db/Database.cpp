#include "Database.h"

#include "DatabasePassword.h"
#include "DbError.h"
#include "SelectInto.h"
#include "SqlQuoting.h"
#include "SqliteFile.h"
#include "SqliteValues.h"
#include "functions/JetFunctions.h"

#include <sqlite3.h>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

Database::Database(sqlite3* db) : m_db(db), m_schema(db), m_statements(db) {
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    registerJetFunctions(m_db);
    // The sorts that make an index or group rows share their work with helper threads, one a core.
    sqlite3_limit(m_db, SQLITE_LIMIT_WORKER_THREADS, std::clamp(QThread::idealThreadCount(), 1, 8));
}

Database::~Database() {
    close();
}

std::unique_ptr<Database> Database::open(const QString& path, OpenMode mode, const QString& connect) {
    requireSqliteDatabaseFile(path);
    sqlite3* handle = nullptr;
    const int flags =
        (mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString();
        sqlite3_close(handle);
        throw DbError(QStringLiteral("No se puede abrir el archivo '%1': %2")
                          .arg(QDir::toNativeSeparators(path), message));
    }
    std::unique_ptr<Database> db(new Database(handle));
    try {
        DatabasePassword::check(*db, connect);
        if (mode == OpenMode::Exclusive)
            db->lockExclusively();
    } catch (const DbError&) {
        if (sqlite3_errcode(db->m_db) == SQLITE_NOTADB)
            throw notADatabase(path);
        throw;
    }
    return db;
}

std::unique_ptr<Database> Database::create(const QString& path, const QString& connect) {
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("El archivo '%1' ya existe.").arg(QDir::toNativeSeparators(path)));
    sqlite3* handle = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr) != SQLITE_OK) {
        const QString message = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString();
        sqlite3_close(handle);
        throw DbError(QStringLiteral("No se puede crear el archivo '%1': %2")
                          .arg(QDir::toNativeSeparators(path), message));
    }
    std::unique_ptr<Database> db(new Database(handle));
    // SQLite writes nothing to a new file until it has something to store,
    // and an empty file is not opened as a database.
    db->executeNativeScript(QStringLiteral("PRAGMA user_version = 0"));
    DatabasePassword::store(*db, connect);
    return db;
}

void Database::close() {
    m_statements.clear();
    m_translations.clear();
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    m_keptWhileOpen.clear();
}

void Database::requireOpen() const {
    if (!m_db)
        throw DbError(QStringLiteral("La base de datos está cerrada."));
}

void Database::throwLastError() const {
    throw DbError::fromSqlite(sqlite3_errmsg(m_db));
}

void Database::lockExclusively() {
    // In exclusive locking mode the connection keeps the locks it takes: its
    // write lock shuts everybody else out until it closes.
    executeNativeScript(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT"));
}

// Every statement of the connection passes here before it runs, or, for a script, once it ran.
void Database::noteChanges(const StatementAccess& access) {
    if (access.changesTables)
        m_translations.clear();  // a translation may rest on what the schema said of a table
    if (m_resultReuse)
        m_resultReuse->forgetChanged(access);
}

JetStatement Database::translation(const QString& jet) {
    auto found = m_translations.constFind(jet);
    if (found == m_translations.constEnd())
        found = m_translations.insert(jet, translateJet(jet, m_schema));
    return *found;
}

sqlite3_stmt* Database::prepared(const QString& sql) {
    requireOpen();
    return m_statements.prepared(sql);
}

// Runs one statement of SQLite's dialect; a query gives its rows.
QueryRows Database::fetch(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* stmt = prepared(sql);
    noteChanges(m_statements.access(sql));
    if (params.size() != sqlite3_bind_parameter_count(stmt))
        throw DbError(QStringLiteral("La instrucción espera %1 parámetros y ha recibido %2.")
                          .arg(sqlite3_bind_parameter_count(stmt))
                          .arg(params.size()));
    for (int i = 0; i < params.size(); ++i)
        if (SqliteValues::bind(stmt, i + 1, params[i]) != SQLITE_OK)
            throwLastError();
    QueryRows rows;
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c) {
        rows.names.append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
        rows.declaredTypes.append(QString::fromUtf8(sqlite3_column_decltype(stmt, c)));
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(SqliteValues::column(stmt, c));
        rows.values.append(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        const DbError error = DbError::fromSqlite(sqlite3_errmsg(m_db));
        sqlite3_reset(stmt);
        throw error;
    }
    sqlite3_reset(stmt);
    return rows;
}

// The rows of a Jet query: the ones kept, while results are reused, for the whole of a view of them.
QueryRows Database::rowsOf(const JetStatement& statement, const QVariantList& params) {
    const bool reusable = m_resultReuse && params.isEmpty();
    if (reusable && !statement.wholeSource.isEmpty())
        if (std::optional<QueryRows> kept = m_resultReuse->rowsOfView(statement.wholeSource, dataVersion()))
            return *kept;
    QueryRows rows = fetch(statement.sql, params);
    if (reusable && sqlite3_stmt_readonly(prepared(statement.sql)))
        m_resultReuse->remember(statement.sql, rows, m_statements.access(statement.sql).reads, dataVersion());
    return rows;
}

// Changes when another connection commits a write to the file.
qint64 Database::dataVersion() {
    sqlite3_stmt* stmt = prepared(QStringLiteral("PRAGMA data_version"));
    const qint64 version = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
    sqlite3_reset(stmt);
    return version;
}

void Database::execute(const QString& jet, const QVariantList& params) {
    const JetStatement statement = translation(jet);
    if (!statement.intoTable.isEmpty()) {
        selectInto(statement, params);
        return;
    }
    sqlite3_stmt* stmt = prepared(statement.sql);
    if (sqlite3_column_count(stmt) > 0 && sqlite3_stmt_readonly(stmt))
        throw DbError(QStringLiteral("No se puede ejecutar una consulta de selección."));
    fetch(statement.sql, params);
}

Recordset Database::openRecordset(const QString& jet, const QVariantList& params) {
    const JetStatement statement = translation(jet);
    if (!statement.intoTable.isEmpty() || sqlite3_column_count(prepared(statement.sql)) == 0)
        throw DbError(QStringLiteral("La instrucción no devuelve registros."));
    QueryRows rows = rowsOf(statement, params);
    return Recordset(std::move(rows.names), std::move(rows.values));
}

std::optional<Recordset> Database::run(const QString& jet, const QVariantList& params) {
    const JetStatement statement = translation(jet);
    if (statement.intoTable.isEmpty() && sqlite3_column_count(prepared(statement.sql)) > 0)
        return openRecordset(jet, params);
    execute(jet, params);
    return std::nullopt;
}

void Database::selectInto(const JetStatement& statement, const QVariantList& params) {
    const QueryRows rows = rowsOf(statement, params);
    const QString insert = SelectInto::insertRow(statement.intoTable, rows);
    const bool ownTransaction = sqlite3_get_autocommit(m_db) != 0;
    if (ownTransaction)
        beginTransaction();
    try {
        executeNativeScript(SelectInto::createTable(statement.intoTable, rows));
        for (const QVariantList& row : rows.values)
            fetch(insert, row);
        if (ownTransaction)
            commit();
    } catch (const DbError&) {
        if (ownTransaction)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void Database::createQueryDef(const QString& name, const QString& jet) {
    const JetStatement statement = translateJet(jet, m_schema);
    if (!statement.intoTable.isEmpty())
        throw DbError(QStringLiteral("Una consulta guardada no puede crear tablas."));
    executeNativeScript(QStringLiteral("CREATE VIEW %1 AS %2").arg(quoteName(name), statement.sql));
    if (m_resultReuse)
        m_resultReuse->viewMade(name, statement.sql);
}

void Database::deleteQueryDef(const QString& name) {
    executeNativeScript(QStringLiteral("DROP VIEW %1").arg(quoteName(name)));
}

void Database::deleteTable(const QString& name) {
    executeNativeScript(QStringLiteral("DROP TABLE %1").arg(quoteName(name)));
}

QStringList Database::tableNames() {
    // The engine's tables (its password) and the working copy's records all start with "aeat_".
    const QueryRows rows = fetch(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' "
                                                "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                                "AND name NOT LIKE 'aeat\\_%' ESCAPE '\\' ORDER BY name"),
                                 {});
    QStringList names;
    for (const QVariantList& row : rows.values)
        names.append(row[0].toString());
    return names;
}

void Database::executeNativeScript(const QString& script) {
    requireOpen();
    const QByteArray utf8 = script.toUtf8();
    int rc = SQLITE_OK;
    const StatementAccess access =
        m_statements.watch([&] { rc = sqlite3_exec(m_db, utf8.constData(), nullptr, nullptr, nullptr); });
    noteChanges(access);
    if (rc != SQLITE_OK)
        throwLastError();
}

void Database::executeNative(const QString& sql, const QVariantList& params) {
    fetch(sql, params);
}

Recordset Database::openNativeRecordset(const QString& sql, const QVariantList& params) {
    QueryRows rows = fetch(sql, params);
    return Recordset(std::move(rows.names), std::move(rows.values));
}

void Database::whileWorking(std::function<void()> stillWorking) {
    m_stillWorking = std::move(stillWorking);
    m_sinceStillWorking.start();
    constexpr int kInstructionsBetweenChecks = 100000;
    sqlite3_progress_handler(m_db, m_stillWorking ? kInstructionsBetweenChecks : 0, reportProgress, this);
}

int Database::reportProgress(void* database) {
    auto* self = static_cast<Database*>(database);
    if (self->m_sinceStillWorking.hasExpired(100)) {
        self->m_sinceStillWorking.restart();
        self->m_stillWorking();
    }
    return 0;  // go on
}

void Database::beginTransaction() {
    executeNativeScript(QStringLiteral("BEGIN IMMEDIATE"));
}

void Database::commit() {
    executeNativeScript(QStringLiteral("COMMIT"));
}

void Database::rollback() {
    executeNativeScript(QStringLiteral("ROLLBACK"));
}

Database::ReadTransaction::ReadTransaction(Database& db) : m_db(db) {
    // Counted only once it holds: a failure here leaves nothing for the destructor to end.
    if (m_db.m_readTransactions == 0) {  // otherwise the outer one holds the reading and refuses writes
        if (m_db.m_db && sqlite3_get_autocommit(m_db.m_db)) {
            m_db.executeNativeScript(QStringLiteral("BEGIN DEFERRED"));
            m_began = true;
        }
        m_db.executeNativeScript(QStringLiteral("PRAGMA query_only = ON"));
    }
    ++m_db.m_readTransactions;
}

Database::ReadTransaction::~ReadTransaction() {
    if (--m_db.m_readTransactions > 0 || !m_db.m_db)
        return;
    // Nothing was written, so ending the transaction cannot fail on what it holds;
    // should it fail all the same, the rollback lets go of the lock.
    sqlite3_exec(m_db.m_db, "PRAGMA query_only = OFF", nullptr, nullptr, nullptr);
    if (m_began && sqlite3_exec(m_db.m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_db.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

Database::ReusingResults::ReusingResults(Database& db) : m_db(db) {
    if (!m_db.m_resultReuse) {  // otherwise an outer one keeps the rows and ends their keeping
        m_db.m_resultReuse.emplace();
        m_began = true;
    }
}

Database::ReusingResults::~ReusingResults() {
    if (m_began)
        m_db.m_resultReuse.reset();
}

Database::BulkInsert::BulkInsert(Database& db, const QString& sql) : m_db(db), m_stmt(db.prepared(sql)) {
    db.noteChanges(db.m_statements.access(sql));
}

void Database::BulkInsert::bindNull(int parameter) {
    check(sqlite3_bind_null(m_stmt, parameter));
}

void Database::BulkInsert::bindInteger(int parameter, qint64 value) {
    check(sqlite3_bind_int64(m_stmt, parameter, value));
}

void Database::BulkInsert::bindReal(int parameter, double value) {
    check(sqlite3_bind_double(m_stmt, parameter, value));
}

void Database::BulkInsert::bindText(int parameter, const char* utf8, int size) {
    check(sqlite3_bind_text(m_stmt, parameter, utf8, size, SQLITE_STATIC));
}

void Database::BulkInsert::bindBlob(int parameter, const char* bytes, int size) {
    check(sqlite3_bind_blob(m_stmt, parameter, bytes, size, SQLITE_STATIC));
}

void Database::BulkInsert::insert() {
    if (sqlite3_step(m_stmt) != SQLITE_DONE) {
        const DbError error = DbError::fromSqlite(sqlite3_errmsg(m_db.m_db));
        sqlite3_reset(m_stmt);
        throw error;
    }
    sqlite3_reset(m_stmt);
}

void Database::BulkInsert::check(int rc) {
    if (rc != SQLITE_OK)
        m_db.throwLastError();
}
