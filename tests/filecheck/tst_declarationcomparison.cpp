#include "db/Clock.h"
#include "filecheck/DeclarationComparison.h"
#include "mod190/Mod190Run.h"
#include "mod347/Mod347Run.h"
#include "report/DeclarationSummary.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/PdfText.h"
#include "support/ScriptedUserInterface.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

ContactInputs realContact() {
    ContactInputs contact = initialContactInputs();
    contact.telephone = QStringLiteral("915550123");
    contact.contactPerson = QStringLiteral("Garcia Lopez Ana");
    return contact;
}

// The file that a run writes on `f` for the declaration year before `today`.
QByteArray written(FixtureDatabase& f, const QString& model, const QDate& today) {
    Clock::pin(QDateTime(today, QTime(10, 0)));
    const QString out = f.folder() + QStringLiteral("/Mdb");
    QDir().mkpath(out);
    ScriptedUserInterface ui;
    ui.answers = {MessageAnswer::Yes};  // the supplier abroad has no Spanish NIF to validate
    ContactInputs contact = realContact();
    if (model == QLatin1String("190")) {
        runModelo190(f.db(), out, contact, ui);
    } else {
        // A selection below zero lets a credit be declared; the box refuses such a threshold, so the
        // selection is the load's and the run keeps it.
        std::unique_ptr<Database> AccountsDb;
        if (loadModelo347(f.path(), QStringLiteral("-100000"), AccountsDb, ui) == Modelo347Load::Ready) {
            Modelo347Session session{*AccountsDb, out, QStringLiteral("0")};
            runModelo347(session, QStringLiteral("0"), contact, ui);
        }
    }
    Clock::unpin();
    return readAll(out + QStringLiteral("/Mod") + model + QStringLiteral(".txt"));
}

// Two years of suppliers: one below the percentage, one above, one gone, one new, a credit, one abroad.
std::pair<QByteArray, QByteArray> twoYearsOf347() {
    FixtureDatabase f;
    f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro Público María')"));
    const auto supplier = [&](const char* nif, const char* name, const char* postalCode) {
        f.addSupplier(QString::fromLatin1(nif), QString::fromUtf8(name), QString::fromLatin1(postalCode));
    };
    const auto entry = [&](const char* nif, double amount, const char* date) {
        f.addEntry(QString::fromLatin1(nif), amount, QString::fromLatin1(date), QString::fromLatin1(date));
    };
    supplier("B12345674", "Papelería Sur", "28001");
    supplier("A58818501", "Construcciones Norte", "08001");
    supplier("12345678Z", "Se Fue", "46001");
    supplier("X1234567L", "Abonos", "28004");
    supplier("fr123456789", "Fournitures de Paris", "99000");
    supplier("B1234567D", "Nueva Empresa", "41001");
    entry("B12345674", 5000, "2024-03-01");
    entry("A58818501", 4000, "2024-05-01");
    entry("12345678Z", 3500, "2024-06-01");
    entry("X1234567L", 6000, "2024-07-01");
    entry("fr123456789", 4000, "2024-08-01");
    const QByteArray older = written(f, QStringLiteral("347"), QDate(2025, 2, 10));
    entry("B12345674", 5200, "2025-03-01");
    entry("A58818501", 8000, "2025-05-01");
    entry("X1234567L", 5000, "2025-07-01");
    entry("X1234567L", -6500, "2025-09-01");
    entry("fr123456789", 4000, "2025-08-01");
    entry("B1234567D", 7000, "2025-10-01");
    return {older, written(f, QStringLiteral("347"), QDate(2026, 2, 10))};
}

