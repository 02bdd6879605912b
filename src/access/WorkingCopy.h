#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class ImportProgress;

/**
 * The SQLite working copy of the package's Access file, on which the engine
 * works. The Access file is only ever read, in a child process with a time
 * limit, since a damaged file can make the reading library crash or hang.
 *
 * The first open imports everything into a new file and moves it into place;
 * a later open refreshes the package's tables when the Access file has
 * changed, keeping what the program added (its own tables and saved queries,
 * and its columns on the package's tables, by primary key). A copy that
 * another connection has open is not replaced under it: it is used as it is
 * until the next open that finds it free.
 */
class WorkingCopy {
public:
    /** The copy's file: beside the Access file, or in the user's own data folder when that is not writable.
     */
    static QString pathFor(const QString& accessPath);

    /**
     * Makes or refreshes the copy of `accessPath` as needed, waiting while
     * another program imports it. The copy carries the password of `connect`.
     * Throws DbError naming the Access file; the previous copy stays as it was.
     */
    static WorkingCopy prepare(const QString& accessPath, const QString& connect);

    const QString& path() const { return m_path; }
    /** Keeps the copy from being replaced while it is held: give it to the connection that opens it. */
    std::shared_ptr<const void> lease() const { return m_lease; }

    /** The program that reads an Access file into a new SQLite file: `program arguments... ACCESS NEW`. */
    struct ReaderCommand {
        QString program;
        QStringList arguments;
        /** How long the reading may take; 0 lets the file's size decide. */
        int timeoutMs = 0;
    };
    /** The default reader is aeat-cli read-mdb, beside the running program; tests put a stand-in. */
    static void setReaderCommand(const ReaderCommand& command);
    /** Whom an import tells how it goes (a progress window); nobody by default. */
    static void setProgress(ImportProgress* progress);

private:
    WorkingCopy(QString path, std::shared_ptr<const void> lease)
        : m_path(std::move(path)), m_lease(std::move(lease)) {}

    QString m_path;
    std::shared_ptr<const void> m_lease;
};
