#pragma once

#include <QString>
#include <QStringList>

/**
 * The statements of the Modelo 190 run, in the accounting package's SQL, as
 * it sends them. The package's own query qryIRPF gives the withholdings.
 */
namespace Mod190Statements {

/** The package's saved query of withholdings, the only thing the run reads them from. */
inline const QString kWithholdingsQuery = QStringLiteral("qryIRPF");

/** Last year's entries of the query, as the extraction and its checks read them. */
inline const QString kLastYearWithholdings = QStringLiteral("Where Year(f_apunte) = Year(Now) -1 ");

inline const QString kFromWithholdingsAndSuppliers =
    QStringLiteral("from qryIRPF q inner join provedores p on q.nif = p.nif ");

/** Withheld suppliers without a postal code: one row per entry. */
inline const QString kWithheldWithoutPostalCode =
    QStringLiteral("select q.Nif, q.Nombre,p.CodPost as CP ") + kFromWithholdingsAndSuppliers +
    kLastYearWithholdings.trimmed() + QStringLiteral(" and (isnull(p.codpost ) or p.codpost = '')");

inline const QString kGroupedBySupplier = QStringLiteral("group by q.Nombre, q.Nif,  p.CodPost ");

/** The paid and withheld amounts of each supplier, with a provisional key by rate. */
inline const QString kWithheldBySupplier =
    QStringLiteral("select q.Nif, q.Nombre,left$(p.CodPost,2) as CP, sum(integr) as Princp, ") +
    QStringLiteral("sum(irp) as Reten, iif( abs(100*sum(irp)- sum(integr)) < 1, 'H04','F02') as Control ") +
    kFromWithholdingsAndSuppliers + kLastYearWithholdings + kGroupedBySupplier;

/** What was paid without withholding, under key L01. */
inline const QString kPaidWithoutWithholding =
    QStringLiteral(
        "select q.Nif, q.Nombre, left$(p.CodPost,2) as CP,  sum(noreten) as Princp, 0 as Reten, 'L01' as "
        "Control ") +
    kFromWithholdingsAndSuppliers + kLastYearWithholdings + kGroupedBySupplier +
    QStringLiteral("Having Sum(noreten) <> 0 ");

/** The saved query tmp190: both halves, by name and key. */
inline const QString kExtraction = kWithheldBySupplier + QStringLiteral("Union All ") +
                                   kPaidWithoutWithholding + QStringLiteral("order by q.nombre, Control");

inline const QString kMakeWorkTable = QStringLiteral("select * into tmptb190 from tmp190");

/** Rows that are not declared: L01 beside an H04 of the same supplier, and nothing withheld. */
inline const QStringList kRemovals = {
    QStringLiteral("delete * from tmptb190 where control = 'L01' and nif in (select nif from tmptb190 where "
                   "control = 'H04')"),
    QStringLiteral("delete * from tmptb190 where princp < 0 or Reten = 0"),
};

/** The key of each row by its withholding rate. */
inline const QStringList kClassification = {
    QStringLiteral("update tmptb190 set control = 'F02' where reten*100/princp > 14.9"),
    QStringLiteral("update tmptb190 set control = 'G03' where reten*100/princp between 6.9 and 9.1"),
    QStringLiteral("update tmptb190 set control = 'H04' where reten*100/princp between 0.9 and 1.1"),
};

inline const QString kPerceptorCount = QStringLiteral("select count(*) from tmptb190");
inline const QString kNegativeWithholdings =
    QStringLiteral("select Nif, Nombre from tmptb190 where Reten < 0");
inline const QString kTotals = QStringLiteral("select sum(Princp), sum(reten) from tmptb190");
inline const QString kPerceptors = QStringLiteral("select * from tmptb190");

// The keys the office chooses per perceptor, in a table of the program's own.
inline const QString kMakeChosenKeys = QStringLiteral("Create table ClavesPercepcion (Nif Text, Clave Text)");
inline const QString kChosenKeys = QStringLiteral("select Nif, Clave from ClavesPercepcion");
inline const QString kChooseKey = QStringLiteral("insert into ClavesPercepcion (Nif, Clave) values (?, ?)");
inline const QString kClearKey = QStringLiteral("delete * from ClavesPercepcion where Nif = ?");
inline const QString kApplyChosenKey =
    QStringLiteral("update tmptb190 set Control = ? where Nif = ? and Control <> 'L01'");
/** Each of last year's withholding entries: NIF, name, payment, withholding. */
inline const QString kLastYearEntries = QStringLiteral("select q.Nif, q.Nombre, q.integr, q.irp ") +
                                        kFromWithholdingsAndSuppliers + kLastYearWithholdings +
                                        QStringLiteral("order by q.Nif");

// The Modelo 111 beside the 190: each entry, and what the office typed of the 111 it filed.
inline const QString kReconciliationEntries =
    QStringLiteral("select q.Nif, q.Nombre, Month(q.f_apunte), q.integr, q.irp, q.noreten, p.CodPost ") +
    kFromWithholdingsAndSuppliers + kLastYearWithholdings;
inline const QString kMakeFiled111 =
    QStringLiteral("Create table Modelos111 (Ejercicio Long, Trimestre Long, Casilla Long, Centimos Double)");
inline const QString kFiled111 =
    QStringLiteral("select Trimestre, Casilla, Centimos from Modelos111 where Ejercicio = ?");
inline const QString kForgetFiled111 = QStringLiteral("delete * from Modelos111 where Ejercicio = ?");
inline const QString kKeepFiled111 =
    QStringLiteral("insert into Modelos111 (Ejercicio, Trimestre, Casilla, Centimos) values (?, ?, ?, ?)");

// A complementary declaration of the records the agency refused keeps only those perceptors and keys.
inline const QString kPerceptorKeys = QStringLiteral("select Nif, Control from tmptb190");
inline const QString kRemovePerceptorKey =
    QStringLiteral("delete * from tmptb190 where nif = ? and control = ?");

}  // namespace Mod190Statements
