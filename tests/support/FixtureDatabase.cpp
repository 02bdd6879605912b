#include "FixtureDatabase.h"

#include "db/AccountingSchema.h"
#include "shell/StartupSettings.h"

FixtureDatabase::FixtureDatabase() {
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
