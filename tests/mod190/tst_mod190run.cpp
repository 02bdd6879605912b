#include "db/Clock.h"
#include "declaration/DeclarantHeader.h"
#include "mod190/Mod190Run.h"
#include "mod190/PerceptorKeys.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/ScriptedUserInterface.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTest>

namespace {

// A fixture database for Modelo 190 with its output folder.
struct Run190 {
    FixtureDatabase f;
    QString out = f.folder() + QStringLiteral("/Mdb");
    ScriptedUserInterface ui;
    ContactInputs contact = initialContactInputs();

    Run190() {
        QDir().mkpath(out);
        f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro Público María')"));
    }

    void withheld(const QString& nif, const QString& name, const QVariant& postalCode, double paid,
                  double withheld, const QString& date = QStringLiteral("2025-06-15"),
                  double withoutWithholding = 0) {
        f.native(
            QStringLiteral("insert or ignore into provedores (nif, nombre, codpost) values ('%1', '%2', %3)")
                .arg(nif, QString(name).replace(QLatin1Char('\''), QLatin1String("''")),
                     postalCode.isNull() ? QStringLiteral("null")
                                         : QStringLiteral("'%1'").arg(postalCode.toString())));
        f.addWithholding(nif, name, date, paid, withheld, withoutWithholding);
    }

    RunOutcome run() { return runModelo190(f.db(), out, contact, ui); }
    QByteArray file(const QString& name = QStringLiteral("Mod190.txt")) const {
        return readAll(out + QLatin1Char('/') + name);
    }
    bool has(const QString& object) {
        return f.db()
                   .openRecordset(QStringLiteral("select count(*) from sqlite_schema where name = ?"),
                                  {object})
                   .value(0)
                   .toInt() > 0;
    }
    QStringList lines() const { return recordLines(file()); }
};

}  // namespace

class TestMod190Run : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void keysRatesAndNames();
    void totalsAndDefaultContact();
    void telephoneAsPeopleTypeIt_data();
    void telephoneAsPeopleTypeIt();
    void emptyCentroAndLongNumber();
    void declarationIdentity_data();
    void declarationIdentity();
    void chosenKeysReachTheRecords_data();
    void chosenKeysReachTheRecords();
    void blendedRatesAreTold();
    void everyLineIsFiveHundredBytes();
    void missingPostalCodesListedOncePerEntry();
    void secondRunDeletesTheOldReview();
    void nothingToDeclareLeavesTheWorkObjects();
    void checkThatCannotRun();
    void zeroPaymentWithWithholding();
    void negativeWithholdingIsListedForReview();
    void unwritableFolderIsNoSuccess();
    void failedRunKeepsThePreviousFile();
};

