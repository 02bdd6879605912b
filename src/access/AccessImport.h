#pragma once

#include <QString>

#include <optional>

#include "SavedQueries.h"

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
/**
 * What came from the Access file: its tables ("table", with their row counts),
 * the columns left out ("column", with a note of why) and saved queries
 * ("view", or "query" with a note of why it is no view).
 */
inline const QString kPackageObjectsTable = QStringLiteral("aeat_package_objects");

/**
 * A note of that record: the office's words, and SQLite's own text where the
 * Spanish can say no more than that the engine failed, kept for aeat-cli's
 * standard error alone.
 */
struct RecordedNote {
    QString office;
    QString engine;

    static RecordedNote of(const QString& recorded);
    /** As it is recorded: the engine's text on a line after the office's words. */
    QString recorded() const;
};

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

/**
 * Makes views of the saved select and union queries, in an order that lets
 * one read another, and records what became of every query. A query that
 * cannot be a view is recorded with the reason, and the others go on.
 */
void importQueries(Database& copy, const QList<SavedQueries::Query>& queries);

/**
 * Why the Access file's saved query `name` did not become a view, in the
 * office's words; nothing when it did or is none of its. Where the engine's
 * own text says more, it is recorded on a line after them, for import-mdb's
 * standard error alone.
 */
std::optional<QString> notImported(Database& copy, const QString& name);

}  // namespace AccessImport
