#include "db/Clock.h"
#include "filecheck/DeclarationFileCheck.h"
#include "mod347/Mod347Run.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/ScriptedUserInterface.h"

#include <QDir>
#include <QTest>

#include <functional>

namespace {

using Patch = std::function<void(QByteArray&)>;

const QByteArray kRealContact = QByteArray("915550123") + QByteArray("GARCIA LOPEZ ANA").leftJustified(40);

QByteArray defaultContact190() {
    return readAll(QStringLiteral(AEAT_TEST_DATA_DIR "/mod190/golden/totals-default-contact.txt"));
}

// Positions from 1 of the n-th line (from 1).
void put(QByteArray& file, int line, int position, const QByteArray& bytes) {
    file.replace(static_cast<qsizetype>(line - 1) * 502 + position - 1, bytes.size(), bytes);
}

// The golden Modelo 190 file as the office sends it, with a real person to call.
QByteArray golden190() {
    QByteArray file = defaultContact190();
    put(file, 1, 59, kRealContact);
    put(file, 1, 176, QByteArray("ANA.GARCIA@CENTRO.ES").leftJustified(50));
    return file;
}

// Positions of the type 2 records blanked as the designs before exercise 2025 left them.
void toOldLayout(QByteArray& file, const QList<std::pair<int, int>>& spans) {
    for (int line = 2; line <= file.count('\n'); ++line)
        for (const auto& [first, last] : spans)
            put(file, line, first, QByteArray(last - first + 1, ' '));
}

// A clean Modelo 347 file, as the run writes it for two suppliers of last year.
QByteArray clean347() {
    FixtureDatabase f;
    f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro Público María')"));
    f.addSupplier(QStringLiteral("B12345674"), QStringLiteral("Papelería Sur, S.L."),
                  QStringLiteral("28001"));
    f.addEntry(QStringLiteral("B12345674"), 5000, QStringLiteral("2025-02-10"), QStringLiteral("2025-02-11"));
    f.addEntry(QStringLiteral("B12345674"), 1200.5, QStringLiteral("2025-08-01"),
               QStringLiteral("2025-08-02"));
    f.addSupplier(QStringLiteral("A00000000"), QStringLiteral("Uno"), QStringLiteral("08001"));
    f.addEntry(QStringLiteral("A00000000"), 4000, QStringLiteral("2025-11-05"), QStringLiteral("2025-11-06"));
    const QString out = f.folder() + QStringLiteral("/Mdb");
    QDir().mkpath(out);
    ScriptedUserInterface ui;
    std::unique_ptr<Database> AccountsDb;
    if (loadModelo347(f.path(), kInitialThreshold, AccountsDb, ui) != Modelo347Load::Ready)
        return {};
    Modelo347Session session{*AccountsDb, out, kInitialThreshold};
    ContactInputs contact = initialContactInputs();
    contact.telephone = QStringLiteral("915550123");
    contact.contactPerson = QStringLiteral("Garcia Lopez Ana");
    runModelo347(session, kInitialThreshold, contact, ui);
    return readAll(out + QStringLiteral("/Mod347.txt"));
}

}  // namespace

class TestDeclarationFileCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void cleanFilesHaveNoProblem();
    void goldenFilesShowTheirData();
    void plantedFault_data();
    void plantedFault();
    void keysAndTheirRates_data();
    void keysAndTheirRates();
    void warningsForCharactersOfNames();
    void oldLayoutIsRefused_data();
    void oldLayoutIsRefused();
    void exampleContactIsAWarning();
    void notADeclaration_data();
    void notADeclaration();
    void whatTheSummaryReads();
};

void TestDeclarationFileCheck::cleanFilesHaveNoProblem() {
    for (const QByteArray& file : {golden190(), clean347()}) {
        const auto checked = checkDeclarationFile(file);
        QVERIFY(checked);
        QStringList problems;
        for (const FileProblem& problem : checked->problems)
            problems.append(problem.text());
        QCOMPARE(problems, QStringList());
    }
}

