#include "Database.h"

#include "DbError.h"
#include "JetFunctionLibrary.h"
#include "SqlFunctions.h"

#include <sqlite3.h>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>

namespace {

const char kPasswordTable[] = "aeat_password";
constexpr int kPasswordRounds = 10000;

QString quoteText(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString passwordOf(const QString& connect) {
    for (const QString& item : connect.split(QLatin1Char(';'))) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (equals > 0 && item.left(equals).trimmed().compare(QLatin1String("pwd"), Qt::CaseInsensitive) == 0)
            return item.mid(equals + 1);
    }
    return {};
}

DbError notADatabase(const QString& path) {
    return DbError(QStringLiteral("El archivo '%1' no es una base de datos.").arg(path));
}

QByteArray passwordHash(const QByteArray& salt, const QString& password) {
    QByteArray digest = salt + password.toUtf8();
    for (int round = 0; round < kPasswordRounds; ++round)
        digest = QCryptographicHash::hash(salt + digest, QCryptographicHash::Sha256);
    return digest;
}

// SQLite takes an empty file for an empty database and would write its own
// objects into it: only a file that starts as an SQLite database is opened.
const QByteArray kSqliteHeader("SQLite format 3", 16);  // the text and its NUL

void checkStartsAsSqliteDatabase(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("No se puede abrir el archivo '%1': %2").arg(path, file.errorString()));
    if (!Database::startsAsDatabase(path))
        throw notADatabase(path);
}

QVariant columnValue(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            return QVariant::fromValue<qlonglong>(sqlite3_column_int64(stmt, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt, column);
        case SQLITE_NULL:
            return {};
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                              sqlite3_column_bytes(stmt, column));
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                     sqlite3_column_bytes(stmt, column));
    }
}

// The type that a column made by "select ... into" gets: the declared type of
// the source column when there is one, otherwise that of the values it holds.
QString columnTypeFor(const QString& declared, const QList<QVariantList>& rows, int column) {
    const QString upper = declared.toUpper();
    if (upper.contains(QLatin1String("INT")))
        return QStringLiteral("INTEGER");
    if (upper.contains(QLatin1String("CHAR")) || upper.contains(QLatin1String("CLOB")) ||
        upper.contains(QLatin1String("TEXT")))
        return QStringLiteral("TEXT COLLATE NOCASE");
    if (upper.contains(QLatin1String("REAL")) || upper.contains(QLatin1String("FLOA")) ||
        upper.contains(QLatin1String("DOUB")))
        return QStringLiteral("REAL");
    bool anyReal = false;
    bool anyInteger = false;
    for (const QVariantList& row : rows) {
        const QVariant& value = row[column];
        if (value.isNull())
            continue;
        switch (value.typeId()) {
            case QMetaType::LongLong:
                anyInteger = true;
                break;
            case QMetaType::Double:
                anyReal = true;
                break;
            case QMetaType::QByteArray:
                return QStringLiteral("BLOB");
            default:
                return QStringLiteral("TEXT COLLATE NOCASE");
        }
    }
    if (anyReal)
        return QStringLiteral("REAL");
    if (anyInteger)
        return QStringLiteral("INTEGER");
    return QStringLiteral("TEXT COLLATE NOCASE");
}

}  // namespace

// Notes what a statement being prepared reads, and whether it makes, drops or alters a table.
int Database::noteAccess(void* preparing, int action, const char* table, const char*, const char*,
                         const char* view) {
    auto* access = *static_cast<Database::StatementAccess**>(preparing);
    if (!access)
        return SQLITE_OK;  // a statement prepared again after a change of the schema
    if (action == SQLITE_READ) {
        if (table)
            access->reads.insert(QString::fromUtf8(table).toLower());
        if (view)
            access->reads.insert(QString::fromUtf8(view).toLower());
    }
    access->changesTables = access->changesTables || action == SQLITE_CREATE_TABLE ||
                            action == SQLITE_CREATE_TEMP_TABLE || action == SQLITE_DROP_TABLE ||
                            action == SQLITE_DROP_TEMP_TABLE || action == SQLITE_ALTER_TABLE;
    return SQLITE_OK;
}

