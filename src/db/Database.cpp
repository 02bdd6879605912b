#include "Database.h"

#include "DbError.h"
#include "JetFunctionLibrary.h"
#include "SqlFunctions.h"

#include <sqlite3.h>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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

Database::Database(sqlite3* db) : m_db(db) {
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    registerJetFunctions(m_db);
    registerJetFunctionLibrary(m_db);
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
    if (!m_db)
        throw DbError(QStringLiteral("La base de datos está cerrada."));
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwLastError();
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
        found = m_translations.insert(jet, translateJet(jet));
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
    if (sqlite3_prepare_v2(m_db, utf8.constData(), static_cast<int>(utf8.size()), &stmt, &tail) != SQLITE_OK)
        throwLastError();
    if (!stmt)
        throw DbError(QStringLiteral("La instrucción está vacía."));
    if (QByteArray(tail).trimmed().size() > 0 && QByteArray(tail).trimmed() != ";") {
        sqlite3_finalize(stmt);
        throw DbError(QStringLiteral("Solo se admite una instrucción cada vez."));
    }
    m_statements.insert(sql, stmt);
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
    sqlite3_stmt* stmt = prepared(sql);
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
    return rows;
}

void Database::step(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* stmt = prepared(sql);
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
    const JetStatement statement = translateJet(jet);
    if (!statement.intoTable.isEmpty())
        throw DbError(QStringLiteral("Una consulta guardada no puede crear tablas."));
    exec(QStringLiteral("CREATE VIEW %1 AS %2").arg(quoteName(name), statement.sql).toUtf8().constData());
}

void Database::deleteQueryDef(const QString& name) {
    exec(QStringLiteral("DROP VIEW %1").arg(quoteName(name)).toUtf8().constData());
}

void Database::deleteTable(const QString& name) {
    exec(QStringLiteral("DROP TABLE %1").arg(quoteName(name)).toUtf8().constData());
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

void Database::ensureIndex(const QString& table, const QString& column) {
    const Rows indexes =
        fetch(QStringLiteral("SELECT 1 FROM pragma_index_list(?) AS l, pragma_index_info(l.name) AS i "
                             "WHERE i.seqno = 0 AND i.name = ? COLLATE NOCASE"),
              {table, column});
    if (!indexes.values.isEmpty())
        return;
    const QString name = QStringLiteral("aeat_%1_%2").arg(table, column);
    exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
             .arg(quoteName(name), quoteName(table), quoteName(column))
             .toUtf8()
             .constData());
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

void Database::beginTransaction() {
    exec("BEGIN IMMEDIATE");
}

void Database::commit() {
    exec("COMMIT");
}

void Database::rollback() {
    exec("ROLLBACK");
}
