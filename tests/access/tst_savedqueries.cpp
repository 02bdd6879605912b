#include "access/AccessImport.h"
#include "access/AccessReader.h"
#include "db/Clock.h"
#include "declaration/DeclarantHeader.h"
#include "mod190/Mod190Run.h"
#include "mod190/Mod190Statements.h"
#include "support/FixtureDatabase.h"
#include "support/ScriptedUserInterface.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using SavedQueries::CatalogueRow;
using SavedQueries::Kind;

namespace {

QString simplified(QString sql) {
    return sql.replace(QLatin1Char('\r'), QLatin1Char(' ')).simplified();
}

// The rows of a query that asks for its first five rows.
QList<CatalogueRow> withTop(QList<CatalogueRow> rows) {
    rows.append({3, {}, QStringLiteral("5"), {}, 0x10});
    return rows;
}

// The rows of a query for its first distinct rows in an order, which the engine refuses.
QList<CatalogueRow> withDistinctTopInOrder(QList<CatalogueRow> rows, const QString& key) {
    rows.append({3, {}, QStringLiteral("5"), {}, 0x12});
    rows.append({11, key, {}, {}, 0});
    return rows;
}

// The rows Access writes for a select query over one table.
QList<CatalogueRow> selectRows(const QString& table, const QStringList& columns, const QString& where = {}) {
    QList<CatalogueRow> rows{{1, {}, {}, {}, 1}, {5, {}, table, {}, 0}};
    for (const QString& column : columns)
        rows.append({6, column, {}, {}, 0});
    if (!where.isEmpty())
        rows.append({8, where, {}, {}, 0});
    return rows;
}

}  // namespace

class TestSavedQueries : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void decodesTheFixture();
    void viewsReadingViewsAndRefusals();
    void qryIrpfOverTheSupplierTables();
    void modelo190NamesAQryIrpfThatDidNotComeAcross();
    void queryNamedLikeATable();
    void queryShapesOfAccess_data();
    void queryShapesOfAccess();
    void noEnglishForAQueryThatFails();
};

void TestSavedQueries::decodesTheFixture() {
    const AccessReader reader(QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/queryTestV2000.mdb"));
    QMap<QString, SavedQueries::Query> byName;
    for (const SavedQueries::Query& query : SavedQueries::read(reader))
        byName.insert(query.name, query);
    QCOMPARE(byName.size(), 9);
    // As Access shows it, but for the order of the two conditions of the last ON.
    QCOMPARE(byName[QStringLiteral("SelectQuery")].sql,
             QStringLiteral(
                 "SELECT DISTINCT Table1.*, Table2.col1, Table2.col2, Table3.col3 "
                 "FROM ([Table1] LEFT JOIN [Table3] ON Table1.col1 = Table3.col1) INNER JOIN [Table2] ON "
                 "(Table3.col1 = Table2.col1) AND (Table3.col1 = Table2.col2) "
                 "WHERE (((Table2.col2)=\"foo\" Or (Table2.col2) In (\"buzz\",\"bazz\"))) "
                 "ORDER BY Table2.col1"));
    QCOMPARE(simplified(byName[QStringLiteral("UnionQuery")].sql),
             QStringLiteral("Select Table1.col1, Table1.col2 where Table1.col1 = \"foo\" UNION "
                            "Select Table2.col1, Table2.col2 UNION ALL Select Table3.col1, Table3.col2 "
                            "where Table3.col3 > \"blah\""));
    const QMap<QString, Kind> kinds{{QStringLiteral("MakeTableQuery"), Kind::MakeTable},
                                    {QStringLiteral("DeleteQuery"), Kind::Delete},
                                    {QStringLiteral("AppendQuery"), Kind::Append},
                                    {QStringLiteral("UpdateQuery"), Kind::Update},
                                    {QStringLiteral("CrosstabQuery"), Kind::Crosstab},
                                    {QStringLiteral("PassthroughQuery"), Kind::PassThrough},
                                    {QStringLiteral("DataDefinitionQuery"), Kind::DataDefinition}};
    for (auto it = kinds.constBegin(); it != kinds.constEnd(); ++it) {
        QCOMPARE(byName[it.key()].kind, it.value());
        QVERIFY(!byName[it.key()].isView());
    }
    QVERIFY(byName[QStringLiteral("UpdateQuery")].hasParameters);
}

void TestSavedQueries::viewsReadingViewsAndRefusals() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    const QList<SavedQueries::Query> queries{
        SavedQueries::decode(QStringLiteral("Segunda"),
                             selectRows(QStringLiteral("Primera"), {QStringLiteral("nif")})),
        SavedQueries::decode(
            QStringLiteral("Primera"),
            selectRows(QStringLiteral("provedores"), {QStringLiteral("nif"), QStringLiteral("nombre")})),
        SavedQueries::decode(QStringLiteral("Concatena"),
                             selectRows(QStringLiteral("provedores"), {QStringLiteral("nif & nombre")})),
        SavedQueries::decode(QStringLiteral("Primeros"),
                             withTop(selectRows(QStringLiteral("provedores"), {QStringLiteral("nif")}))),
        SavedQueries::decode(
            QStringLiteral("Distintos"),
            withDistinctTopInOrder(selectRows(QStringLiteral("provedores"), {QStringLiteral("nif")}),
                                   QStringLiteral("nif"))),
        SavedQueries::decode(QStringLiteral("Rota"),
                             selectRows(QStringLiteral("nada"), {QStringLiteral("x")})),
    };
    AccessImport::importQueries(f.db(), queries);
    QCOMPARE(f.db().openRecordset(QStringLiteral("select nif from Segunda")).value(0),
             QVariant(QStringLiteral("B1")));
    QVERIFY(!AccessImport::notImported(f.db(), QStringLiteral("Primera")));
    QCOMPARE(f.db().openRecordset(QStringLiteral("select * from Concatena")).value(0),
             QVariant(QStringLiteral("B1Uno")));
    QCOMPARE(f.db().openRecordset(QStringLiteral("select count(*) from Primeros")).value(0), QVariant(1LL));
    const auto refused = AccessImport::notImported(f.db(), QStringLiteral("Distintos"));
    QVERIFY(refused && refused->contains(QLatin1String("TOP")));
    const auto broken = AccessImport::notImported(f.db(), QStringLiteral("Rota"));
    QVERIFY(broken && broken->contains(QLatin1String("nada")));
}