// The golden files were made from fixtures with faults in their data, and the check names them.
void TestDeclarationFileCheck::goldenFilesShowTheirData() {
    const auto checked = checkDeclarationFile(
        readAll(QStringLiteral(AEAT_TEST_DATA_DIR "/mod190/golden/empty-centre-long-number.txt")));
    QVERIFY(checked);
    QCOMPARE(checked->errorCount(), 1);
    QCOMPARE(
        checked->problems[0].text(),
        QStringLiteral(
            "Registro 1, posiciones 9-17 (NIF del declarante): error: «000000000» no es un CIF/NIF válido."));
}

void TestDeclarationFileCheck::plantedFault_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<Patch>("patch");
    QTest::addColumn<QString>("problem");
    const auto row = [](const char* name, const char* model, Patch patch, const char* problem) {
        QTest::newRow(name) << QString::fromLatin1(model) << patch << QString::fromUtf8(problem);
    };
    row(
        "a 499-character line", "190", [](QByteArray& f) { f.remove(502 + 499, 1); },
        "Registro 2 (longitud): error: mide 499 caracteres en lugar de 500");
    row(
        "LF alone", "190", [](QByteArray& f) { f.remove(500, 1); }, "Registro 1 (fin de línea): error:");
    row(
        "a wrong count", "190", [](QByteArray& f) { put(f, 1, 144, "3"); },
        "Registro 1, posiciones 136-144 (número de registros): error: dice 3 y los registros de tipo 2 suman "
        "2");
    row(
        "a total off by one cent", "190",
        [](QByteArray& f) { put(f, 1, 160, QByteArray(1, static_cast<char>(f[159] + 1))); },
        "Registro 1, posiciones 146-160 (importe total de las percepciones): error: dice");
    row(
        "a bad NIF", "190", [](QByteArray& f) { put(f, 2, 26, f[502 + 25] == 'Z' ? "A" : "Z"); },
        "Registro 2 (11111111Z PRIMERO), posiciones 18-26 (NIF del perceptor): error:");
    row(
        "province 00", "190", [](QByteArray& f) { put(f, 2, 76, "00"); },
        "Registro 2 (11111111H PRIMERO), posiciones 76-77 (provincia): error: «00» no es un código de "
        "provincia");
    row(
        "province 53", "347", [](QByteArray& f) { put(f, 2, 77, "53"); },
        "Registro 2 (A00000000 UNO), posiciones 77-78 (provincia): error: «53» no es un código de provincia "
        "(01 a "
        "52 o 99)");
    row(
        "a lower-case letter", "190", [](QByteArray& f) { put(f, 2, 40, "a"); },
        "Registro 2 (11111111H PRIMaRO), posición 40 (carácter): error: hay letras minúsculas");
    row(
        "byte 0x81", "347", [](QByteArray& f) { put(f, 3, 300, "\x81"); },
        "Registro 3 (B12345674 PAPELERIA SUR, S.L.), posición 300 (carácter): error: el byte 0x81 no es un "
        "carácter imprimible de "
        "Windows-1252");
    row(
        "a quarter mismatch", "347", [](QByteArray& f) { put(f, 2, 151, "1"); },
        "Registro 2 (A00000000 UNO), posiciones 136-247 (importes trimestrales): error: suman");
    row(
        "another year in one record", "347", [](QByteArray& f) { put(f, 3, 5, "2024"); },
        "Registro 3 (B12345674 PAPELERIA SUR, S.L.), posiciones 5-8 (ejercicio): error: «2024» no es el "
        "ejercicio del primer registro");
    row(
        "another declarant NIF", "190", [](QByteArray& f) { put(f, 3, 9, "B12345674"); },
        "Registro 3 (22222222J SEGUNDO), posiciones 9-17 (NIF del declarante): error: «B12345674» no es el "
        "NIF "
        "del declarante");
    row(
        "a letter in an amount", "347", [](QByteArray& f) { put(f, 2, 90, "A"); },
        "Registro 2 (A00000000 UNO), posiciones 84-98 (importe anual): error:");
    row(
        "X with quarterly amounts", "347", [](QByteArray& f) { put(f, 2, 281, "X"); },
        "Registro 2 (A00000000 UNO), posiciones 136-247 (importes trimestrales): error: con el criterio de "
        "caja han de ser cero");
    row(
        "a number of another model", "190", [](QByteArray& f) { put(f, 1, 108, "347"); },
        "Registro 1, posiciones 108-120 (número de la declaración): error: «3470000000001» no empieza por "
        "190, el código del modelo");
    row(
        "a number of zeros after the model", "347", [](QByteArray& f) { put(f, 1, 111, "0000000000"); },
        "Registro 1, posiciones 108-120 (número de la declaración): error: «3470000000000» no es el número "
        "de ninguna declaración");
    row(
        "an X for the kind of declaration", "190", [](QByteArray& f) { put(f, 1, 121, "X"); },
        "Registro 1, posiciones 121-122 (tipo de declaración): error: «X » no es «C » (complementaria), "
        "« S» (sustitutiva) ni dos blancos");
    row(
        "a number before in a normal declaration", "347",
        [](QByteArray& f) { put(f, 1, 123, "3470000000009"); },
        "Registro 1, posiciones 123-135 (número de la declaración anterior): error: en una declaración que "
        "no es complementaria ni sustitutiva han de ser ceros");
    row(
        "a complementary of another model's number", "190",
        [](QByteArray& f) { put(f, 1, 121, "C 3470000000009"); },
        "Registro 1, posiciones 123-135 (número de la declaración anterior): error: «3470000000009» no "
        "empieza por 190");
    row(
        "a substitutive of itself", "347", [](QByteArray& f) { put(f, 1, 121, " S3470000000001"); },
        "Registro 1, posiciones 123-135 (número de la declaración anterior): error: es el número de esta "
        "misma declaración");
    row(
        "a second type 1 record", "347", [](QByteArray& f) { f.append(f.left(502)); },
        "Registro 4, posición 1 (tipo de registro): error: solo puede haber un registro de tipo 1, el "
        "primero");
    row(
        "a key outside A-L", "190", [](QByteArray& f) { put(f, 2, 78, "M"); },
        "Registro 2 (11111111H PRIMERO), posiciones 78-80 (clave y subclave): error:");
    row(
        "Ceuta's mark without Ceuta", "190", [](QByteArray& f) { put(f, 2, 152, "1"); },
        "Registro 2 (11111111H PRIMERO), posición 152 (Ceuta o Melilla): error:");
    row(
        "an operation key outside A-G", "347", [](QByteArray& f) { put(f, 2, 82, "H"); },
        "Registro 2 (A00000000 UNO), posición 82 (clave de operación): error:");
    row(
        "a property total", "347", [](QByteArray& f) { put(f, 1, 185, "1"); },
        "Registro 1, posiciones 161-185 (inmuebles): error:");
    row(
        "a telephone with letters", "190", [](QByteArray& f) { put(f, 1, 59, "91555A123"); },
        "Registro 1, posiciones 59-67 (teléfono de contacto): error: «91555A123» no son solo cifras.");
    row(
        "a short telephone", "347", [](QByteArray& f) { put(f, 1, 59, "5550123  "); },
        "Registro 1, posiciones 59-67 (teléfono de contacto): error: «5550123»: el teléfono debe tener 9 "
        "cifras "
        "(tiene 7).");
    row(
        "nobody to call", "347", [](QByteArray& f) { put(f, 1, 68, QByteArray(40, ' ')); },
        "Registro 1, posiciones 68-107 (persona de contacto): error: está en blanco.");
    row(
        "a sign that is neither", "347", [](QByteArray& f) { put(f, 2, 83, "-"); },
        "Registro 2 (A00000000 UNO), posición 83 (signo del importe anual): error:");
    row(
        "blanks in the BDNS number", "347", [](QByteArray& f) { put(f, 2, 300, "      "); },
        "Registro 2 (A00000000 UNO), posiciones 300-305 (número de convocatoria BDNS): error: hay blancos en "
        "un campo numérico.");
    row(
        "an accented vowel", "190", [](QByteArray& f) { put(f, 3, 37, "\xCB"); },
        "Registro 3 (22222222J SËGUNDO), posición 37 (nombre del perceptor): error: la vocal acentuada «Ë» "
        "no "
        "está admitida.");
    row(
        "a mark that is neither", "347", [](QByteArray& f) { put(f, 2, 99, "S"); },
        "Registro 2 (A00000000 UNO), posición 99 (operación de seguro): error: «S» no es un espacio ni «X».");
}