std::pair<QByteArray, QByteArray> twoYearsOf190() {
    FixtureDatabase f;
    f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro Público María')"));
    for (const auto& [nif, name] : {std::pair{"11111111H", "Uno"}, std::pair{"22222222J", "Dos"},
                                    std::pair{"33333333P", "Tres"}, std::pair{"44444444A", "Cuatro"}})
        f.addSupplier(QString::fromLatin1(nif), QString::fromLatin1(name), QStringLiteral("28001"));
    const auto withholding = [&](const char* nif, const char* name, const char* date, double paid) {
        f.addWithholding(QString::fromLatin1(nif), QString::fromLatin1(name), QString::fromLatin1(date), paid,
                         paid * 0.15);
    };
    withholding("11111111H", "Uno", "2024-04-01", 1000);
    withholding("22222222J", "Dos", "2024-05-01", 2000);
    withholding("33333333P", "Tres", "2024-06-01", 500);
    const QByteArray older = written(f, QStringLiteral("190"), QDate(2025, 1, 20));
    withholding("11111111H", "Uno", "2025-04-01", 1050);
    withholding("22222222J", "Dos", "2025-05-01", 4000);
    withholding("44444444A", "Cuatro", "2025-06-01", 800);
    return {older, written(f, QStringLiteral("190"), QDate(2026, 1, 20))};
}

CheckedDeclaration checked(const QByteArray& file) {
    const std::optional<CheckedDeclaration> result = checkDeclarationFile(file);
    return result ? *result : CheckedDeclaration();
}

}  // namespace

class TestDeclarationComparison : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyLineOfTheComparison_data();
    void everyLineOfTheComparison();
    void changeOfZeroListsEveryChangedAmount();
    void identicalFilesListNothing();
    void anotherDeclarantAndAnotherModel();
    void pdfHoldsTheComparison();
};

void TestDeclarationComparison::everyLineOfTheComparison_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("lines");
    const auto lines = [](std::initializer_list<const char*> texts) {
        QStringList list;
        for (const char* text : texts)
            list.append(QString::fromUtf8(text));
        return list;
    };
    QTest::newRow("347")
        << "347"
        << lines({"Comparación con el fichero anterior, del ejercicio 2024: cambios de más del 10 % "
                  "del importe anterior.",
                  "Los dos ficheros llevan el número de declaración 3470000000001, cada uno en su ejercicio: "
                  "la Agencia lo admite.",
                  "Nuevo: B1234567D NUEVA EMPRESA: importe anual 7.000,00.",
                  "Ya no figura: 12345678Z SE FUE: importe anual 3.500,00.",
                  "Cambio: X1234567L ABONOS: importe anual de 6.000,00 a -1.500,00, diferencia "
                  "-7.500,00 (-125,0 %).",
                  "Cambio: A58818501 CONSTRUCCIONES NORTE: importe anual de 4.000,00 a 8.000,00, "
                  "diferencia 4.000,00 (+100,0 %).",
                  "Registros: 5 en el fichero anterior y 5 en este.",
                  "Total de importe anual: 22.500,00 en el fichero anterior y 22.700,00 en este.",
                  "Nuevos: 1; ya no figuran: 1; cambios: 2."});
    QTest::newRow("190")
        << "190"
        << lines({"Comparación con el fichero anterior, del ejercicio 2024: cambios de más del 10 % "
                  "del importe anterior.",
                  "Los dos ficheros llevan el número de declaración 1900000000001, cada uno en su ejercicio: "
                  "la Agencia lo admite.",
                  "Nuevo: 44444444A CUATRO (clave F02): percepción íntegra 800,00, retenciones "
                  "120,00.",
                  "Ya no figura: 33333333P TRES (clave F02): percepción íntegra 500,00, retenciones "
                  "75,00.",
                  "Cambio: 22222222J DOS (clave F02): percepción íntegra de 2.000,00 a 4.000,00, "
                  "diferencia 2.000,00 (+100,0 %).",
                  "Cambio: 22222222J DOS (clave F02): retenciones de 300,00 a 600,00, diferencia "
                  "300,00 (+100,0 %).",
                  "Registros: 3 en el fichero anterior y 3 en este.",
                  "Total de percepción íntegra: 3.500,00 en el fichero anterior y 5.850,00 en este.",
                  "Total de retenciones: 525,00 en el fichero anterior y 877,50 en este.",
                  "Nuevos: 1; ya no figuran: 1; cambios: 2."});
}