namespace {

// "select * from Name": the whole of a table or view, as Jet's "select * into T from Name" reads it.
QString wholeSourceName(const QString& sql) {
    static const QRegularExpression whole(
        QStringLiteral(R"re(^\s*select\s+\*\s+from\s+(?:"([^"]+)"|\[([^\]]+)\]|(\w+))\s*;?\s*$)re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = whole.match(sql);
    return match.hasMatch() ? (match.captured(1) + match.captured(2) + match.captured(3)).toLower()
                            : QString();
}

}  // namespace

Database::Database(sqlite3* db) : m_db(db), m_schema(db) {
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    registerJetFunctions(m_db);
    registerJetFunctionLibrary(m_db);
    // The sorts that make an index or group rows share their work with helper threads, one a core.
    sqlite3_limit(m_db, SQLITE_LIMIT_WORKER_THREADS, std::clamp(QThread::idealThreadCount(), 1, 8));
    sqlite3_set_authorizer(m_db, noteAccess, &m_preparing);
}

Database::~Database() {
    close();
}

QString Database::quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool Database::startsAsDatabase(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(kSqliteHeader.size()) == kSqliteHeader;
}

std::unique_ptr<Database> Database::open(const QString& path, OpenMode mode, const QString& connect) {
    // SQLite would quietly create a missing file; the accounting database must exist.
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(QStringLiteral("No se encuentra el archivo '%1'.").arg(path));
    if (!info.isFile())
        throw DbError(QStringLiteral("'%1' no es un archivo de base de datos.").arg(path));
    checkStartsAsSqliteDatabase(path);
    sqlite3* handle = nullptr;
    const int flags =
        (mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString();
        sqlite3_close(handle);
        throw DbError(QStringLiteral("No se puede abrir el archivo '%1': %2").arg(path, message));
    }
    std::unique_ptr<Database> db(new Database(handle));
    try {
        db->checkPassword(connect);
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
        throw DbError(QStringLiteral("El archivo '%1' ya existe.").arg(path));
    sqlite3* handle = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr) != SQLITE_OK) {
        const QString message = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString();
        sqlite3_close(handle);
        throw DbError(QStringLiteral("No se puede crear el archivo '%1': %2").arg(path, message));
    }
    std::unique_ptr<Database> db(new Database(handle));
    // SQLite writes nothing to a new file until it has something to store,
    // and an empty file is not opened as a database.
    db->exec("PRAGMA user_version = 0");
    db->storePassword(connect);
    return db;
}

void Database::close() {
    for (sqlite3_stmt* stmt : std::as_const(m_statements))
        sqlite3_finalize(stmt);
    m_statements.clear();
    m_statementAccess.clear();
    m_translations.clear();
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    m_keptWhileOpen.clear();
}

void Database::throwLastError() const {
    throw DbError::fromSqlite(sqlite3_errmsg(m_db));
}

void Database::exec(const char* sql) {
    execOn(QString::fromUtf8(sql), QString());
}

void Database::execOn(const QString& sql, const QString& object) {
    if (!m_db)
        throw DbError(QStringLiteral("La base de datos está cerrada."));
    forgetLastResult(object);
    StatementAccess access;
    m_preparing = &access;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    m_preparing = nullptr;
    if (access.changesTables)
        schemaChanged();
    if (rc != SQLITE_OK)
        throwLastError();
}

// A translation may rest on what the schema said of a table.
void Database::schemaChanged() {
    m_translations.clear();
}

// The load reads a selection, saves it as a view and makes a table of that
// view at once: the view's rows are the ones just read while nothing was
// written that they rest on, here or by another connection.
std::optional<Database::Rows> Database::reusedRows(const QString& sql) {
    const QString view = wholeSourceName(sql);
    if (view.isEmpty() || !m_lastResult || m_views.value(view) != m_lastResult->sql ||
        m_lastResult->dataVersion != dataVersion())
        return std::nullopt;
    const QStringList& names = m_lastResult->rows.names;
    for (const QString& name : names)  // a view renames repeated names
        if (names.count(name) > 1 || name.contains(QLatin1Char(':')))
            return std::nullopt;
    return m_lastResult->rows;
}