void TestMod190Run::keysRatesAndNames() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Gómez Ruiz, Ángel (Hnos.)"),
               QStringLiteral("28001"), 1000, 150);
    r.withheld(QStringLiteral("22222222J"), QStringLiteral("Siete por ciento"), QStringLiteral("08001"), 1000,
               70);
    r.withheld(QStringLiteral("33333333P"), QStringLiteral("Uno por ciento"), QStringLiteral("41001"), 1000,
               10);
    r.withheld(QStringLiteral("44444444A"), QStringLiteral("Diecinueve"), QStringLiteral("46001"), 1000, 190);
    r.withheld(QStringLiteral("55555555K"), QStringLiteral("Dos por ciento"), QStringLiteral("50001"), 1000,
               20);
    r.withheld(QStringLiteral("66666666Q"), QStringLiteral("Ceuta quince"), QStringLiteral("51001"), 2000,
               300);
    r.withheld(QStringLiteral("77777777B"), QStringLiteral("Ceuta siete"), QStringLiteral("51002"), 2000,
               140);
    r.withheld(QStringLiteral("88888888Y"), QStringLiteral("Blancos"), QStringLiteral("   "), 500, 75);
    r.withheld(QStringLiteral("99999999R"), QStringLiteral("Corto"), QStringLiteral("5"), 500, 75);
    r.withheld(QStringLiteral("X1234567L"), QStringLiteral("Solo sin retención"), QStringLiteral("28002"), 0,
               0, QStringLiteral("2025-02-02"), 800);
    r.withheld(QStringLiteral("12345678Z"), QStringLiteral("Pago negativo"), QStringLiteral("28003"), -300,
               -45);
    // Other years are not declared.
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Gómez Ruiz, Ángel (Hnos.)"),
               QStringLiteral("28001"), 5000, 750, QStringLiteral("2024-12-31"));
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Gómez Ruiz, Ángel (Hnos.)"),
               QStringLiteral("28001"), 5000, 750, QStringLiteral("2026-01-01"));
    r.contact.telephone = QStringLiteral("912345678");
    r.contact.contactPerson = QStringLiteral("Núñez (Ana)");
    r.contact.declarationNumber = QStringLiteral("12345");
    r.contact.email = QStringLiteral("ana.nunez@centro.es");

    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::FileWritten);
    QVERIFY(outcome.endsProgram);
    QCOMPARE(r.contact.contactPerson, QStringLiteral("NUÑEZ ANA"));
    QString why;
    QVERIFY2(matchesGolden(r.file(), QStringLiteral("mod190"), QStringLiteral("keys-rates-names.txt"), &why),
             qPrintable(why));

    const QStringList lines = r.lines();
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0].mid(67, 40), QStringLiteral("NU\xD1"
                                                  "EZ ANA")
                                       .leftJustified(40));
    QCOMPARE(lines[0].mid(107, 13), QStringLiteral("1900000012345"));
    const auto line = [&](const QString& nif) {
        for (const QString& l : lines)
            if (l.mid(17, 9) == nif)
                return l;
        return QString();
    };
    QCOMPARE(line(QStringLiteral("11111111H")).mid(35, 40),
             QStringLiteral("GOMEZ RUIZ, ANGEL HNOS.").leftJustified(40));
    QCOMPARE(line(QStringLiteral("11111111H")).mid(77, 3), QStringLiteral("F02"));
    QCOMPARE(line(QStringLiteral("22222222J")).mid(77, 3), QStringLiteral("G03"));
    QCOMPARE(line(QStringLiteral("33333333P")).mid(77, 3), QStringLiteral("H04"));
    QCOMPARE(line(QStringLiteral("44444444A")).mid(77, 3), QStringLiteral("F02"));
    QCOMPARE(line(QStringLiteral("55555555K")).mid(77, 3), QStringLiteral("F02"));
    QCOMPARE(line(QStringLiteral("66666666Q")).mid(151, 1), QStringLiteral("1"));
    QCOMPARE(line(QStringLiteral("77777777B")).mid(151, 1), QStringLiteral("0"));
    QCOMPARE(line(QStringLiteral("11111111H")).mid(151, 1), QStringLiteral("0"));
    QCOMPARE(line(QStringLiteral("88888888Y")).mid(75, 2), QStringLiteral("  "));
    QCOMPARE(line(QStringLiteral("99999999R")).mid(75, 2), QStringLiteral("05"));
    QVERIFY(line(QStringLiteral("0X1234567L").right(9)).isEmpty());
    QVERIFY(line(QStringLiteral("12345678Z")).isEmpty());
    QCOMPARE(line(QStringLiteral("11111111H")).mid(81, 26), QStringLiteral("00000001000000000000015000"));
    QVERIFY(!r.has(QStringLiteral("tmptb190")));
    QVERIFY(!r.has(QStringLiteral("tmp190")));
    QCOMPARE(r.ui.messages.last().title, QStringLiteral("PROCESO TERMINADO"));
    QCOMPARE(r.ui.messages.last().text, QStringLiteral("Fichero : ") + r.out + QStringLiteral("/Mod190.txt"));
    QCOMPARE(r.ui.messages.last().icon, MessageIcon::None);
}