void TestDeclarationComparison::everyLineOfTheComparison() {
    QFETCH(QString, model);
    QFETCH(QStringList, lines);
    const auto [older, newer] = model == QLatin1String("190") ? twoYearsOf190() : twoYearsOf347();
    QString why;
    QVERIFY2(matchesGolden(older, QStringLiteral("filecheck"),
                           QStringLiteral("compare-%1-old.txt").arg(model), &why),
             qPrintable(why));
    QVERIFY2(matchesGolden(newer, QStringLiteral("filecheck"),
                           QStringLiteral("compare-%1-new.txt").arg(model), &why),
             qPrintable(why));
    const auto comparison = compareDeclarations(checked(newer), checked(older), 10);
    QVERIFY(comparison);
    QCOMPARE(comparison->lines(), lines);
}

void TestDeclarationComparison::changeOfZeroListsEveryChangedAmount() {
    const auto [older, newer] = twoYearsOf347();
    const auto comparison = compareDeclarations(checked(newer), checked(older), 0);
    QVERIFY(comparison);
    QStringList changed;
    for (const AmountChange& change : comparison->changed)
        changed.append(change.record.nif);
    // Papelería Sur moved by 4 %; the supplier abroad did not move at all.
    QCOMPARE(changed, (QStringList{QStringLiteral("X1234567L"), QStringLiteral("A58818501"),
                                   QStringLiteral("B12345674")}));
}

void TestDeclarationComparison::identicalFilesListNothing() {
    for (const auto& [older, newer] : {twoYearsOf347(), twoYearsOf190()}) {
        const auto comparison = compareDeclarations(checked(newer), checked(newer), 0);
        QVERIFY(comparison);
        QVERIFY(comparison->added.isEmpty() && comparison->gone.isEmpty() && comparison->changed.isEmpty());
        QCOMPARE(comparison->olderTotals, comparison->newerTotals);
        QCOMPARE(comparison->olderCount, comparison->newerCount);
        QVERIFY(comparison->notes().first().startsWith(QLatin1String("Los dos ficheros son del ejercicio")));
        // A second filing of the exercise with the same number is refused.
        QVERIFY(comparison->notes().last().endsWith(QStringLiteral(
            "la Agencia rechaza una segunda presentación del ejercicio con el mismo número.")));
    }
}

void TestDeclarationComparison::anotherDeclarantAndAnotherModel() {
    const auto [older347, newer347] = twoYearsOf347();
    QByteArray otherDeclarant = older347;
    for (qsizetype record = 0; record < otherDeclarant.size(); record += 502)
        otherDeclarant.replace(record + 8, 9, "B12345674");
    const auto comparison = compareDeclarations(checked(newer347), checked(otherDeclarant), 10);
    QVERIFY(comparison);
    QCOMPARE(
        comparison->notes(),
        (QStringList{QStringLiteral("Aviso: el NIF del declarante es B12345674 en el fichero anterior y "
                                    "Q2826000H en este; se comparan de todos modos."),
                     QStringLiteral("Los dos ficheros llevan el número de declaración 3470000000001, cada "
                                    "uno en su ejercicio: la Agencia lo admite.")}));
    QCOMPARE(comparison->changed.size(), 2);
    const auto [older190, newer190] = twoYearsOf190();
    QVERIFY(!compareDeclarations(checked(newer347), checked(older190), 10));
}

void TestDeclarationComparison::pdfHoldsTheComparison() {
    const auto [older, newer] = twoYearsOf347();
    DeclarationSummary summary(checked(newer));
    summary.setComparison(*compareDeclarations(checked(newer), checked(older), 10));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("resumen.pdf"));
    summary.exportPdf(pdf);
    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    for (const QString& expected :
         {QStringLiteral("Comparación con el fichero anterior"), QStringLiteral("Nuevos (1)"),
          QStringLiteral("Ya no figuran (1)"), QStringLiteral("Cambios de más del 10 % (2)"),
          QStringLiteral("B1234567D"), QStringLiteral("12345678Z"), QStringLiteral("X1234567L"),
          QStringLiteral("A58818501"), QStringLiteral("-125,0 %"), QStringLiteral("Página 1 de 1")})
        QVERIFY2(text.contains(expected), qPrintable(expected));
}

QTEST_MAIN(TestDeclarationComparison)
#include "tst_declarationcomparison.moc"
