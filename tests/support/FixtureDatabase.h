#pragma once

#include "db/Database.h"

#include <QTemporaryDir>

#include <memory>

/**
 * A fresh accounting database in a temporary folder, made from the package's
 * schema and carrying the tool's password, for a test to fill and run on.
 */
class FixtureDatabase {
public:
    /** The database in the temporary folder itself, or in its `subfolder`, as in a program's data folder. */
    explicit FixtureDatabase(const QString& subfolder = QString());

    QString path() const { return m_dir.filePath(m_subfolder + QStringLiteral("ecordadb.mdb")); }
    QString folder() const { return m_dir.path(); }
    Database& db() { return *m_db; }

    /** Runs a statement in SQLite's own dialect, for setting up rows. */
    void native(const QString& sql) { m_db->executeNativeScript(sql); }

    /** Overwrites the first page of a table's tree with noise, as a damaged disk would; closes db(). */
    void damageTable(const QString& table);

    void addSupplier(const QString& nif, const QVariant& name, const QVariant& postalCode);
    void addEntry(const QString& nif, double amount, const QString& invoiceDate, const QString& paymentDate,
                  const QVariant& group = {});
    void addWithholding(const QString& nif, const QString& name, const QString& date, double paid,
                        double withheld, double paidWithoutWithholding = 0);

private:
    QTemporaryDir m_dir;
    QString m_subfolder;
    std::unique_ptr<Database> m_db;
};
