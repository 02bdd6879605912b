#pragma once

#include "db/Database.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

/**
 * A program folder whose accounting database cannot be opened at start-up,
 * for one reason: "missing", "password", "exclusive" (another program holds
 * it), "config" (no font table) or "empty" (a file that is no database).
 */
class BrokenStartup {
public:
    static const QStringList kFaults;

    explicit BrokenStartup(const QString& fault);

    QString programFolder() const { return m_dir.path(); }
    QString dbPath() const { return m_dir.filePath(QStringLiteral("Mdb/ecordadb.mdb")); }
    /** What the engine says, and so what the start-up shows. */
    QString expectedMessage() const;

private:
    QString m_fault;
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_holder;
};