void TestDeclarationFileCheck::plantedFault() {
    QFETCH(QString, model);
    QFETCH(Patch, patch);
    QFETCH(QString, problem);
    QByteArray file = model == QLatin1String("190") ? golden190() : clean347();
    QVERIFY(!file.isEmpty());
    patch(file);
    const auto checked = checkDeclarationFile(file);
    QVERIFY(checked);
    QStringList texts;
    for (const FileProblem& found : checked->problems)
        texts.append(found.text());
    QVERIFY2(!texts.filter(problem).isEmpty(), qPrintable(texts.join(QLatin1Char('\n'))));
    QVERIFY(checked->errorCount() > 0);
}

void TestDeclarationFileCheck::keysAndTheirRates_data() {
    QTest::addColumn<QByteArray>("key");   // of the first perceptor, paid 1.000,00 and withheld 150,00
    QTest::addColumn<QString>("problem");  // empty for none
    QTest::newRow("a professional at 15 %") << QByteArray("G01") << QString();
    QTest::newRow("a prize without withholding by law") << QByteArray("K04") << QString();
    QTest::newRow("a subkey the design lacks") << QByteArray("F08")
                                               << "Registro 2 (11111111H PRIMERO), posiciones 78-80 (clave y "
                                                  "subclave): error: «F08» no es una clave y "
                                                  "subclave del diseño de registro.";
    QTest::newRow("a letter past L")
        << QByteArray("M01")
        << "Registro 2 (11111111H PRIMERO), posiciones 78-80 (clave y subclave): error: "
           "«M01» no es una letra de la A a la L y dos cifras.";
    QTest::newRow("a key of the payroll")
        << QByteArray("B01")
        << "Registro 2 (11111111H PRIMERO), posiciones 78-80 (clave y subclave): aviso: la clave B01 no la "
           "declara "
           "este programa, que solo declara retenciones a proveedores (F, G, H, I, K y L01).";
    QTest::newRow("L beyond 01")
        << QByteArray("L05")
        << "Registro 2 (11111111H PRIMERO), posiciones 78-80 (clave y subclave): aviso: la "
           "clave L05 no la declara este programa, que solo declara retenciones a "
           "proveedores (F, G, H, I, K y L01).";
    QTest::newRow("a new professional's key at 15 %") << QByteArray("G03")
                                                      << "Registro 2 (11111111H PRIMERO), posiciones 82-107 "
                                                         "(retenciones): aviso: el tipo es del 15 % y la ley "
                                                         "fija el 7 % para la clave G03: revise la clave.";
}

