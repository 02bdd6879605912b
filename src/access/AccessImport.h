#pragma once

#include <QString>

class Database;
class ImportProgress;

/**
 * The import of an Access file into a new SQLite file: every user table with
 * its columns, primary key and live rows, and two tables of the import's own
 * that say where it came from.
 */
namespace AccessImport {

/** The size and modification time of the imported file, which tell whether it changed since. */
inline const QString kSourceTable = QStringLiteral("aeat_source");
/** The tables (and later the saved queries) that came from the Access file, with their row counts. */
inline const QString kPackageObjectsTable = QStringLiteral("aeat_package_objects");

/** What identifies a version of the Access file. */
struct SourceStamp {
    qint64 size = -1;
    qint64 modifiedMs = -1;

    static SourceStamp of(const QString& path);
    /** The stamp an import recorded; an invalid one when it holds none. */
    static SourceStamp recordedIn(Database& copy);
    bool operator==(const SourceStamp&) const = default;
};

/**
 * Reads the Access file at `accessPath` into a new SQLite file at `copyPath`,
 * all in one transaction, telling `progress` (when given) table by table.
 * Returns the number of rows read. Throws DbError; a failed import leaves no
 * file behind.
 */
qint64 importAccessFile(const QString& accessPath, const QString& copyPath, ImportProgress* progress);

}  // namespace AccessImport
