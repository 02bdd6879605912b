#pragma once

#include "QueryRows.h"
#include "Recordset.h"
#include "ResultReuse.h"
#include "SqliteSchema.h"
#include "StatementCache.h"
#include "jet/JetTranslator.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

/** How a connection shares its file with other connections. */
enum class OpenMode {
    /** Reads and writes beside other connections, as the accounting package does. */
    Shared,
    /** Reads beside other connections and writes nothing. */
    ReadOnly,
    /** No other connection can open the file until this one closes. */
    Exclusive,
};

/**
 * A connection to the accounting database. Statements are written in the Jet
 * dialect and run on SQLite with Jet's meaning (see translateJet). Every
 * failing call throws DbError with the engine's message.
 *
 * Values pasted into a statement go in as bound parameters: "?" in the text,
 * one element of `params` each.
 */
class Database {
public:
    /** How long a statement waits for another connection's lock before it fails. */
    static constexpr int kBusyTimeoutMs = 5000;

    /**
     * Opens an existing database. `connect` is a connect string such as
     * ";pwd=secret"; a database that carries a password refuses any other.
     */
    static std::unique_ptr<Database> open(const QString& path, OpenMode mode, const QString& connect);
    /** Creates a new, empty database carrying the password of `connect`; refuses an existing file. */
    static std::unique_ptr<Database> create(const QString& path, const QString& connect);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void close();

    /** Runs an action statement (update, delete, insert, create, select ... into). */
    void execute(const QString& jet, const QVariantList& params = {});
    /** Runs a query and returns its rows. */
    Recordset openRecordset(const QString& jet, const QVariantList& params = {});
    /** Runs any statement: a query gives its rows, an action statement nothing. */
    std::optional<Recordset> run(const QString& jet, const QVariantList& params = {});

    /** Saved queries are views. */
    void createQueryDef(const QString& name, const QString& jet);
    void deleteQueryDef(const QString& name);
    void deleteTable(const QString& name);
    /** The tables of the database, without the engine's own and the working copy's records. */
    QStringList tableNames();

    /** Runs a script in SQLite's own dialect, without translation: the schema of a new database. */
    void executeNativeScript(const QString& script);
    /** Runs one statement in SQLite's own dialect, without translation, with bound values. */
    void executeNative(const QString& sql, const QVariantList& params = {});
    /** Runs one query in SQLite's own dialect, without translation, and returns its rows. */
    Recordset openNativeRecordset(const QString& sql, const QVariantList& params = {});

    /** Keeps `resource` (a lock, say) for as long as this connection is open. */
    void keepWhileOpen(std::shared_ptr<const void> resource) {
        m_keptWhileOpen.push_back(std::move(resource));
    }

    /** Calls `stillWorking` about every tenth of a second while a statement runs, for a window to repaint. */
    void whileWorking(std::function<void()> stillWorking);

    void beginTransaction();
    void commit();
    void rollback();

    /**
     * Reads that belong together. While it lasts, the statements read the file
     * as the first of them found it and keep its shared lock, so that each one
     * is spared taking the lock anew; another connection's write waits for the
     * end. Nothing can be written meanwhile: a write fails. Inside a
     * transaction that is already open it only refuses writes.
     */
    class ReadTransaction {
    public:
        explicit ReadTransaction(Database& db);
        ~ReadTransaction();
        ReadTransaction(const ReadTransaction&) = delete;
        ReadTransaction& operator=(const ReadTransaction&) = delete;

    private:
        Database& m_db;
        bool m_began = false;
    };

    /**
     * Rows read once and copied at once. While it lasts, the rows of each Jet
     * query without parameters are kept, and a statement that reads the whole
     * of a view of that same query ("select * from V", "select * into T from
     * V") gets them without running it again, unless a write since may have
     * changed them. A query whose rows another run could give otherwise
     * (random(), Now()) then gives the rows of its first run.
     */
    class ReusingResults {
    public:
        explicit ReusingResults(Database& db);
        ~ReusingResults();
        ReusingResults(const ReusingResults&) = delete;
        ReusingResults& operator=(const ReusingResults&) = delete;

    private:
        Database& m_db;
        bool m_began = false;
    };

    /**
     * One insert statement, in SQLite's own dialect, prepared once for many
     * rows: each row's values are bound as they come, without conversion, for
     * filling a whole table quickly.
     */
    class BulkInsert {
    public:
        BulkInsert(Database& db, const QString& sql);
        BulkInsert(const BulkInsert&) = delete;
        BulkInsert& operator=(const BulkInsert&) = delete;

        // Parameters count from 1; a text or blob must stay valid until insert() returns.
        void bindNull(int parameter);
        void bindInteger(int parameter, qint64 value);
        void bindReal(int parameter, double value);
        void bindText(int parameter, const char* utf8, int size);
        void bindBlob(int parameter, const char* bytes, int size);
        /** Inserts the bound row. Throws DbError. */
        void insert();

    private:
        void check(int rc);

        Database& m_db;
        sqlite3_stmt* m_stmt;
    };

private:
    explicit Database(sqlite3* db);

    JetStatement translation(const QString& jet);
    sqlite3_stmt* prepared(const QString& sql);
    void noteChanges(const StatementAccess& access);
    QueryRows rowsOf(const JetStatement& statement, const QVariantList& params);
    QueryRows fetch(const QString& sql, const QVariantList& params);
    void selectInto(const JetStatement& statement, const QVariantList& params);
    qint64 dataVersion();
    void lockExclusively();
    void requireOpen() const;
    [[noreturn]] void throwLastError() const;

    sqlite3* m_db = nullptr;
    SqliteSchema m_schema;
    StatementCache m_statements;
    QHash<QString, JetStatement> m_translations;
    std::optional<ResultReuse> m_resultReuse;  // while a ReusingResults lasts
    std::function<void()> m_stillWorking;
    QElapsedTimer m_sinceStillWorking;
    std::vector<std::shared_ptr<const void>> m_keptWhileOpen;
    int m_readTransactions = 0;  // how many ReadTransaction are open, one inside the other
    static int reportProgress(void* database);
};
