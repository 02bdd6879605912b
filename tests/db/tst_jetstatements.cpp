// The statements that the declarations send, exactly as they send them, run
// on a fixture database: each gives what the package's own engine gives.
#include "db/Clock.h"
#include "db/DbError.h"
#include "db/SchemaEdits.h"
#include "mod190/Mod190Statements.h"
#include "mod347/Mod347Statements.h"
#include "shell/FontSettings.h"
#include "support/FixtureDatabase.h"
#include "taxid/ReviewStatements.h"

#include <QTest>

namespace {

QStringList column(Recordset rs, int field) {
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values.append(rs.value(field).toString());
    return values;
}

QVariant single(Database& db, const QString& sql) {
    return db.openRecordset(sql).value(0);
}

}  // namespace

class TestJetStatements : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(10, 0))); }
    void cleanup() { Clock::unpin(); }
    void fontRow();
    void withholdingPostalCodeCheck();
    void withholdingExtractionAndKeys();
    void operationsSelection();
    void operationsCount();
    void supplierChecksAndWriterStatements();
    void windowPreparation();
    void supplierReview();
};

void TestJetStatements::fontRow() {
    FixtureDatabase f;
    const QString& sql = kFontRowStatement;
    QVERIFY(f.db().openRecordset(sql).bof());
    f.native(QStringLiteral(
        "insert into config (tipo, a, b, c, f, h) values ('FONT', 'Verdana', '10', '-1', 0, 255)"));
    Recordset rs = f.db().openRecordset(sql);
    QCOMPARE(rs.fieldNames().join(QLatin1Char(',')), QStringLiteral("a,b,c,d,e,f,h"));
    QCOMPARE(rs.value(0), QVariant(QStringLiteral("Verdana")));
    QCOMPARE(rs.value(2), QVariant(QStringLiteral("-1")));
    QCOMPARE(rs.value(5), QVariant(0LL));
    QVERIFY(rs.value(3).isNull());
}

void TestJetStatements::withholdingPostalCodeCheck() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("11111111H"), QStringLiteral("Sin Código"), {});
    f.addSupplier(QStringLiteral("22222222J"), QStringLiteral("Vacío"), QStringLiteral(""));
    f.addSupplier(QStringLiteral("33333333P"), QStringLiteral("Con Código"), QStringLiteral("28001"));
    f.addWithholding(QStringLiteral("11111111H"), QStringLiteral("Sin Código"), QStringLiteral("2025-02-01"),
                     100, 15);
    f.addWithholding(QStringLiteral("11111111H"), QStringLiteral("Sin Código"), QStringLiteral("2025-03-01"),
                     100, 15);
    f.addWithholding(QStringLiteral("22222222J"), QStringLiteral("Vacío"), QStringLiteral("2024-12-31"), 100,
                     15);
    f.addWithholding(QStringLiteral("33333333P"), QStringLiteral("Con Código"), QStringLiteral("2025-03-01"),
                     100, 15);
    const Recordset rs = f.db().openRecordset(Mod190Statements::kWithheldWithoutPostalCode);
    QCOMPARE(column(rs, 0), (QStringList{QStringLiteral("11111111H"), QStringLiteral("11111111H")}));
}

