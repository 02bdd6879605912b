// The engine's ways of answering faster: each gives the rows the plain statement gives.
#include "access/AccountingDatabase.h"
#include "db/Clock.h"
#include "db/SchemaEdits.h"
#include "db/jet/JetSchema.h"
#include "db/jet/JetTranslator.h"
#include "support/FixtureDatabase.h"

#include <QTest>

namespace {

// Tables as the translation sees them: "table.column" and what is known of it.
class FakeSchema final : public JetSchema {
public:
    std::optional<ColumnFacts> column(const QString& table, const QString& column) const override {
        const QString key = (table + QLatin1Char('.') + column).toLower();
        if (key.startsWith(QLatin1String("tdapt.")))
            return ColumnFacts{key.contains(QLatin1String(".f_")) || key.endsWith(QLatin1String("nifprov")),
                               false};
        if (key.startsWith(QLatin1String("provedores.")))
            return ColumnFacts{true, key.endsWith(QLatin1String(".nif"))};
        return std::nullopt;
    }
};

QStringList column(Recordset rs) {
    QStringList values;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row.append(rs.value(i).isNull() ? QStringLiteral("<null>") : rs.value(i).toString());
        values.append(row.join(QLatin1Char('|')));
    }
    return values;
}

const QString kSelection = QStringLiteral(
    "SELECT p.nif, p.nombre, iif(not isnull(p.codpost),left$(p.codpost,2),''), sum(a.cantidad) "
    "FROM provedores p INNER JOIN TdApt a ON p.nif = a.NifProv "
    "Where Year(f_factura) = Year(Now) - 1 and a.iu not in (select iuiva from iva) "
    "group by p.nif, p.nombre, iif(not isnull(p.codpost),left$(p.codpost,2),'') Having Sum(a.cantidad) > 10");

}  // namespace

class TestPlanRewrites : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(10, 0))); }
    void cleanup() { Clock::unpin(); }
    void translatesKnowingTheTables_data();
    void translatesKnowingTheTables();
    void yearRangeGivesTheRowsOfYear();
    void groupingByTheKeyGivesTheSameGroups();
    void longStatementsLetTheWindowsRepaint();
    void indexesAreMadeUnlessOneStartsWithTheColumns();
};

void TestPlanRewrites::translatesKnowingTheTables_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    const auto unchanged = [](const char* jet) {
        QTest::newRow(jet) << QString::fromUtf8(jet) << translateJet(QString::fromUtf8(jet)).sql;
    };
    QTest::newRow("a year filter is also a range of its text")
        << "select iu from TdApt where Year(f_factura) = Year(Now) - 1 and grupo > 0"
        << "select iu AS \"iu\" from TdApt where (Year(f_factura) = (Year(Now()) - 1) AND f_factura >= "
           "printf('%04d-', (Year(Now()) - 1)) AND f_factura < printf('%04d.', (Year(Now()) - 1))) and grupo "
           "> 0";
    QTest::newRow("in each part of a union, qualified")
        << "select 1 from TdApt a where grupo = 1 union all select 2 from TdApt a where not "
           "year(a.f_pago)=2025"
        << "select 1 AS Expr1000 from TdApt a where grupo = 1 union all select 2 from TdApt a where not "
           "(year(a.f_pago)= (2025) AND a.f_pago >= printf('%04d-', (2025)) AND a.f_pago < printf('%04d.', "
           "(2025)))";
    unchanged("select iu from TdApt where Year(cantidad) = 2025");
    unchanged("select iu from TdApt where Year(f_factura) = Year(f_pago)");
    unchanged("select iu from TdApt where Year(f_factura) = 2025 + grupo");
    unchanged("select iu from TdApt where iu in (select iu from TdApt where Year(f_factura) = 2025)");
    unchanged("select iu from Otra where Year(f_factura) = 2025");
    unchanged("select iu from TdApt where Year(f_factura) + 1 = 2026");
    QTest::newRow("grouping by the joined key")
        << "select p.nif, p.nombre, sum(a.cantidad) from provedores p inner join TdApt a on p.nif = "
           "a.NifProv "
           "group by p.nif, p.nombre, left$(p.codpost, 2) having sum(a.cantidad) > 1"
        << "select p.nif AS \"nif\", p.nombre AS \"nombre\", sum(a.cantidad) AS Expr1002 from provedores p "
           "inner "
           "join TdApt a on p.nif = a.NifProv group by p.nif having sum(a.cantidad) > 1";
    unchanged(
        "select p.nombre from provedores p inner join TdApt a on p.nif = a.NifProv group by p.nombre, p.nif");
    unchanged(
        "select p.nif from provedores p inner join TdApt a on p.nif = a.NifProv group by p.nif, a.grupo");
    unchanged(
        "select p.nif from provedores p inner join TdApt a on p.nif = a.NifProv group by p.nif, nombre");
    unchanged(
        "select p.nif from provedores p left join TdApt a on p.nif = a.NifProv group by p.nif, p.nombre");
    unchanged(
        "select p.nif from provedores p inner join TdApt a on p.nombre = a.NifProv group by p.nombre, p.nif");
    unchanged(
        "select a.NifProv from provedores p inner join TdApt a on p.nif = a.NifProv "
        "group by a.NifProv, a.grupo");
}

