#include "db/DbError.h"
#include "support/FixtureDatabase.h"
#include "taxid/ReportLayout.h"
#include "taxid/SupplierReview.h"

#include <QTest>

namespace {

QStringList listed(const QString& DbPath) {
    QStringList lines;
    for (const ReviewRow& row : readReviewRows(DbPath))
        lines.append(row.nif + QLatin1Char('|') + row.nombre);
    return lines;
}

int errorNifTables(FixtureDatabase& f) {
    return f.db()
        .openRecordset(
            QStringLiteral("select count(*) from sqlite_schema where type = 'table' and name = 'ErrorNIF'"))
        .value(0)
        .toInt();
}

}  // namespace

class TestSupplierReview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsTheDoubtfulIdentifiers();
    void secondRunReplacesTheRows();
    void noDoubtfulSupplier();
    void noAnswer_data();
    void noAnswer();
    void pagination_data();
    void pagination();
};

void TestSupplierReview::listsTheDoubtfulIdentifiers() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("X1234567L"), QStringLiteral("Válido por su prefijo"), {});
    f.addSupplier(QStringLiteral("Y1234567L"), QStringLiteral("Prefijo Y"), {});
    f.addSupplier(QStringLiteral("12345678z"), QStringLiteral("Minúscula"), {});
    f.addSupplier(QStringLiteral("87654321X"), QStringLiteral("Correcto"), {});
    f.addSupplier(QStringLiteral("B1234567"), QStringLiteral("L'Hospitalet, S.A."), {});
    f.addSupplier(QStringLiteral("O'1"), {}, {});
    f.native(
        QStringLiteral("insert into provedores (nif, nombre) values (null, 'Sin NIF'), ('', 'NIF vacío')"));
    ActiveReport_ReportStart(f.path());
    QCOMPARE(errorNifTables(f), 1);
    QStringList rows = listed(f.path());
    rows.sort();
    QCOMPARE(rows, (QStringList{QStringLiteral("12345678z|Minúscula"),
                                QStringLiteral("B1234567|L'Hospitalet, S.A."), QStringLiteral("O'1|"),
                                QStringLiteral("Y1234567L|Prefijo Y"), QStringLiteral("|NIF vacío"),
                                QStringLiteral("|Sin NIF")}));
}

void TestSupplierReview::secondRunReplacesTheRows() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("K1234567D"), QStringLiteral("Uno"), {});
    // The key keeps two suppliers from sharing an identifier, except the missing one.
    f.native(QStringLiteral("insert into provedores (nif, nombre) values (null, 'Dos'), (null, 'Dos bis')"));
    ActiveReport_ReportStart(f.path());
    ActiveReport_ReportStart(f.path());
    QCOMPARE(errorNifTables(f), 1);
    QStringList rows = listed(f.path());
    rows.sort();
    QCOMPARE(rows, (QStringList{QStringLiteral("K1234567D|Uno"), QStringLiteral("|Dos"),
                                QStringLiteral("|Dos bis")}));
}

void TestSupplierReview::noDoubtfulSupplier() {
    FixtureDatabase f;
    ActiveReport_ReportStart(f.path());
    QVERIFY(listed(f.path()).isEmpty());
    f.addSupplier(QStringLiteral("B12345674"), QStringLiteral("Correcto"), {});
    ActiveReport_ReportStart(f.path());
    QVERIFY(listed(f.path()).isEmpty());
}

void TestSupplierReview::noAnswer_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("supplier table damaged") << "damaged"
                                            << "dañada";
    QTest::newRow("ErrorNIF can be neither made nor emptied") << "no contra"
                                                              << "ErrorNIF";
    QTest::newRow("no supplier table") << "no provedores"
                                       << "provedores";
}

// A review that cannot read the suppliers, or cannot clear its table, says so
// instead of showing an empty list, which would read as "every CIF/NIF is fine".
void TestSupplierReview::noAnswer() {
    QFETCH(QString, fault);
    QFETCH(QString, message);
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1234567"), QStringLiteral("Uno"), {});
    if (fault == QLatin1String("damaged"))
        f.damageTable(QStringLiteral("provedores"));
    else if (fault == QLatin1String("no contra"))
        f.db().deleteTable(QStringLiteral("contra"));
    else
        f.db().deleteTable(QStringLiteral("provedores"));
    try {
        reviewSuppliers(f.path());
        QFAIL("the review gave an answer");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void TestSupplierReview::pagination_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("none: the header alone") << 0 << QList<int>{0};
    QTest::newRow("one") << 1 << QList<int>{1};
    QTest::newRow("a full page") << ReportLayout::kRowsPerPage << QList<int>{ReportLayout::kRowsPerPage};
    QTest::newRow("one more") << ReportLayout::kRowsPerPage + 1 << QList<int>{ReportLayout::kRowsPerPage, 1};
    QTest::newRow("three pages") << 2 * ReportLayout::kRowsPerPage + 5
                                 << QList<int>{ReportLayout::kRowsPerPage, ReportLayout::kRowsPerPage, 5};
}

void TestSupplierReview::pagination() {
    QFETCH(int, rows);
    QFETCH(QList<int>, perPage);
    const QList<ReportLayout::Page> pages = ReportLayout::paginate(rows);
    QList<int> counts;
    int next = 0;
    for (const auto& page : pages) {
        QCOMPARE(page.firstRow, next);
        next += page.rowCount;
        counts.append(page.rowCount);
    }
    QCOMPARE(counts, perPage);
}

QTEST_GUILESS_MAIN(TestSupplierReview)
#include "tst_supplierreview.moc"