void TestJetStatements::withholdingExtractionAndKeys() {
    FixtureDatabase f;
    const auto supplier = [&](const QString& nif, const QString& name, double paid, double withheld,
                              double free) {
        f.addSupplier(nif, name, QStringLiteral("51001"));
        f.addWithholding(nif, name, QStringLiteral("2025-06-01"), paid, withheld, free);
    };
    supplier(QStringLiteral("A"), QStringLiteral("quince"), 1000, 150, 0);
    supplier(QStringLiteral("B"), QStringLiteral("siete"), 1000, 70, 0);
    supplier(QStringLiteral("C"), QStringLiteral("uno"), 1000, 10, 0);
    supplier(QStringLiteral("D"), QStringLiteral("diecinueve"), 1000, 190, 0);
    supplier(QStringLiteral("E"), QStringLiteral("dos"), 1000, 20, 0);
    supplier(QStringLiteral("F"), QStringLiteral("sin retención"), 0, 0, 500);
    supplier(QStringLiteral("G"), QStringLiteral("negativo"), -100, -15, 0);
    supplier(QStringLiteral("H"), QStringLiteral("ambos"), 1000, 10, 300);
    supplier(QStringLiteral("I"), QStringLiteral("cero"), 0, 5, 0);
    f.addWithholding(QStringLiteral("A"), QStringLiteral("quince"), QStringLiteral("2026-01-10"), 5000, 750);

    Database& db = f.db();
    db.createQueryDef(QStringLiteral("tmp190"), Mod190Statements::kExtraction);
    db.execute(Mod190Statements::kMakeWorkTable);
    QVERIFY_THROWS_EXCEPTION(DbError, db.execute(Mod190Statements::kMakeWorkTable));
    QCOMPARE(column(db.openRecordset(Mod190Statements::kPerceptors), 5),
             (QStringList{QStringLiteral("H04"), QStringLiteral("L01"), QStringLiteral("F02"),
                          QStringLiteral("F02"), QStringLiteral("F02"), QStringLiteral("F02"),
                          QStringLiteral("F02"), QStringLiteral("F02"), QStringLiteral("H04"),
                          QStringLiteral("L01"), QStringLiteral("H04")}));
    for (const QString& removal : Mod190Statements::kRemovals)
        db.execute(removal);
    QCOMPARE(single(db, Mod190Statements::kPerceptorCount), QVariant(7LL));
    for (const QString& update : Mod190Statements::kClassification)
        db.execute(update);
    const Recordset rows = db.openRecordset(Mod190Statements::kPerceptors);
    QCOMPARE(rows.fieldNames(),
             (QStringList{QStringLiteral("Nif"), QStringLiteral("Nombre"), QStringLiteral("CP"),
                          QStringLiteral("Princp"), QStringLiteral("Reten"), QStringLiteral("Control")}));
    QCOMPARE(column(rows, 1) + column(rows, 5),
             (QStringList{QStringLiteral("ambos"), QStringLiteral("cero"), QStringLiteral("diecinueve"),
                          QStringLiteral("dos"), QStringLiteral("quince"), QStringLiteral("siete"),
                          QStringLiteral("uno"), QStringLiteral("H04"), QStringLiteral("F02"),
                          QStringLiteral("F02"), QStringLiteral("F02"), QStringLiteral("F02"),
                          QStringLiteral("G03"), QStringLiteral("H04")}));
    QCOMPARE(column(rows, 2).first(), QStringLiteral("51"));
    Recordset sums = db.openRecordset(Mod190Statements::kTotals);
    QCOMPARE(sums.value(0), QVariant(6000.0));
    QCOMPARE(sums.value(1), QVariant(455.0));
}

void TestJetStatements::operationsSelection() {
    FixtureDatabase f;
    Database& db = f.db();
    db.execute(Mod347Statements::kCreateIva);
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Igual"), QStringLiteral("28001"));
    f.addSupplier(QStringLiteral("B2"), QStringLiteral("Un céntimo más"), {});
    f.addSupplier(QStringLiteral("B3"), QStringLiteral("Grupo negativo"), QStringLiteral("08001"));
    f.addSupplier(QStringLiteral("B4"), QStringLiteral("Con IVA"), QStringLiteral("08001"));
    f.addEntry(QStringLiteral("B1"), 3005.06, QStringLiteral("2025-05-05"), {});
    f.addEntry(QStringLiteral("B1"), 9000, QStringLiteral("2024-05-05"), {});
    f.addEntry(QStringLiteral("B2"), 3005.07, QStringLiteral("2025-05-05"), {}, 0);
    f.addEntry(QStringLiteral("B3"), 9000, QStringLiteral("2025-05-05"), {});
    f.addEntry(QStringLiteral("B3"), 1, QStringLiteral("2025-05-06"), {}, -1);
    f.addEntry(QStringLiteral("B4"), 3000, QStringLiteral("2025-05-05"), {});
    f.addEntry(QStringLiteral("B4"), 6000, QStringLiteral("2025-05-05 12:00:00"), {});
    f.native(QStringLiteral("insert into IVA values ('6', '7', 'B4')"));

    db.createQueryDef(QStringLiteral("Stper"), Mod347Statements::selection(QStringLiteral("3005.06")));
    db.execute(Mod347Statements::kMakeSelectionTable);
    db.createQueryDef(QStringLiteral("NifNO"), Mod347Statements::kSuppliersWithNegativeGroups);
    QCOMPARE(column(db.openRecordset(QStringLiteral("select nif from TStper")), 0),
             (QStringList{QStringLiteral("B2"), QStringLiteral("B3")}));
    db.execute(Mod347Statements::kRemoveSuppliersWithNegativeGroups);
    db.deleteQueryDef(QStringLiteral("Stper"));
    db.createQueryDef(QStringLiteral("Stper"), Mod347Statements::kSelectionTableQuery);
    Recordset rs = db.openRecordset(QStringLiteral("select * from Stper"));
    QCOMPARE(rs.fieldNames(),
             (QStringList{QStringLiteral("Expr1000"), QStringLiteral("nif"), QStringLiteral("nombre"),
                          QStringLiteral("Expr1003"), QStringLiteral("Expr1004"), QStringLiteral("Expr1005"),
                          QStringLiteral("Expr1006")}));
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value(QStringLiteral("expr1003")), QVariant(QString()));
    QCOMPARE(rs.value(QStringLiteral("expr1005")), QVariant(3005.07));
    QCOMPARE(rs.value(QStringLiteral("expr1006")), QVariant(1LL));
    QCOMPARE(single(db, Mod347Statements::kWithoutPostalCode), QVariant(QStringLiteral("B2")));
}