void TestPlanRewrites::translatesKnowingTheTables() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(translateJet(jet, FakeSchema()).sql, sqlite);
}

void TestPlanRewrites::yearRangeGivesTheRowsOfYear() {
    FixtureDatabase f;
    f.native(QStringLiteral(
        "insert into TdApt (iu, f_factura) values (1, '2024-12-31 23:59:59'), (2, '2025-01-01'), "
        "(3, '2025-01-01 00:00:01'), (4, '2025-06-15 12:00:00'), (5, '2025-12-31'), "
        "(6, '2025-12-31 23:59:59'), (7, '2026-01-01'), (8, NULL), (10, '1025-05-05')"));
    SchemaEdits::ensureIndex(f.db(), QStringLiteral("TdApt"), {QStringLiteral("f_factura")});
    const QStringList expected{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                               QStringLiteral("5"), QStringLiteral("6")};
    QCOMPARE(column(f.db().openNativeRecordset(
                 QStringLiteral("select iu from TdApt where Year(f_factura) = 2025 order by iu"))),
             expected);
    QCOMPARE(column(f.db().openRecordset(
                 QStringLiteral("select iu from TdApt where Year(f_factura) = Year(Now) - 1 order by iu"))),
             expected);
    QCOMPARE(column(f.db().openRecordset(QStringLiteral(
                 "select iu from TdApt where not Year(f_factura) = Year(Now) - 1 order by iu"))),
             (QStringList{QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("10")}));
}

void TestPlanRewrites::groupingByTheKeyGivesTheSameGroups() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    f.addSupplier(QStringLiteral("B2"), QStringLiteral("Uno"), {});
    f.addSupplier(QStringLiteral("b3"), QStringLiteral("tres"), QStringLiteral(""));
    f.addSupplier(QStringLiteral("B4"), QStringLiteral("Sin apuntes"), QStringLiteral("08001"));
    for (const auto& [nif, amount] : {std::pair{"B1", 7.5}, std::pair{"b1", 5.25}, std::pair{"B2", 30.0},
                                      std::pair{"B3", 11.0}, std::pair{"B2", 1.0}})
        f.addEntry(QString::fromLatin1(nif), amount, QStringLiteral("2025-03-03"), {});
    f.addEntry(QStringLiteral("B3"), 50, QStringLiteral("2024-03-03"), {});
    f.native(
        QStringLiteral("create table IVA (iuprincipal text, iuiva text, nif text); "
                       "insert into IVA select iu - 1, iu, NifProv from TdApt where cantidad = 1"));
    const QStringList plain = column(f.db().openNativeRecordset(translateJet(kSelection).sql));
    QCOMPARE(plain, (QStringList{QStringLiteral("B1|Uno|28|12.75"), QStringLiteral("B2|Uno||30"),
                                 QStringLiteral("b3|tres||11")}));
    QCOMPARE(column(f.db().openRecordset(kSelection)), plain);
}

void TestPlanRewrites::longStatementsLetTheWindowsRepaint() {
    FixtureDatabase f;
    int calls = 0;
    f.db().whileWorking([&] { ++calls; });
    QElapsedTimer timer;
    timer.start();
    const QString counting = QStringLiteral(
        "with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000000) select count(*) "
        "from c");
    while (timer.elapsed() < 300)
        f.db().openNativeRecordset(counting);
    QVERIFY(calls >= 1);
    f.db().whileWorking({});
    calls = 0;
    f.db().openNativeRecordset(counting);
    QCOMPARE(calls, 0);
}

void TestPlanRewrites::indexesAreMadeUnlessOneStartsWithTheColumns() {
    FixtureDatabase f;
    const auto indexes = [&] {
        return column(f.db().openNativeRecordset(
            QStringLiteral("select name from pragma_index_list('TdApt') where origin = 'c' order by name")));
    };
    SchemaEdits::ensureIndex(f.db(), QStringLiteral("TdApt"),
                             {QStringLiteral("NifProv"), QStringLiteral("f_factura")});
    SchemaEdits::ensureIndex(f.db(), QStringLiteral("TdApt"), {QStringLiteral("nifprov")});
    SchemaEdits::ensureIndex(f.db(), QStringLiteral("TdApt"),
                             {QStringLiteral("NifProv"), QStringLiteral("F_FACTURA")});
    QCOMPARE(indexes(), QStringList{QStringLiteral("aeat_TdApt_NifProv_f_factura")});
    SchemaEdits::ensureIndex(f.db(), QStringLiteral("TdApt"), {QStringLiteral("f_factura")});
    SchemaEdits::ensureIndex(f.db(), QStringLiteral("TdApt"),
                             {QStringLiteral("NifProv"), QStringLiteral("f_pago")});
    QCOMPARE(indexes(), (QStringList{QStringLiteral("aeat_TdApt_NifProv_f_factura"),
                                     QStringLiteral("aeat_TdApt_NifProv_f_pago"),
                                     QStringLiteral("aeat_TdApt_f_factura")}));
}

QTEST_GUILESS_MAIN(TestPlanRewrites)
#include "tst_planrewrites.moc"
