#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>

/** A column of an Access table, and the column it becomes in the working copy. */
struct AccessColumn {
    QString name;
    /**
     * The type code of the reading library (MDB_TEXT, MDB_LONGINT, ...); for a
     * calculated column, the type of its result.
     */
    int type = 0;
    /** The size as Access shows it: characters for a Text, bytes for the other types. */
    int size = 0;
    int scale = 0;
    /** Its place among the table's columns as the file orders them. */
    int position = 0;
    /** A calculated column (Access 2010 and later) stores the result of its expression in a wrapping. */
    bool calculated = false;

    /**
     * A column of a type the reading decodes. Attachment and multi-value
     * columns are left out, and so are the types the reading library does not
     * know (Date/Time Extended of Access 2016 and later) and a calculated
     * column whose result type is unknown.
     */
    bool isKept() const;
    /** Why a column that is not kept is left out, in Spanish, for the import's list. */
    QString leftOutReason() const;
    /** Its type in the working copy: "TEXT(50) COLLATE NOCASE", "INTEGER", "REAL", "BLOB" ... */
    QString sqliteType() const;
};

/** A user table of an Access file. */
struct AccessTable {
    QString name;
    QList<AccessColumn> columns;
    /** The names of the primary key's columns, in key order; empty without one. */
    QStringList primaryKey;
    qint64 rowCount = 0;
};

/**
 * Reads an Access file (Jet 3, Jet 4 or ACE) through libmdb, only ever for
 * reading: it is opened without write access and never locked. Every failure
 * throws DbError naming the file. A damaged file can make libmdb crash or
 * hang, so the program reads one only in a child process (WorkingCopy).
 */
class AccessReader {
public:
    explicit AccessReader(const QString& path);
    ~AccessReader();
    AccessReader(const AccessReader&) = delete;
    AccessReader& operator=(const AccessReader&) = delete;

    /** The user tables, without the MSys* system tables, in the catalogue's order. */
    const QList<AccessTable>& tables() const { return m_tables; }

    /** The rows of a system table, such as the query catalogue MSysQueries; empty when it has none. */
    AccessTable systemTable(const QString& name) const;

    /**
     * Reads the live rows of `table`, deleted rows left out: one call of
     * `onRow` each, with the values of its kept columns in order. A value is
     * Null, a qlonglong, a double, a QString or a QByteArray.
     */
    void readRows(const AccessTable& table, const std::function<void(const QVariantList&)>& onRow) const;

private:
    struct OpenFile;

    QString m_path;
    std::unique_ptr<OpenFile> m_file;
    QList<AccessTable> m_tables;
};