// The package's qryIRPF, decoded from its catalogue rows, gives the run what it reads.
void TestSavedQueries::qryIrpfOverTheSupplierTables() {
    FixtureDatabase f;
    f.db().deleteQueryDef(Mod190Statements::kWithholdingsQuery);
    f.addSupplier(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("28001"));
    f.addWithholding(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("2025-05-05"), 1000,
                     150);
    const SavedQueries::Query qryIRPF =
        SavedQueries::decode(Mod190Statements::kWithholdingsQuery,
                             selectRows(QStringLiteral("Irpf"),
                                        {QStringLiteral("Irpf.Nif"), QStringLiteral("Irpf.Nombre"),
                                         QStringLiteral("Irpf.f_apunte"), QStringLiteral("Irpf.integr"),
                                         QStringLiteral("Irpf.irp"), QStringLiteral("Irpf.noreten")},
                                        QStringLiteral("((Irpf.irp) Is Not Null)")));
    AccessImport::importQueries(f.db(), {qryIRPF});
    Recordset rows = f.db().openRecordset(Mod190Statements::kExtraction);
    QCOMPARE(rows.recordCount(), 1);
    QCOMPARE(rows.value(QStringLiteral("Princp")), QVariant(1000.0));
    QCOMPARE(rows.value(QStringLiteral("Reten")), QVariant(150.0));
}

void TestSavedQueries::modelo190NamesAQryIrpfThatDidNotComeAcross() {
    FixtureDatabase f;
    f.db().deleteQueryDef(Mod190Statements::kWithholdingsQuery);
    AccessImport::importQueries(
        f.db(), {SavedQueries::decode(
                    Mod190Statements::kWithholdingsQuery,
                    withDistinctTopInOrder(selectRows(QStringLiteral("Irpf"), {QStringLiteral("Nif")}),
                                           QStringLiteral("Nif")))});
    ScriptedUserInterface ui;
    ContactInputs contact = initialContactInputs();
    const QString out = f.folder() + QStringLiteral("/Mdb");
    QDir().mkpath(out);
    QCOMPARE(runModelo190(f.db(), out, contact, ui).result, RunResult::Failed);
    QCOMPARE(ui.messages.size(), 1);
    QVERIFY2(ui.messages[0].text.contains(QLatin1String("qryIRPF")) &&
                 ui.messages[0].text.contains(QLatin1String("no ha podido pasar")),
             qPrintable(ui.messages[0].text));
}

// Access forbids it, but a damaged file may hold it: the table comes across, the query is listed.
void TestSavedQueries::queryNamedLikeATable() {
    QTemporaryDir dir;
    const QString copyPath = dir.filePath(QStringLiteral("copia.sqlite"));
    AccessImport::importAccessFile(QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/nameClash.mdb"), copyPath,
                                   nullptr);
    const auto copy = Database::open(copyPath, OpenMode::ReadOnly, QString());
    QCOMPARE(copy->openRecordset(QStringLiteral("select count(*) from Customers")).value(0), QVariant(2LL));
    QCOMPARE(AccessImport::notImported(*copy, QStringLiteral("Customers")),
             std::optional<QString>(QStringLiteral("no importada: otro objeto del archivo se llama igual")));
    QVERIFY(!AccessImport::notImported(*copy, QStringLiteral("BigOrders")));
    QCOMPARE(copy->openRecordset(QStringLiteral("select count(*) from BigOrders")).value(0), QVariant(2LL));
}

