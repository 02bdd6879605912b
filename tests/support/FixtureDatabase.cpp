#include "FixtureDatabase.h"
#include "access/AccountingDatabase.h"

#include "db/AccountingSchema.h"

#include <QDir>
#include <QFile>

FixtureDatabase::FixtureDatabase(const QString& subfolder)
    : m_subfolder(subfolder.isEmpty() ? QString() : subfolder + QLatin1Char('/')) {
    if (!subfolder.isEmpty())
        QDir(m_dir.path()).mkpath(subfolder);
    m_db = Database::create(path(), DbConnect);
    m_db->executeNativeScript(accountingSchemaSql());
}

void FixtureDatabase::addSupplier(const QString& nif, const QVariant& name, const QVariant& postalCode) {
    m_db->execute(QStringLiteral("insert into provedores (nif, nombre, codpost) values (?, ?, ?)"),
                  {nif, name, postalCode});
}

void FixtureDatabase::addEntry(const QString& nif, double amount, const QString& invoiceDate,
                               const QString& paymentDate, const QVariant& group) {
    m_db->execute(
        QStringLiteral("insert into TdApt (NifProv, cantidad, f_factura, f_pago, grupo) "
                       "values (?, ?, ?, ?, ?)"),
        {nif, amount, invoiceDate, paymentDate.isEmpty() ? QVariant() : QVariant(paymentDate), group});
}

void FixtureDatabase::addWithholding(const QString& nif, const QString& name, const QString& date,
                                     double paid, double withheld, double paidWithoutWithholding) {
    m_db->execute(QStringLiteral("insert into Irpf (Nif, Nombre, f_apunte, integr, irp, noreten) "
                                 "values (?, ?, ?, ?, ?, ?)"),
                  {nif, name, date, paid, withheld, paidWithoutWithholding});
}

void FixtureDatabase::damageTable(const QString& table) {
    const qint64 rootPage =
        m_db->openRecordset(QStringLiteral("select rootpage from sqlite_schema where name = ?"), {table})
            .value(0)
            .toLongLong();
    const qint64 pageSize =
        m_db->openRecordset(QStringLiteral("select page_size from pragma_page_size")).value(0).toLongLong();
    m_db->close();
    QFile file(path());
    if (!file.open(QIODevice::ReadWrite) || !file.seek((rootPage - 1) * pageSize) ||
        file.write(QByteArray(static_cast<int>(pageSize), '\x5a')) != pageSize)
        qFatal("cannot damage the fixture database");
}