void TestMod190Run::totalsAndDefaultContact() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Primero"), QStringLiteral("28001"), 600, 90);
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Primero"), QStringLiteral("28001"), 400, 60);
    r.withheld(QStringLiteral("22222222J"), QStringLiteral("Segundo"), QStringLiteral("28001"), 2500.50,
               375.08);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QString why;
    QVERIFY2(
        matchesGolden(r.file(), QStringLiteral("mod190"), QStringLiteral("totals-default-contact.txt"), &why),
        qPrintable(why));
    const QString first = r.lines().first();
    QCOMPARE(first.mid(135, 9), QStringLiteral("000000002"));
    QCOMPARE(first.mid(144, 1), QStringLiteral(" "));
    QCOMPARE(first.mid(145, 15), QStringLiteral("000000000350050"));
    QCOMPARE(first.mid(160, 15), QStringLiteral("000000000052508"));
    QCOMPARE(first.mid(58, 49), QStringLiteral("123456789PAPELLIDO SAPELLIDO NOMBRE              "));
    QCOMPARE(first.mid(107, 13), QStringLiteral("1900000000001"));
    QCOMPARE(first.mid(17, 40), QStringLiteral("CENTRO PUBLICO MARIA").leftJustified(40));
    QCOMPARE(r.contact.contactPerson, QStringLiteral("PAPELLIDO SAPELLIDO NOMBRE"));
}

void TestMod190Run::telephoneAsPeopleTypeIt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::newRow("spaces") << "957 123 456"
                            << "957123456";
    QTest::newRow("hyphens") << "957-12-34-56"
                             << "957123456";
    QTest::newRow("dots, slashes and brackets") << "(957) 12.34/56"
                                                << "957123456";
    QTest::newRow("more than nine digits are cut") << "957 123 456 7"
                                                   << "957123456";
}

void TestMod190Run::telephoneAsPeopleTypeIt() {
    QFETCH(QString, typed);
    QFETCH(QString, field);
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Primero"), QStringLiteral("28001"), 600, 90);
    r.contact.telephone = typed;
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QCOMPARE(r.lines().first().mid(58, 9), field);
    QVERIFY(r.contact.telephone.startsWith(field));  // the box shows what the file holds
}

void TestMod190Run::emptyCentroAndLongNumber() {
    Run190 r;
    r.f.native(QStringLiteral("delete from Centro"));
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Primero"), QStringLiteral("28001"), 1000, 150);
    r.contact.declarationNumber = QStringLiteral("123456789012345");
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QString why;
    QVERIFY2(matchesGolden(r.file(), QStringLiteral("mod190"), QStringLiteral("empty-centre-long-number.txt"),
                           &why),
             qPrintable(why));
    const QStringList lines = r.lines();
    QCOMPARE(lines[0].mid(8, 49), QStringLiteral("000000000") + QString(40, QLatin1Char(' ')));
    QCOMPARE(lines[0].mid(107, 13), QStringLiteral("1906789012345"));
    QCOMPARE(lines[1].mid(8, 9), QStringLiteral("000000000"));
}

void TestMod190Run::declarationIdentity_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QByteArray>("positions108To135");  // empty when the run is refused
    const auto normal = static_cast<int>(DeclarationKind::Normal);
    const auto complementary = static_cast<int>(DeclarationKind::Complementary);
    const auto substitutive = static_cast<int>(DeclarationKind::Substitutive);
    QTest::newRow("normal, the default number") << normal << "0000000001"
                                                << "" << QByteArray("1900000000001  0000000000000");
    QTest::newRow("complementary") << complementary << "0000000002"
                                   << "1900000000001" << QByteArray("1900000000002C 1900000000001");
    QTest::newRow("complementary of another model's number") << complementary << "0000000002"
                                                             << "3470000000001" << QByteArray();
    QTest::newRow("substitutive") << substitutive << "0000000002"
                                  << "1900000000001" << QByteArray("1900000000002 S1900000000001");
    QTest::newRow("substitutive of 11 digits") << substitutive << "2"
                                               << "19000000001" << QByteArray();
    QTest::newRow("substitutive of itself") << substitutive << "1"
                                            << "1900000000001" << QByteArray();
    QTest::newRow("5 digits typed") << normal << "12345"
                                    << "" << QByteArray("1900000012345  0000000000000");
    QTest::newRow("10 digits typed") << normal << "1234567890"
                                     << "" << QByteArray("1901234567890  0000000000000");
    QTest::newRow("13 digits typed as before") << normal << "1901234567890"
                                               << "" << QByteArray("1901234567890  0000000000000");
    QTest::newRow("15 digits typed") << normal << "123456789012345"
                                     << "" << QByteArray("1906789012345  0000000000000");
}