void Database::remember(const QString& sql, const Rows& rows) {
    m_lastResult = LastResult{sql, rows, m_statementAccess.value(sql).reads, dataVersion()};
}

// Forgets the last result unless the change is to an object it did not read.
void Database::forgetLastResult(const QString& object) {
    if (m_lastResult && (object.isEmpty() || m_lastResult->reads.contains(object.toLower())))
        m_lastResult.reset();
}

// Changes when another connection commits a write to the file.
qint64 Database::dataVersion() {
    sqlite3_stmt* stmt = prepared(QStringLiteral("PRAGMA data_version"));
    const qint64 version = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
    sqlite3_reset(stmt);
    return version;
}

void Database::checkPassword(const QString& connect) {
    const Rows table =
        fetch(QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?"),
              {QString::fromLatin1(kPasswordTable)});
    if (table.values.first().first().toLongLong() == 0)
        return;  // a database without a password opens with any
    const Rows stored = fetch(QStringLiteral("SELECT salt, hash FROM aeat_password"), {});
    for (const QVariantList& row : stored.values)
        if (passwordHash(row[0].toByteArray(), passwordOf(connect)) != row[1].toByteArray())
            throw DbError(QStringLiteral("No es una contraseña válida."));
}

void Database::storePassword(const QString& connect) {
    const QString password = passwordOf(connect);
    if (password.isEmpty())
        return;
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), salt.size() / 4);
    exec("CREATE TABLE aeat_password (salt BLOB NOT NULL, hash BLOB NOT NULL)");
    step(QStringLiteral("INSERT INTO aeat_password (salt, hash) VALUES (?, ?)"),
         {salt, passwordHash(salt, password)});
}

void Database::lockExclusively() {
    // In exclusive locking mode the connection keeps the locks it takes: its
    // write lock shuts everybody else out until it closes.
    exec("PRAGMA locking_mode = EXCLUSIVE");
    exec("BEGIN EXCLUSIVE; COMMIT");
}

const JetStatement& Database::translation(const QString& jet) {
    auto found = m_translations.constFind(jet);
    if (found == m_translations.constEnd())
        found = m_translations.insert(jet, translateJet(jet, m_schema));
    return *found;
}

sqlite3_stmt* Database::prepared(const QString& sql) {
    if (!m_db)
        throw DbError(QStringLiteral("La base de datos está cerrada."));
    if (sqlite3_stmt* cached = m_statements.value(sql)) {
        sqlite3_reset(cached);
        sqlite3_clear_bindings(cached);
        return cached;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    StatementAccess access;
    m_preparing = &access;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), static_cast<int>(utf8.size()), &stmt, &tail);
    m_preparing = nullptr;
    if (rc != SQLITE_OK)
        throwLastError();
    if (!stmt)
        throw DbError(QStringLiteral("La instrucción está vacía."));
    if (QByteArray(tail).trimmed().size() > 0 && QByteArray(tail).trimmed() != ";") {
        sqlite3_finalize(stmt);
        throw DbError(QStringLiteral("Solo se admite una instrucción cada vez."));
    }
    m_statements.insert(sql, stmt);
    m_statementAccess.insert(sql, access);
    return stmt;
}

void Database::bind(sqlite3_stmt* stmt, const QVariantList& params) {
    if (params.size() != sqlite3_bind_parameter_count(stmt))
        throw DbError(QStringLiteral("La instrucción espera %1 parámetros y ha recibido %2.")
                          .arg(sqlite3_bind_parameter_count(stmt))
                          .arg(params.size()));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& value = params[i];
        const int index = i + 1;
        int rc = SQLITE_OK;
        if (value.isNull()) {
            rc = sqlite3_bind_null(stmt, index);
        } else {
            switch (value.typeId()) {
                case QMetaType::Bool:
                case QMetaType::Int:
                case QMetaType::UInt:
                case QMetaType::LongLong:
                case QMetaType::ULongLong:
                    rc = sqlite3_bind_int64(stmt, index, value.toLongLong());
                    break;
                case QMetaType::Double:
                case QMetaType::Float:
                    rc = sqlite3_bind_double(stmt, index, value.toDouble());
                    break;
                case QMetaType::QByteArray: {
                    const QByteArray bytes = value.toByteArray();
                    rc = sqlite3_bind_blob(stmt, index, bytes.constData(), static_cast<int>(bytes.size()),
                                           SQLITE_TRANSIENT);
                    break;
                }
                default: {
                    const QByteArray text = value.toString().toUtf8();
                    rc = sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()),
                                           SQLITE_TRANSIENT);
                }
            }
        }
        if (rc != SQLITE_OK)
            throwLastError();
    }
}