void TestSavedQueries::queryShapesOfAccess_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("computed");  // the same rows, computed by SQLite from the tables
    const QString subtotals = QStringLiteral(
        "SELECT OrderID, SUM(ROUND(UnitPrice * Quantity * (1 - Discount) / 100, 4) * 100) AS s "
        "FROM \"Order Details\" GROUP BY OrderID");
    QTest::newRow("a table whose name has spaces, GROUP BY") << "Order Subtotals" << subtotals;
    QTest::newRow("a query read by another")
        << "Subtotals over 100" << QStringLiteral("SELECT * FROM (%1) WHERE s > 100").arg(subtotals);
    QTest::newRow("an alias with a space, Yes/No")
        << "Current Product List"
        << "SELECT ProductID, ProductName FROM Products WHERE Discontinued = 0";
    QTest::newRow("DISTINCTROW TOP 10 in descending order")
        << "Ten Most Expensive Products"
        << "SELECT ProductName, UnitPrice FROM Products ORDER BY UnitPrice DESC LIMIT 10";
    QTest::newRow("two-digit years") << "Orders Shipped in 1995"
                                     << "SELECT OrderID, ShippedDate FROM Orders "
                                        "WHERE ShippedDate BETWEEN '1995-01-01' AND '1995-12-31'";
}

// The saved queries of an Access file in the shapes Access writes them, each a view with its rows.
void TestSavedQueries::queryShapesOfAccess() {
    QFETCH(QString, query);
    QFETCH(QString, computed);
    QTemporaryDir dir;
    const QString copyPath = dir.filePath(QStringLiteral("copia.sqlite"));
    AccessImport::importAccessFile(QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/queryShapes.mdb"),
                                   copyPath, nullptr);
    const auto copy = Database::open(copyPath, OpenMode::ReadOnly, QString());
    const auto rows = [](Recordset rs) {
        QStringList lines;
        for (; !rs.eof(); rs.moveNext()) {
            QStringList values;
            for (int i = 0; i < rs.fieldCount(); ++i)
                values.append(rs.value(i).typeId() == QMetaType::Double
                                  ? QString::number(rs.value(i).toDouble(), 'f', 4)
                                  : rs.value(i).toString());
            lines.append(values.join(QLatin1Char('|')));
        }
        lines.sort();
        return lines;
    };
    QVERIFY(!AccessImport::notImported(*copy, query));
    const QStringList viewRows =
        rows(copy->openNativeRecordset(QStringLiteral("SELECT * FROM [%1]").arg(query)));
    QVERIFY(!viewRows.isEmpty());
    QCOMPARE(viewRows, rows(copy->openNativeRecordset(computed)));
    // A form's control is a value Access asks for: that query is listed with it.
    QCOMPARE(
        AccessImport::notImported(*copy, QStringLiteral("Orders Filter")),
        std::optional<QString>(QStringLiteral("no importada: pide el valor de [Forms]![Orders]![OrderID]")));
}

// The office reads Spanish only: the engine's own words follow on a line for aeat-cli's standard error.
void TestSavedQueries::noEnglishForAQueryThatFails() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    SavedQueries::Query uneven;
    uneven.name = QStringLiteral("Desigual");
    uneven.kind = Kind::Union;
    uneven.sql = QStringLiteral("SELECT nif FROM provedores UNION SELECT nif, nombre FROM provedores");
    SavedQueries::Query asking =
        SavedQueries::decode(QStringLiteral("Pregunta"),
                             selectRows(QStringLiteral("provedores"), {QStringLiteral("[Fecha de inicio]")}));
    AccessImport::importQueries(f.db(), {uneven, asking});
    QCOMPARE(AccessImport::notImported(f.db(), QStringLiteral("Desigual")),
             std::optional<QString>(
                 QStringLiteral("no importada: Error de la base de datos en la consulta «Desigual»")));
    const QString recorded =
        f.db()
            .openNativeRecordset(QStringLiteral("SELECT note FROM %1 WHERE name = 'Desigual'")
                                     .arg(AccessImport::kPackageObjectsTable))
            .value(0)
            .toString();
    QVERIFY(
        recorded.section(QLatin1Char('\n'), 1).contains(QLatin1String("SELECT")));  // SQLite's words, apart
    QCOMPARE(AccessImport::notImported(f.db(), QStringLiteral("Pregunta")),
             std::optional<QString>(QStringLiteral("no importada: pide el valor de [Fecha de inicio]")));
}

QTEST_GUILESS_MAIN(TestSavedQueries)
#include "tst_savedqueries.moc"
