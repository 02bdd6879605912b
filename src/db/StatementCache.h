#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

/** What SQLite's authorizer saw of a statement while it was prepared. */
struct StatementAccess {
    /** The tables and views it reads, in lower case. */
    QSet<QString> reads;
    /** The tables, views and indexes whose rows or definition it changes, makes or drops, in lower case. */
    QSet<QString> changes;
    /** It may change what no name tells: a rollback undoes any write, an attached file brings new tables. */
    bool changesAnything = false;
    /** It makes, drops or alters a table. */
    bool changesTables = false;
};

/**
 * The statements of a connection, each prepared once and kept until the
 * connection closes, with what each one reads and changes.
 */
class StatementCache {
public:
    /** Watches every statement `db` prepares from now on. */
    explicit StatementCache(sqlite3* db);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    /** The statement of `sql`, reset with its bindings cleared. Throws DbError, for more than one statement
     * too. */
    sqlite3_stmt* prepared(const QString& sql);
    /** What the statement of `sql`, already prepared, reads and changes. */
    const StatementAccess& access(const QString& sql) const;
    /** Runs `work`, which prepares statements of its own, and tells what they read and change. */
    StatementAccess watch(const std::function<void()>& work);
    /** Finalizes every statement kept. */
    void clear();

private:
    static int noteAccess(void* preparing, int action, const char* first, const char* second,
                          const char* database, const char* innermost);

    sqlite3* m_db;
    QHash<QString, sqlite3_stmt*> m_statements;
    QHash<QString, StatementAccess> m_access;
    StatementAccess* m_preparing = nullptr;
};
