#include "db/Clock.h"
#include "declaration/DeclarantHeader.h"
#include "mod190/Mod190Run.h"
#include "mod190/PerceptorKeys.h"
#include "mod190/Reconciliation111.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/ScriptedUserInterface.h"

#include <QDir>
#include <QTest>

namespace {

// A year of withholdings: a lawyer chosen G01 (15 %) in the first and third quarters, a lecturer F02 by
// its rate in every quarter, one whose payments were returned (a negative total), and a payment without
// withholding.
void fillTheYear(FixtureDatabase& f) {
    f.native(QStringLiteral(
        "insert into Centro values ('Q2826000H', 'Centro');"
        "insert into provedores (nif, nombre, codpost) values ('11111111H', 'Abogada', '28001'), "
        "  ('22222222J', 'Conferenciante', '28002'), ('33333333P', 'Devuelto', '28003')"));
    f.addWithholding(QStringLiteral("11111111H"), QStringLiteral("Abogada"), QStringLiteral("2025-01-15"),
                     1000, 150);
    f.addWithholding(QStringLiteral("11111111H"), QStringLiteral("Abogada"), QStringLiteral("2025-09-30"),
                     2000, 300);
    for (const char* date : {"2025-03-31", "2025-04-01", "2025-08-01", "2025-12-31"})
        f.addWithholding(QStringLiteral("22222222J"), QStringLiteral("Conferenciante"),
                         QString::fromLatin1(date), 500, 75);
    f.addWithholding(QStringLiteral("22222222J"), QStringLiteral("Conferenciante"),
                     QStringLiteral("2025-06-01"), 0, 0, 120);
    f.addWithholding(QStringLiteral("33333333P"), QStringLiteral("Devuelto"), QStringLiteral("2025-05-05"),
                     400, 60);
    f.addWithholding(QStringLiteral("33333333P"), QStringLiteral("Devuelto"), QStringLiteral("2025-11-05"),
                     -600, -90);
    PerceptorKeys::choose(f.db(), QStringLiteral("11111111H"), QStringLiteral("G01"));
}

}  // namespace

class TestReconciliation111 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void whatTheEntriesGive_data();
    void whatTheEntriesGive();
    void theYearBesideTheWrittenFile();
    void typedFigures_data();
    void typedFigures();
};

void TestReconciliation111::whatTheEntriesGive_data() {
    QTest::addColumn<int>("first");  // the first line of the part, from 0
    QTest::addColumn<QStringList>("lines");
    const auto texts = [](std::initializer_list<const char*> items) {
        QStringList list;
        for (const char* item : items)
            list.append(QString::fromUtf8(item));
        return list;
    };
    QTest::newRow("the first quarter: the lawyer under II, the lecturer under I")
        << 0
        << texts({"1.er trimestre",
                  "   I. Rendimientos del trabajo (F): 01 perceptores 1; 02 importe 500,00; 03 "
                  "retenciones 75,00",
                  "   II. Actividades económicas (G, H, I): 07 perceptores 1; 08 importe 1.000,00; 09 "
                  "retenciones 150,00",
                  "   28 Suma de retenciones: 225,00"});
    QTest::newRow("the second: the returned one by its rate, F02, and a payment without withholding apart")
        << 4
        << texts({"2.º trimestre",
                  "   I. Rendimientos del trabajo (F): 01 perceptores 2; 02 importe 900,00; 03 "
                  "retenciones 135,00",
                  "   28 Suma de retenciones: 135,00"});
    QTest::newRow("the fourth: a negative payment counts where it falls")
        << 11
        << texts({"4.º trimestre",
                  "   I. Rendimientos del trabajo (F): 01 perceptores 2; 02 importe -100,00; 03 "
                  "retenciones -15,00",
                  "   28 Suma de retenciones: -15,00"});
    QTest::newRow("the year beside the 190")
        << 14
        << texts({"", "Año, de los apuntes: importes 4.800,00; retenciones 720,00.",
                  "Modelo 190, de los mismos apuntes: percepciones 5.000,00; retenciones 750,00.",
                  "Diferencia: importes -200,00; retenciones -30,00."});
    QTest::newRow("what makes the difference")
        << 19
        << texts({"Lo que hace la diferencia:",
                  "   22222222J Conferenciante: importe 120,00, retenciones 0,00: pagos sin retención, que "
                  "el 190 no "
                  "declara.",
                  "   33333333P Devuelto: importe -200,00, retenciones -30,00: el total pagado es negativo, "
                  "y el 190 lo "
                  "deja fuera."});
}