void TestJetStatements::operationsCount() {
    FixtureDatabase f;
    Database& db = f.db();
    db.execute(Mod347Statements::kCreateIva);
    SchemaEdits::addTextField(db, QStringLiteral("provedores"), QStringLiteral("IVACC"), 1,
                              QStringLiteral("N"));
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Ordinario"), QStringLiteral("28001"));
    f.addSupplier(QStringLiteral("B2"), QStringLiteral("Caja"), QStringLiteral("28001"));
    f.addSupplier(QStringLiteral("B3"), QStringLiteral("Caja minúscula"), QStringLiteral("28001"));
    f.addSupplier(QStringLiteral("B4"), QStringLiteral("Otro valor"), QStringLiteral("28001"));
    f.native(
        QStringLiteral("update provedores set IVACC = 'S' where nif = 'B2';"
                       "update provedores set IVACC = 's' where nif = 'B3';"
                       "update provedores set IVACC = 'X' where nif = 'B4'"));
    f.addEntry(QStringLiteral("B1"), 7000, QStringLiteral("2025-05-05"), QStringLiteral("2026-01-05"));
    f.addEntry(QStringLiteral("B2"), 7000, QStringLiteral("2024-12-05"), QStringLiteral("2025-01-05"));
    f.addEntry(QStringLiteral("B3"), 7000, QStringLiteral("2024-12-05"), QStringLiteral("2025-01-05"));
    f.addEntry(QStringLiteral("B4"), 7000, QStringLiteral("2025-05-05"), QStringLiteral("2025-06-05"));
    Recordset rs = db.openRecordset(Mod347Statements::count(QStringLiteral("3005.06")));
    rs.moveLast();
    rs.moveFirst();
    // Text comparisons inside statements ignore case: 's' counts as cash basis there.
    QCOMPARE(rs.recordCount(), 3);
    QCOMPARE(db.openRecordset(Mod347Statements::count(QStringLiteral("7000"))).recordCount(), 0);
}