void TestDeclarationFileCheck::keysAndTheirRates() {
    QFETCH(QByteArray, key);
    QFETCH(QString, problem);
    QByteArray file = golden190();
    put(file, 2, 78, key);
    const auto checked = checkDeclarationFile(file);
    QVERIFY(checked);
    QStringList texts;
    for (const FileProblem& found : checked->problems)
        texts.append(found.text());
    QCOMPARE(texts, problem.isEmpty() ? QStringList() : QStringList{problem});
}

void TestDeclarationFileCheck::warningsForCharactersOfNames() {
    QByteArray file = golden190();
    put(file, 2, 40, "\xD8");  // Ø
    put(file, 2, 41, "\xD1");  // Ñ is accepted
    const auto checked = checkDeclarationFile(file);
    QVERIFY(checked);
    QCOMPARE(checked->errorCount(), 0);
    QCOMPARE(checked->warningCount(), 1);
    QCOMPARE(checked->problems[0].text(),
             QStringLiteral("Registro 2 (11111111H PRIMØÑO), posición 40 (nombre del perceptor): aviso: la "
                            "Agencia puede no aceptar el carácter «Ø»."));
}

// The windows' example contact data reach nobody at the agency, but the file may still be sent.
void TestDeclarationFileCheck::exampleContactIsAWarning() {
    const auto checked = checkDeclarationFile(defaultContact190());
    QVERIFY(checked);
    QCOMPARE(checked->errorCount(), 0);
    QStringList texts;
    for (const FileProblem& found : checked->problems)
        texts.append(found.text());
    QCOMPARE(texts, (QStringList{QStringLiteral("Registro 1, posiciones 59-67 (teléfono de contacto): aviso: "
                                                "«123456789» es el número de ejemplo, no el de la persona "
                                                "de contacto."),
                                 QStringLiteral("Registro 1, posiciones 68-107 (persona de contacto): aviso: "
                                                "«PAPELLIDO SAPELLIDO NOMBRE» es el nombre de ejemplo, no "
                                                "el de la persona de contacto."),
                                 QStringLiteral("Registro 1, posiciones 176-225 (correo electrónico de la "
                                                "persona de contacto): aviso: está en blanco: la Agencia no "
                                                "podrá escribir a la persona de contacto.")}));
}