Database::Rows Database::fetch(const QString& sql, const QVariantList& params) {
    if (params.isEmpty())
        if (std::optional<Rows> reused = reusedRows(sql))
            return *reused;
    sqlite3_stmt* stmt = prepared(sql);
    if (!sqlite3_stmt_readonly(stmt))
        forgetLastResult();
    bind(stmt, params);
    Rows rows;
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
            row.append(columnValue(stmt, c));
        rows.values.append(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        const DbError error = DbError::fromSqlite(sqlite3_errmsg(m_db));
        sqlite3_reset(stmt);
        throw error;
    }
    sqlite3_reset(stmt);
    if (params.isEmpty() && sqlite3_stmt_readonly(stmt))
        remember(sql, rows);
    return rows;
}

void Database::step(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* stmt = prepared(sql);
    if (!sqlite3_stmt_readonly(stmt))
        forgetLastResult();
    if (m_statementAccess.value(sql).changesTables)
        schemaChanged();
    bind(stmt, params);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        const DbError error = DbError::fromSqlite(sqlite3_errmsg(m_db));
        sqlite3_reset(stmt);
        throw error;
    }
    sqlite3_reset(stmt);
}

Database::BulkInsert::BulkInsert(Database& db, const QString& sql) : m_db(db), m_stmt(db.prepared(sql)) {
    db.forgetLastResult();
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

void Database::execute(const QString& jet, const QVariantList& params) {
    const JetStatement statement = translation(jet);
    if (!statement.intoTable.isEmpty()) {
        selectInto(statement, params);
        return;
    }
    sqlite3_stmt* stmt = prepared(statement.sql);
    if (sqlite3_column_count(stmt) > 0 && sqlite3_stmt_readonly(stmt))
        throw DbError(QStringLiteral("No se puede ejecutar una consulta de selección."));
    step(statement.sql, params);
}

Recordset Database::openRecordset(const QString& jet, const QVariantList& params) {
    const JetStatement statement = translation(jet);
    if (!statement.intoTable.isEmpty() || sqlite3_column_count(prepared(statement.sql)) == 0)
        throw DbError(QStringLiteral("La instrucción no devuelve registros."));
    Rows rows = fetch(statement.sql, params);
    return Recordset(std::move(rows.names), std::move(rows.values));
}

std::optional<Recordset> Database::run(const QString& jet, const QVariantList& params) {
    const JetStatement statement = translation(jet);
    if (statement.intoTable.isEmpty() && sqlite3_column_count(prepared(statement.sql)) > 0)
        return openRecordset(jet, params);
    execute(jet, params);
    return std::nullopt;
}

// Jet's "select ... into T" makes a new table from the rows of a query and
// fails when T exists; the columns are declared here, as the query gives them.
void Database::selectInto(const JetStatement& statement, const QVariantList& params) {
    const Rows rows = fetch(statement.sql, params);
    QStringList columns;
    for (int c = 0; c < rows.names.size(); ++c)
        columns.append(quoteName(rows.names[c]) + QLatin1Char(' ') +
                       columnTypeFor(rows.declaredTypes[c], rows.values, c));
    const QString table = quoteName(statement.intoTable);
    QStringList placeholders;
    for (int c = 0; c < rows.names.size(); ++c)
        placeholders.append(QStringLiteral("?"));
    const QString insert =
        QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table, placeholders.join(QLatin1Char(',')));

    const bool ownTransaction = sqlite3_get_autocommit(m_db) != 0;
    if (ownTransaction)
        exec("BEGIN IMMEDIATE");
    try {
        const QByteArray create =
            QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(QStringLiteral(", "))).toUtf8();
        exec(create.constData());
        for (const QVariantList& row : rows.values)
            step(insert, row);
        if (ownTransaction)
            exec("COMMIT");
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
    execOn(QStringLiteral("CREATE VIEW %1 AS %2").arg(quoteName(name), statement.sql), name);
    m_views.insert(name.toLower(), statement.sql);
}