// The declaration's own number after the model's code, and the number of the one it adds to or replaces;
// a number before that cannot be is refused before any file is touched.
void TestMod190Run::declarationIdentity() {
    QFETCH(int, kind);
    QFETCH(QString, number);
    QFETCH(QString, previous);
    QFETCH(QByteArray, positions108To135);
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("28001"), 1000, 150);
    QVERIFY(writeAll(r.out + QStringLiteral("/Mod190.txt"), "earlier\r\n"));
    r.contact.declarationNumber = number;
    r.contact.kind = static_cast<DeclarationKind>(kind);
    r.contact.previousNumber = previous;
    const RunOutcome outcome = r.run();
    if (positions108To135.isEmpty()) {
        QCOMPARE(outcome.result, RunResult::BadInput);
        QVERIFY(!outcome.endsProgram);
        QCOMPARE(r.ui.messages.size(), 1);
        QVERIFY(r.ui.messages[0].text.startsWith(QStringLiteral("El número de la declaración anterior")));
        QCOMPARE(r.file(), QByteArray("earlier\r\n"));
        return;
    }
    QCOMPARE(outcome.result, RunResult::FileWritten);
    QCOMPARE(r.file().mid(107, 28), positions108To135);
}

void TestMod190Run::chosenKeysReachTheRecords_data() {
    QTest::addColumn<QStringList>("choices");  // NIF=KEY chooses, NIF= goes back to the rates' key
    QTest::addColumn<QStringList>("keys");     // of 11111111H (15 %), 22222222J (7 %) and 51 (Ceuta, 15 %)
    const auto texts = [](std::initializer_list<const char*> items) {
        QStringList list;
        for (const char* item : items)
            list.append(QString::fromLatin1(item));
        return list;
    };
    QTest::newRow("none") << QStringList() << texts({"F02", "G03", "F02"});
    QTest::newRow("a lawyer at 15 % and a prize")
        << texts({"11111111H=G01", "22222222J=K01"}) << texts({"G01", "K01", "F02"});
    QTest::newRow("chosen, then cleared")
        << texts({"11111111H=G01", "11111111H="}) << texts({"F02", "G03", "F02"});
    QTest::newRow("in Ceuta, another key than F02")
        << texts({"66666666Q=G01"}) << texts({"F02", "G03", "G01"});
}

// The key chosen for a perceptor is its record's; Ceuta or Melilla keeps its mark only with F02.
void TestMod190Run::chosenKeysReachTheRecords() {
    QFETCH(QStringList, choices);
    QFETCH(QStringList, keys);
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("28001"), 1000, 150);
    r.withheld(QStringLiteral("22222222J"), QStringLiteral("Dos"), QStringLiteral("08001"), 1000, 70);
    r.withheld(QStringLiteral("66666666Q"), QStringLiteral("Ceuta"), QStringLiteral("51001"), 2000, 300);
    for (const QString& choice : choices) {
        const QString nif = choice.section(QLatin1Char('='), 0, 0);
        const QString key = choice.section(QLatin1Char('='), 1);
        if (key.isEmpty())
            PerceptorKeys::clear(r.f.db(), nif);
        else
            PerceptorKeys::choose(r.f.db(), nif, key);
    }
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QMap<QString, QString> byNif;
    QString ceutaMark;
    for (const QString& line : r.lines().mid(1)) {
        byNif.insert(line.mid(17, 9), line.mid(77, 3));
        if (line.mid(17, 9) == QLatin1String("66666666Q"))
            ceutaMark = line.mid(151, 1);
    }
    QCOMPARE(byNif.values(), keys);
    QCOMPARE(ceutaMark, keys[2] == QLatin1String("F02") ? QStringLiteral("1") : QStringLiteral("0"));
}