void TestDeclarationFileCheck::oldLayoutIsRefused_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("fieldsOfEachRecord");
    QTest::newRow("347") << "347" << QStringList{QStringLiteral("número de convocatoria BDNS")};
    QTest::newRow("190") << "190"
                         << QStringList{QStringLiteral("titular de la unidad de convivencia"),
                                        QStringLiteral("percepciones y retenciones por incapacidad laboral"),
                                        QStringLiteral("percepciones en especie por incapacidad laboral"),
                                        QStringLiteral("complemento de ayuda a la infancia y datos forales"),
                                        QStringLiteral("exceso de acciones de empresas emergentes"),
                                        QStringLiteral("rendimientos de la gestión de fondos"),
                                        QStringLiteral("tipos de prestaciones de la clave B.01")};
}

// A file that an older version of the program wrote: blanks where today's designs want zeros.
void TestDeclarationFileCheck::oldLayoutIsRefused() {
    QFETCH(QString, model);
    QFETCH(QStringList, fieldsOfEachRecord);
    QByteArray file = model == QLatin1String("190") ? golden190() : clean347();
    toOldLayout(file, model == QLatin1String("190")
                          ? QList<std::pair<int, int>>{{169, 169}, {256, 281}, {283, 394}}
                          : QList<std::pair<int, int>>{{300, 305}});
    const auto checked = checkDeclarationFile(file);
    QVERIFY(checked);
    QCOMPARE(checked->warningCount(), 0);
    for (int record = 2; record <= checked->recordsRead; ++record) {
        QStringList fields;
        for (const FileProblem& problem : checked->problems) {
            QCOMPARE(problem.what, QStringLiteral("hay blancos en un campo numérico"));
            if (problem.record == record)
                fields.append(problem.field);
        }
        QCOMPARE(fields, fieldsOfEachRecord);
    }
}

void TestDeclarationFileCheck::notADeclaration_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another model") << QByteArray("1180").leftJustified(500, ' ') + "\r\n";
    QTest::newRow("a text") << QByteArray("Hola\r\n");
}

void TestDeclarationFileCheck::notADeclaration() {
    QFETCH(QByteArray, content);
    QVERIFY(!checkDeclarationFile(content));
}

void TestDeclarationFileCheck::whatTheSummaryReads() {
    const auto checked = checkDeclarationFile(clean347());
    QVERIFY(checked);
    QCOMPARE(checked->model, QStringLiteral("347"));
    QCOMPARE(checked->fiscalYear, QStringLiteral("2025"));
    QCOMPARE(checked->declarantNif, QStringLiteral("Q2826000H"));
    QCOMPARE(checked->declarantName, QStringLiteral("CENTRO PUBLICO MARIA"));
    QCOMPARE(checked->declared.size(), 2);
    QCOMPARE(checked->totals, QList<qint64>{1020050});
    QCOMPARE(checked->summaryLine(),
             QStringLiteral("Registros leídos: 3; declarados: 2; errores: 0; avisos: 0."));
}

QTEST_GUILESS_MAIN(TestDeclarationFileCheck)
#include "tst_declarationfilecheck.moc"
