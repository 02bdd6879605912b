#pragma once

#include <QDate>
#include <QString>

/**
 * The statements of the Modelo 347 load, run and grid, in the accounting
 * package's SQL, as they are sent. A threshold is pasted in as typed: only a
 * plain decimal reaches them (isPlainDecimal).
 */
namespace Mod347Statements {

/** The columns of a declared supplier: Expr1000, nif, nombre, Expr1003 (province), Expr1004 (key),
 * Expr1005 (yearly amount), Expr1006. */
inline const QString kSupplierColumns =
    QStringLiteral("SELECT '") + QStringLiteral("',p.nif, p.nombre,") +
    QStringLiteral("iif(not isnull(p.codpost),left$(p.codpost,2),''),'A', sum(a.cantidad),1 ");
inline const QString kSuppliersWithEntries =
    QStringLiteral("FROM provedores p INNER JOIN TdApt a ON p.nif = a.NifProv ");
/** Last year's entries by invoice date, without the groups that do not count. */
inline const QString kLastYearByInvoice =
    QStringLiteral("Where Year(f_factura) = Year(Now) - 1  and ( isnull(grupo) or a.grupo >= 0) ");
/** The same for the suppliers outside the cash-basis scheme. */
inline const QString kOrdinaryByInvoice = QStringLiteral(
    "Where p.ivacc = 'N' and Year(f_factura) = Year(Now) - 1  and ( isnull(grupo) or a.grupo >= 0) ");
/** Cash-basis suppliers count by the date they were paid. */
inline const QString kCashBasisByPayment = QStringLiteral(
    "Where p.ivacc = 'S' and Year(f_pago) = Year(Now) - 1  and ( isnull(grupo) or a.grupo >= 0) ");
/** The VAT lines of an entry are not part of its amount. */
inline const QString kVatLineExclusion = QStringLiteral("and a.iu not in (select iuiva from iva) ");
inline const QString kGroupedBySupplier =
    QStringLiteral("group by p.nif, p.nombre, iif(not isnull(p.codpost),left$(p.codpost,2),'') ");
inline const QString kThresholdCut = QStringLiteral("Having Sum(a.cantidad) > ");

/** The suppliers of the entries that `filter` keeps, above `threshold`. */
inline QString suppliersAbove(const QString& filter, const QString& threshold) {
    return kSupplierColumns + kSuppliersWithEntries + filter + kVatLineExclusion + kGroupedBySupplier +
           kThresholdCut + threshold;
}

/** The selection: last year's suppliers above `threshold`, as Stper holds them. */
inline QString selection(const QString& threshold) {
    return suppliersAbove(kLastYearByInvoice, threshold);
}

/** The count: ordinary suppliers by invoice date, cash-basis ones by payment date, above `threshold`. */
inline QString count(const QString& threshold) {
    return suppliersAbove(kOrdinaryByInvoice, threshold) + QStringLiteral(" ") +
           QStringLiteral("union all ") + suppliersAbove(kCashBasisByPayment, threshold);
}

// The tables and column that the load prepares.
inline const QString kMakeClientes = QStringLiteral("select * into Clientes from provedores");
inline const QString kEmptyClientes = QStringLiteral("delete * from Clientes");
inline const QString kCreateIva = QStringLiteral("Create table IVA (iuprincipal Text, iuiva Text, nif text)");
inline const QString kDefaultCashBasisMark =
    QStringLiteral("update provedores set IVACC = 'N' where isnull(IVACC)");

// The work table TStper and the saved queries Stper and NifNO.
inline const QString kMakeSelectionTable = QStringLiteral("select * into TStper from Stper");
inline const QString kSuppliersWithNegativeGroups =
    QStringLiteral("SELECT DISTINCT nifprov From TdApt WHERE year(f_factura)=year(now)-1 and grupo<0");
inline const QString kRemoveSuppliersWithNegativeGroups =
    QStringLiteral("delete * from TStper where nif in (select nifprov from NifNO)");
inline const QString kSelectionTableQuery = QStringLiteral("Select * from TStper");

// The pre-checks.
inline const QString kWithoutPostalCode =
    QStringLiteral("select nif, nombre from stper where isnull(expr1003) or expr1003 = ''");
inline const QString kSelectedSuppliers = QStringLiteral("select nif, nombre from stper");

// The writer.
inline const QString kDeclaredSuppliers =
    QStringLiteral(
        "select s.expr1000, s.nif, s.nombre, s.expr1003, s.expr1004, s.expr1005, s.expr1006, p.ivacc ") +
    QStringLiteral("from stper s inner join provedores p on s.nif = p.nif");
inline const QString kPaidInTheYear =
    QStringLiteral("select sum(cantidad) from tdapt where nifprov = ? and year(f_pago) = year(now)-1");

/**
 * Every supplier's yearly amount broken down by the quarter of the invoice
 * date: the entries of the selection's own filter, each in exactly one
 * quarter whatever its time of day, so that the four add up to the year.
 * Columns: nif, then the four quarters.
 */
inline QString quarterlyAmounts(int year) {
    const auto firstDayOf = [year](int month) {
        return QDate(year, month, 1).toString(QStringLiteral("'#'MM/dd/yyyy'#'"));
    };
    const auto sumWhere = [](const QString& condition) {
        return QStringLiteral("sum(iif(") + condition + QStringLiteral(", a.cantidad, 0))");
    };
    const QString april = firstDayOf(4);
    const QString july = firstDayOf(7);
    const QString october = firstDayOf(10);
    return QStringLiteral("SELECT p.nif, ") + sumWhere(QStringLiteral("f_factura < ") + april) +
           QStringLiteral(", ") +
           sumWhere(QStringLiteral("f_factura >= ") + april + QStringLiteral(" and f_factura < ") + july) +
           QStringLiteral(", ") +
           sumWhere(QStringLiteral("f_factura >= ") + july + QStringLiteral(" and f_factura < ") + october) +
           QStringLiteral(", ") + sumWhere(QStringLiteral("f_factura >= ") + october) + QStringLiteral(" ") +
           kSuppliersWithEntries + kLastYearByInvoice + kVatLineExclusion + QStringLiteral("group by p.nif");
}

/** The grid's record source, before its order: the selected suppliers with their cash-basis mark. */
inline const QString kGridSource =
    QStringLiteral("select NIF, Nombre, IVACC from provedores where nif in (select nif from Stper) ");
inline const QString kSaveCashBasisMark = QStringLiteral("update provedores set IVACC = ? where nif = ?");

}  // namespace Mod347Statements