void TestReconciliation111::whatTheEntriesGive() {
    QFETCH(int, first);
    QFETCH(QStringList, lines);
    FixtureDatabase f;
    fillTheYear(f);
    const QStringList all = Reconciliation111::reconcile(f.db()).lines();
    QCOMPARE(all.mid(first, lines.size()), lines);
}

// The 190's own totals are those of the file the run writes from the same entries.
void TestReconciliation111::theYearBesideTheWrittenFile() {
    FixtureDatabase f;
    fillTheYear(f);
    const Reconciliation111::Result result = Reconciliation111::reconcile(f.db());
    ScriptedUserInterface ui;
    ContactInputs contact = initialContactInputs();
    QCOMPARE(runModelo190(f.db(), f.folder(), contact, ui).result, RunResult::FileWritten);
    const QByteArray header = readAll(f.folder() + QStringLiteral("/Mod190.txt")).left(500);
    QCOMPARE(header.mid(145, 15).toLongLong(), result.declaredPaid);
    QCOMPARE(header.mid(160, 15).toLongLong(), result.declaredWithheld);
}

void TestReconciliation111::typedFigures_data() {
    QTest::addColumn<QList<qint64>>("box28");  // of each quarter, in cents
    QTest::addColumn<QStringList>("disagreements");
    QTest::newRow("as the entries") << QList<qint64>{22500, 13500, 37500, -1500} << QStringList();
    QTest::newRow("the third quarter filed short")
        << QList<qint64>{22500, 13500, 37000, -1500}
        << QStringList{QStringLiteral(
               "3.er trimestre: la casilla 28 del 111 presentado dice 370,00 y los apuntes dan "
               "375,00: diferencia de 5,00.")};
}

// The figures the office typed are kept for the year, and where they differ from the entries the
// reconciliation and the run of the 190 say so.
void TestReconciliation111::typedFigures() {
    QFETCH(QList<qint64>, box28);
    QFETCH(QStringList, disagreements);
    FixtureDatabase f;
    fillTheYear(f);
    Reconciliation111::FiledFigures typed;
    for (int quarter = 1; quarter <= 4; ++quarter)
        typed.insert({quarter, 28}, box28[quarter - 1]);
    Reconciliation111::keepFiledFigures(f.db(), 2025, typed);
    QCOMPARE(Reconciliation111::filedFigures(f.db(), 2025), typed);
    QVERIFY(Reconciliation111::filedFigures(f.db(), 2024).isEmpty());
    QCOMPARE(Reconciliation111::reconcile(f.db()).disagreements(), disagreements);
    ScriptedUserInterface ui;
    ContactInputs contact = initialContactInputs();
    QCOMPARE(runModelo190(f.db(), f.folder(), contact, ui).result, RunResult::FileWritten);
    const ScriptedUserInterface::Message& beforeTheEnd = ui.messages[ui.messages.size() - 2];
    QCOMPARE(beforeTheEnd.title, QStringLiteral("CUADRE CON LOS MODELOS 111"));
    QCOMPARE(beforeTheEnd.text.startsWith(QStringLiteral("Los apuntes del año cuadran")),
             disagreements.isEmpty());
}

QTEST_GUILESS_MAIN(TestReconciliation111)
#include "tst_reconciliation111.moc"