void Database::deleteQueryDef(const QString& name) {
    m_views.remove(name.toLower());
    execOn(QStringLiteral("DROP VIEW %1").arg(quoteName(name)), name);
}

void Database::deleteTable(const QString& name) {
    execOn(QStringLiteral("DROP TABLE %1").arg(quoteName(name)), name);
}

QStringList Database::tableNames() {
    // The engine's tables (its password) and the working copy's records all start with "aeat_".
    const Rows rows = fetch(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' "
                                           "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                           "AND name NOT LIKE 'aeat\\_%' ESCAPE '\\' ORDER BY name"),
                            {});
    QStringList names;
    for (const QVariantList& row : rows.values)
        names.append(row[0].toString());
    return names;
}

void Database::addTextField(const QString& table, const QString& field, int size,
                            const QString& defaultValue) {
    const QString sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT(%3) COLLATE NOCASE DEFAULT %4")
                            .arg(quoteName(table), quoteName(field))
                            .arg(size)
                            .arg(quoteText(defaultValue));
    exec(sql.toUtf8().constData());
}

void Database::setFieldDefault(const QString& table, const QString& field, const QString& defaultValue) {
    const Rows columns = fetch(QStringLiteral("SELECT dflt_value FROM pragma_table_info(?) WHERE name = ? "
                                              "COLLATE NOCASE"),
                               {table, field});
    if (columns.values.isEmpty())
        throw DbError(QStringLiteral("No se encuentra el campo '%1'.").arg(field));
    // SQLite keeps a column's default in the table's definition, which only a
    // rebuild of the table could change; a field added by addTextField has it already.
    if (columns.values.first().first().toString() != quoteText(defaultValue))
        throw DbError(
            QStringLiteral("No se puede cambiar el valor predeterminado del campo '%1'.").arg(field));
}

void Database::ensureIndex(const QString& table, const QStringList& columns) {
    const Rows indexed = fetch(QStringLiteral("SELECT l.name, i.name FROM pragma_index_list(?) AS l, "
                                              "pragma_index_info(l.name) AS i ORDER BY l.name, i.seqno"),
                               {table});
    QHash<QString, QStringList> indexColumns;
    for (const QVariantList& row : indexed.values)
        indexColumns[row[0].toString()].append(row[1].toString().toLower());
    QStringList wanted;
    for (const QString& column : columns)
        wanted.append(column.toLower());
    for (const QStringList& existing : std::as_const(indexColumns))
        if (existing.mid(0, wanted.size()) == wanted)
            return;
    QStringList quoted;
    for (const QString& column : columns)
        quoted.append(quoteName(column));
    const QString name = QStringLiteral("aeat_%1_%2").arg(table, columns.join(QLatin1Char('_')));
    execOn(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
               .arg(quoteName(name), quoteName(table), quoted.join(QStringLiteral(", "))),
           name);
}

void Database::executeNativeScript(const QString& script) {
    exec(script.toUtf8().constData());
}

void Database::executeNative(const QString& sql, const QVariantList& params) {
    step(sql, params);
}

Recordset Database::openNativeRecordset(const QString& sql, const QVariantList& params) {
    Rows rows = fetch(sql, params);
    return Recordset(std::move(rows.names), std::move(rows.values));
}

void Database::setPassword(const QString& connect) {
    storePassword(connect);
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
    exec("BEGIN IMMEDIATE");
}

void Database::commit() {
    exec("COMMIT");
}

void Database::rollback() {
    exec("ROLLBACK");
}

Database::ReadTransaction::ReadTransaction(Database& db) : m_db(db) {
    // Counted only once it holds: a failure here leaves nothing for the destructor to end.
    if (m_db.m_readTransactions == 0) {  // otherwise the outer one holds the reading and refuses writes
        if (m_db.m_db && sqlite3_get_autocommit(m_db.m_db)) {
            m_db.exec("BEGIN DEFERRED");
            m_began = true;
        }
        m_db.exec("PRAGMA query_only = ON");
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
