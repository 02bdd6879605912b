#include "StatementCache.h"

#include "DbError.h"

#include <sqlite3.h>

namespace {

QString lowerName(const char* name) {
    return QString::fromUtf8(name).toLower();
}

}  // namespace

StatementCache::StatementCache(sqlite3* db) : m_db(db) {
    sqlite3_set_authorizer(m_db, noteAccess, &m_preparing);
}

StatementCache::~StatementCache() {
    clear();
}

// Notes what a statement being prepared reads and changes; it refuses nothing.
int StatementCache::noteAccess(void* preparing, int action, const char* first, const char* second,
                               const char*, const char* innermost) {
    auto* access = *static_cast<StatementAccess**>(preparing);
    if (!access)
        return SQLITE_OK;  // a statement prepared again after a change of the schema
    switch (action) {
        case SQLITE_READ:
            if (first)
                access->reads.insert(lowerName(first));
            if (innermost)  // the view or trigger through which it reads
                access->reads.insert(lowerName(innermost));
            break;
        case SQLITE_CREATE_TABLE:
        case SQLITE_CREATE_TEMP_TABLE:
        case SQLITE_DROP_TABLE:
        case SQLITE_DROP_TEMP_TABLE:
            access->changesTables = true;
            access->changes.insert(lowerName(first));
            break;
        case SQLITE_ALTER_TABLE:  // the database, then the table
            access->changesTables = true;
            access->changes.insert(lowerName(second));
            break;
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
        case SQLITE_CREATE_VIEW:
        case SQLITE_CREATE_TEMP_VIEW:
        case SQLITE_DROP_VIEW:
        case SQLITE_DROP_TEMP_VIEW:
        case SQLITE_CREATE_INDEX:
        case SQLITE_CREATE_TEMP_INDEX:
        case SQLITE_DROP_INDEX:
        case SQLITE_DROP_TEMP_INDEX:
            access->changes.insert(lowerName(first));
            break;
        case SQLITE_TRANSACTION:
        case SQLITE_SAVEPOINT:  // first: BEGIN, COMMIT, RELEASE or ROLLBACK
            access->changesAnything =
                access->changesAnything || QByteArray(first).compare("ROLLBACK", Qt::CaseInsensitive) == 0;
            break;
        case SQLITE_ATTACH:
        case SQLITE_DETACH:
            access->changesAnything = true;
            break;
        default:
            break;
    }
    return SQLITE_OK;
}

sqlite3_stmt* StatementCache::prepared(const QString& sql) {
    if (sqlite3_stmt* cached = m_statements.value(sql)) {
        sqlite3_reset(cached);
        sqlite3_clear_bindings(cached);
        return cached;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = SQLITE_OK;
    const StatementAccess access = watch([&] {
        rc = sqlite3_prepare_v2(m_db, utf8.constData(), static_cast<int>(utf8.size()), &stmt, &tail);
    });
    if (rc != SQLITE_OK)
        throw DbError::fromSqlite(sqlite3_errmsg(m_db));
    if (!stmt)
        throw DbError(QStringLiteral("La instrucción está vacía."));
    const QByteArray rest = QByteArray(tail).trimmed();
    if (!rest.isEmpty() && rest != ";") {
        sqlite3_finalize(stmt);
        throw DbError(QStringLiteral("Solo se admite una instrucción cada vez."));
    }
    m_statements.insert(sql, stmt);
    m_access.insert(sql, access);
    return stmt;
}

const StatementAccess& StatementCache::access(const QString& sql) const {
    static const StatementAccess kNone;
    const auto found = m_access.constFind(sql);
    return found == m_access.constEnd() ? kNone : *found;
}

StatementAccess StatementCache::watch(const std::function<void()>& work) {
    StatementAccess access;
    m_preparing = &access;
    try {
        work();
    } catch (...) {
        m_preparing = nullptr;
        throw;
    }
    m_preparing = nullptr;
    return access;
}

void StatementCache::clear() {
    for (sqlite3_stmt* stmt : std::as_const(m_statements))
        sqlite3_finalize(stmt);
    m_statements.clear();
    m_access.clear();
}