// One perceptor paid at 15 % and at 7 % in the year: one record at the rate of the sum, and a warning.
void TestMod190Run::blendedRatesAreTold() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("28001"), 1000, 150);
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("28001"), 1000, 70,
               QStringLiteral("2025-09-01"));
    r.withheld(QStringLiteral("22222222J"), QStringLiteral("Dos"), QStringLiteral("08001"), 1000, 70);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("CLAVES DE PERCEPCIÓN"));
    QVERIFY2(r.ui.messages[0].text.endsWith(QStringLiteral(
                 "\r\n\r\n11111111H Uno: retenciones a tipos distintos (15 % y 7 %): revise su clave")),
             qPrintable(r.ui.messages[0].text));
    QCOMPARE(r.lines().size(), 3);
    QCOMPARE(r.lines()[2].mid(17, 9), QStringLiteral("11111111H"));
    QCOMPARE(r.lines()[2].mid(77, 3), QStringLiteral("F02"));  // 11 % is in no range
}

void TestMod190Run::everyLineIsFiveHundredBytes() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Ñandú 😀 ‘Comillas’ €uros ª"),
               QStringLiteral("28001"), 1000, 150);
    r.withheld(QStringLiteral("22222222J"), QString(60, QChar(0x00E1)), QStringLiteral("28001"), 1000, 150);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    const QByteArray file = r.file();
    QVERIFY(file.endsWith("\r\n"));
    const QList<QByteArray> lines = file.split('\n');
    QCOMPARE(lines.size(), 4);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(lines[i].size(), 501);
        QVERIFY(lines[i].endsWith('\r'));
    }
    // Upper-cased, then normalized: the accented capitals lose their accent.
    QCOMPARE(lines[1].mid(35, 40), QByteArray(40, 'A'));
    QCOMPARE(lines[2].mid(35, 40), QByteArray("\xD1"
                                              "ANDU ? \x91"
                                              "COMILLAS\x92 \x80"
                                              "UROS .")
                                       .leftJustified(40, ' '));
}

void TestMod190Run::missingPostalCodesListedOncePerEntry() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Sin código"), {}, 1000, 150);
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Sin código"), {}, 500, 75,
               QStringLiteral("2025-09-01"));
    r.withheld(QStringLiteral("1234567L"), QStringLiteral("Vacío (SL)"), QStringLiteral(""), 500, 75);
    r.withheld(QStringLiteral("22222222J"), QStringLiteral("Con código"), QStringLiteral("28001"), 500, 75);
    r.withheld(QStringLiteral("33333333P"), QStringLiteral("Otro año"), {}, 500, 75,
               QStringLiteral("2024-09-01"));
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::DataToCorrect);
    QVERIFY(!outcome.endsProgram);
    QCOMPARE(r.file(QStringLiteral("ErrorCP.txt")),
             QByteArray("Falta el C\xF3"
                        "digo Postal de los siguientes retenidos\r\n"
                        "--------------------------------------------------\r\n"
                        "11111111H     Sin c\xF3"
                        "digo\r\n"
                        "11111111H     Sin c\xF3"
                        "digo\r\n"
                        "1234567L      Vac\xED"
                        "o (SL)\r\n"));
    QCOMPARE(r.ui.messages.size(), 1);
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("A T E N C I Ó N"));
    QCOMPARE(r.ui.messages[0].icon, MessageIcon::Exclamation);
    QCOMPARE(r.ui.messages[0].text,
             QStringLiteral("El fichero ") + r.out +
                 QStringLiteral("/ErrorCP.txt\r\nle informa de errores que ha de corregir\r\n para "
                                "poder continuar"));
    QVERIFY(r.file().isNull());
    QVERIFY(!r.has(QStringLiteral("tmp190")));
}

void TestMod190Run::secondRunDeletesTheOldReview() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Sin código"), {}, 1000, 150);
    QCOMPARE(r.run().result, RunResult::DataToCorrect);
    QVERIFY(!r.file(QStringLiteral("ErrorCP.txt")).isEmpty());
    r.f.native(QStringLiteral("update provedores set codpost = '28001'"));
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/ErrorCP.txt")));
}