void TestJetStatements::supplierChecksAndWriterStatements() {
    FixtureDatabase f;
    Database& db = f.db();
    SchemaEdits::addTextField(db, QStringLiteral("provedores"), QStringLiteral("IVACC"), 1,
                              QStringLiteral("N"));
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    f.native(
        QStringLiteral("create table TStper (Expr1000 text, nif text collate nocase, nombre text, "
                       "Expr1003 text, Expr1004 text, Expr1005 real, Expr1006 integer);"
                       "insert into TStper values ('', 'b1', 'Uno', '28', 'A', 4500.10, 1)"));
    db.createQueryDef(QStringLiteral("Stper"), Mod347Statements::kSelectionTableQuery);
    f.addEntry(QStringLiteral("B1"), 1000, QStringLiteral("2025-02-10"), QStringLiteral("2025-03-01"));
    f.addEntry(QStringLiteral("B1"), 3500.10, QStringLiteral("2025-11-30"), QStringLiteral("2026-01-10"));
    f.addEntry(QStringLiteral("B1"), 99, QStringLiteral("2025-12-31 18:00:00"), {});
    f.addEntry(QStringLiteral("B1"), 1, QStringLiteral("2025-03-31"), {}, -2);

    Recordset rows = db.openRecordset(Mod347Statements::kDeclaredSuppliers);
    QCOMPARE(rows.recordCount(), 1);
    QCOMPARE(rows.value(QStringLiteral("ivacc")), QVariant(QStringLiteral("N")));
    QCOMPARE(single(db, QStringLiteral("select sum(Expr1005) from Stper")), QVariant(4500.10));
    f.addEntry(QStringLiteral("b1"), 5, QStringLiteral("2025-05-05"), {});
    db.execute(Mod347Statements::kCreateIva);
    // The quarters keep the yearly amount's filter: the entry of a negative group counts in neither.
    Recordset quarters = db.openRecordset(Mod347Statements::quarterlyAmounts(2025));
    QCOMPARE(quarters.recordCount(), 1);
    QCOMPARE(quarters.value(0), QVariant(QStringLiteral("B1")));
    QCOMPARE(quarters.value(1), QVariant(1000.0));
    QCOMPARE(quarters.value(2), QVariant(5.0));
    QCOMPARE(quarters.value(3), QVariant(0.0));
    // A time after midnight on the last day still lies in the quarter.
    QCOMPARE(quarters.value(4), QVariant(3599.10));
    QCOMPARE(db.openRecordset(Mod347Statements::kPaidInTheYear, {QStringLiteral("b1")}).value(0),
             QVariant(1000.0));
}

void TestJetStatements::windowPreparation() {
    FixtureDatabase f;
    Database& db = f.db();
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    db.execute(Mod347Statements::kMakeClientes);
    db.execute(Mod347Statements::kEmptyClientes);
    db.execute(Mod347Statements::kCreateIva);
    QVERIFY_THROWS_EXCEPTION(DbError, db.execute(Mod347Statements::kMakeClientes));
    QVERIFY_THROWS_EXCEPTION(DbError, db.execute(Mod347Statements::kCreateIva));
    QCOMPARE(single(db, QStringLiteral("select count(*) from Clientes")), QVariant(0LL));
    f.native(QStringLiteral("alter table provedores add column IVACC text"));
    db.execute(Mod347Statements::kDefaultCashBasisMark);
    f.native(QStringLiteral("create table TStper (nif text); insert into TStper values ('b1')"));
    db.createQueryDef(QStringLiteral("Stper"), Mod347Statements::kSelectionTableQuery);
    Recordset grid = db.openRecordset(Mod347Statements::kGridSource + QStringLiteral("order by 1 ASC"));
    // Jet names a column as the statement writes it.
    QCOMPARE(grid.fieldNames(),
             (QStringList{QStringLiteral("NIF"), QStringLiteral("Nombre"), QStringLiteral("IVACC")}));
    QCOMPARE(grid.value(2), QVariant(QStringLiteral("N")));
}

void TestJetStatements::supplierReview() {
    FixtureDatabase f;
    Database& db = f.db();
    const QString& create = ReviewStatements::kMakeErrorNif;
    db.deleteTable(QStringLiteral("contra"));
    QVERIFY_THROWS_EXCEPTION(DbError, db.execute(create));
    f.native(QStringLiteral("create table contra (cuenta text); insert into contra values ('1'), ('2')"));
    db.execute(create);
    QCOMPARE(single(db, QStringLiteral("select count(*) from ErrorNIF")), QVariant(2LL));
    QVERIFY_THROWS_EXCEPTION(DbError, db.execute(create));
    db.execute(ReviewStatements::kEmptyErrorNif);
    db.execute(ReviewStatements::kListDoubtful, {QStringLiteral("12345678z"), QStringLiteral("Uno")});
    const Recordset rs = db.openRecordset(ReviewStatements::kReportRows);
    QCOMPARE(rs.fieldNames(), (QStringList{QStringLiteral("NIF"), QStringLiteral("Nombre")}));
    QCOMPARE(rs.value(0), QVariant(QStringLiteral("12345678z")));
}

QTEST_GUILESS_MAIN(TestJetStatements)
#include "tst_jetstatements.moc"