void TestMod190Run::nothingToDeclareLeavesTheWorkObjects() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Solo sin retención"), QStringLiteral("28001"), 0,
               0, QStringLiteral("2025-06-01"), 900);
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::NothingToDeclare);
    QVERIFY(outcome.endsProgram);
    QCOMPARE(r.ui.messages.size(), 1);
    QCOMPARE(r.ui.messages[0].text, QStringLiteral("No hay retenciones"));
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("A T E N C I Ó N"));
    QCOMPARE(r.ui.messages[0].icon, MessageIcon::Information);
    QVERIFY(r.has(QStringLiteral("tmptb190")));
    QVERIFY(r.has(QStringLiteral("tmp190")));
    // The next run replaces them.
    r.withheld(QStringLiteral("22222222J"), QStringLiteral("Con retención"), QStringLiteral("28001"), 100,
               15);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QVERIFY(!r.has(QStringLiteral("tmptb190")));
}

void TestMod190Run::checkThatCannotRun() {
    Run190 r;
    r.f.native(QStringLiteral("drop view qryIRPF"));
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::Failed);
    QVERIFY(!outcome.endsProgram);
    QCOMPARE(r.ui.messages.size(), 1);
    QVERIFY(r.ui.messages[0].text.contains(QLatin1String("qryIRPF")));
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/ErrorCP.txt")));
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/Mod190.txt")));
}

void TestMod190Run::zeroPaymentWithWithholding() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Pago cero"), QStringLiteral("28001"), 0, 15);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    const QStringList lines = r.lines();
    QCOMPARE(lines.size(), 2);
    // The rate cannot be computed: the row keeps its provisional key.
    QCOMPARE(lines[1].mid(77, 30), QStringLiteral("F02 00000000000000000000001500"));
}

void TestMod190Run::negativeWithholdingIsListedForReview() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Devolución"), QStringLiteral("28001"), 100, 15);
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Devolución"), QStringLiteral("28001"), 50, -40);
    r.withheld(QStringLiteral("22222222J"), QStringLiteral("Correcto"), QStringLiteral("28001"), 100, 15);
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::DataToCorrect);
    QVERIFY(!outcome.endsProgram);
    QCOMPARE(r.file(QStringLiteral("ErrorRetenciones.txt")),
             QByteArray("La retenci\xF3"
                        "n total de los siguientes perceptores es negativa\r\n"
                        "--------------------------------------------------\r\n"
                        "11111111H     Devoluci\xF3"
                        "n\r\n"));
    QVERIFY(r.file().isNull());
    r.f.native(QStringLiteral("delete from Irpf where irp < 0"));
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/ErrorRetenciones.txt")));
}

void TestMod190Run::unwritableFolderIsNoSuccess() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Primero"), QStringLiteral("28001"), 1000, 150);
    r.out = r.f.folder() + QStringLiteral("/NoMdb");
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::Failed);
    QVERIFY(outcome.endsProgram);
    for (const auto& message : std::as_const(r.ui.messages))
        QVERIFY(message.title != QLatin1String("PROCESO TERMINADO"));
    QVERIFY(r.ui.messages.last().text.contains(QLatin1String("NoMdb/Mod190.txt")));
    QVERIFY(!r.has(QStringLiteral("tmptb190")));
}

// A run that stops once its file exists removes it, together with an older one.
void TestMod190Run::failedRunKeepsThePreviousFile() {
    Run190 r;
    r.withheld(QStringLiteral("11111111H"), QStringLiteral("Primero"), QStringLiteral("28001"), 1000, 150);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    const QByteArray previous = r.file();
    r.f.db().deleteTable(QStringLiteral("Centro"));
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::Failed);
    QVERIFY(r.ui.messages.last().text.startsWith(
        QStringLiteral("No se ha podido generar el registro del declarante.")));
    QCOMPARE(r.file(), previous);
    QCOMPARE(QDir(r.out).entryList({QStringLiteral("Mod190*")}, QDir::Files),
             QStringList{QStringLiteral("Mod190.txt")});
}

QTEST_GUILESS_MAIN(TestMod190Run)
#include "tst_mod190run.moc"
