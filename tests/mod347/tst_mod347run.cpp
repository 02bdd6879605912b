#include "db/Clock.h"
#include "mod347/Mod347Run.h"
#include "mod347/OperationsExtraction.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/ScriptedUserInterface.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// A fixture database for Modelo 347, loaded as the window loads it.
struct Run347 {
    FixtureDatabase f;
    QString out = f.folder() + QStringLiteral("/Mdb");
    ScriptedUserInterface ui;
    ContactInputs contact = initialContactInputs();
    std::unique_ptr<Database> AccountsDb;
    std::optional<Modelo347Session> session;

    Run347() {
        QDir().mkpath(out);
        f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro Público María')"));
    }

    void supplier(const QString& nif, const QString& name, const QVariant& postalCode) {
        f.addSupplier(nif, name, postalCode);
    }
    void entry(const QString& nif, double amount, const QString& invoiced, const QString& paid = QString(),
               const QVariant& group = {}) {
        f.addEntry(nif, amount, invoiced, paid, group);
    }
    Modelo347Load load() {
        const Modelo347Load result = loadModelo347(f.path(), kInitialThreshold, AccountsDb, ui);
        if (result == Modelo347Load::Ready)
            session.emplace(Modelo347Session{*AccountsDb, out});
        return result;
    }
    void setCashBasis(const QString& nif, const QString& flag) {
        AccountsDb->execute(QStringLiteral("update provedores set IVACC = ? where nif = ?"), {flag, nif});
    }
    RunOutcome run(const QString& threshold = kInitialThreshold) {
        return runModelo347(*session, threshold, contact, ui);
    }
    QByteArray file(const QString& name = QStringLiteral("Mod347.txt")) const {
        return readAll(out + QLatin1Char('/') + name);
    }
    QStringList lines() const { return recordLines(file()); }
    QString line(const QString& nameStart) const {
        for (const QString& l : lines())
            if (l.startsWith(QLatin1Char('2')) && l.mid(35).startsWith(nameStart))
                return l;
        return QString();
    }
    QVariant single(const QString& sql) { return AccountsDb->openRecordset(sql).value(0); }
    /** Contact data in place of the windows' examples, for a file that passes its own check. */
    void realContact() {
        contact.telephone = QStringLiteral("915550123");
        contact.contactPerson = QStringLiteral("Garcia Lopez Ana");
    }
};

}  // namespace

class TestMod347Run : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void declaredRecords();
    void negativeAmounts();
    void quartersAddUpToTheYear();
    void runChecksItsOwnFile_data();
    void runChecksItsOwnFile();
    void cleanRunRemovesAnOlderCheckList();
    void everyLineIsFiveHundredBytes();
    void thresholdText_data();
    void thresholdText();
    void editedThresholdSelectsAgain();
    void missingPostalCodeStopsBeforeTheIdentifiers();
    void doubtfulIdentifiersAndTheQuestion_data();
    void doubtfulIdentifiersAndTheQuestion();
    void cleanRunDeletesTheIdentifierReview();
    void secondRunReplacesTheFile();
    void nothingAboveTheThresholdAtLoad();
    void loadPreparesTheDatabaseOnce();
    void stoppedRunKeepsThePreviousFile_data();
    void stoppedRunKeepsThePreviousFile();
};

void TestMod347Run::declaredRecords() {
    Run347 r;
    r.supplier(QStringLiteral("B1234567"), QStringLiteral("Papelería Sur"), QStringLiteral("28001"));
    r.entry(QStringLiteral("B1234567"), 4000, QStringLiteral("2025-03-01"));
    r.supplier(QStringLiteral("fr123456789"), QStringLiteral("Fournitures de Paris"),
               QStringLiteral("99000"));
    r.entry(QStringLiteral("fr123456789"), 5000, QStringLiteral("2025-07-01"));
    r.supplier(QStringLiteral("B12345674"), QStringLiteral("Limpiezas Ñandú, S.L.\r\n(sucursal)"),
               QStringLiteral("41001"));
    r.entry(QStringLiteral("B12345674"), 3100, QStringLiteral("2025-05-01"));
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Ordinario"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 1000.00, QStringLiteral("2025-02-10"));
    r.entry(QStringLiteral("A00000000"), 3500.10, QStringLiteral("2025-11-20"));
    r.entry(QStringLiteral("A00000000"), 777, QStringLiteral("2024-11-20"));  // another year
    r.supplier(QStringLiteral("12345678Z"), QStringLiteral("Caja (criterio de caja)"),
               QStringLiteral("46001"));
    r.entry(QStringLiteral("12345678Z"), 4000, QStringLiteral("2025-06-01"), QStringLiteral("2026-01-15"));
    r.entry(QStringLiteral("12345678Z"), 2500, QStringLiteral("2024-12-01"), QStringLiteral("2025-01-15"));
    r.entry(QStringLiteral("12345678Z"), 1200, QStringLiteral("2025-02-01"), QStringLiteral("2025-02-15"));
    r.supplier(QStringLiteral("A0000000J"), QStringLiteral("Minúscula"), QStringLiteral("50001"));
    r.entry(QStringLiteral("A0000000J"), 3200.55, QStringLiteral("2025-09-09"));
    r.supplier(QStringLiteral("B1234567D"), QStringLiteral("Provincia corta"), QStringLiteral("5"));
    r.entry(QStringLiteral("B1234567D"), 3005.07, QStringLiteral("2025-12-31"));
    r.supplier(QStringLiteral("Q2826000H"), QStringLiteral("Igual al tope"), QStringLiteral("28002"));
    r.entry(QStringLiteral("Q2826000H"), 3005.06, QStringLiteral("2025-04-04"));
    r.supplier(QStringLiteral("S1234567D"), QStringLiteral("Grupo negativo"), QStringLiteral("28003"));
    r.entry(QStringLiteral("S1234567D"), 9000, QStringLiteral("2025-04-04"));
    r.entry(QStringLiteral("S1234567D"), 10, QStringLiteral("2025-04-05"), QString(), -1);
    r.supplier(QStringLiteral("X1234567L"), QStringLiteral("Con línea de IVA"), QStringLiteral("28004"));
    r.entry(QStringLiteral("X1234567L"), 3000, QStringLiteral("2025-10-04"), QString(), 0);
    r.entry(QStringLiteral("X1234567L"), 630, QStringLiteral("2025-10-04"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    const QString vatLine = r.single(QStringLiteral("select iu from TdApt where cantidad = 630")).toString();
    r.AccountsDb->execute(
        QStringLiteral("insert into IVA (iuprincipal, iuiva, nif) values ('1', ?, 'X1234567L')"), {vatLine});
    r.setCashBasis(QStringLiteral("12345678Z"), QStringLiteral("S"));
    r.setCashBasis(QStringLiteral("A0000000J"), QStringLiteral("s"));
    // The selection was made at load, before the VAT line was listed: make it again as a new opening would.
    QVERIFY(SelectOperations(*r.AccountsDb, kInitialThreshold, r.ui));
    r.ui.answers = {MessageAnswer::Yes};

    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::FileWritten);
    QString why;
    QVERIFY2(matchesGolden(r.file(), QStringLiteral("mod347"), QStringLiteral("declared-records.txt"), &why),
             qPrintable(why));

    const QStringList lines = r.lines();
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0].mid(135, 9), QStringLiteral("000000007"));  // the type 2 records that follow
    QCOMPARE(lines[0].mid(107, 13), QStringLiteral("3470000000001"));
    QCOMPARE(r.line(QStringLiteral("PAPELERIA")).mid(17, 9), QStringLiteral("0B1234567"));
    QCOMPARE(r.line(QStringLiteral("PAPELERIA")).mid(78, 2), QStringLiteral("  "));
    QCOMPARE(r.line(QStringLiteral("FOURNITURES")).mid(17, 9), QString(9, QLatin1Char(' ')));
    QCOMPARE(r.line(QStringLiteral("FOURNITURES")).mid(76, 4), QStringLiteral("99FR"));
    QCOMPARE(r.line(QStringLiteral("LIMPIEZAS")).mid(35, 40), QStringLiteral("LIMPIEZAS \xD1"
                                                                             "ANDU, S.L.")
                                                                  .leftJustified(40));
    const QString ordinary = r.line(QStringLiteral("ORDINARIO"));
    QCOMPARE(ordinary.mid(83, 15), QStringLiteral("000000000450010"));
    QCOMPARE(ordinary.mid(136, 15), QStringLiteral("000000000100000"));
    QCOMPARE(ordinary.mid(168, 15), QStringLiteral("000000000000000"));
    QCOMPARE(ordinary.mid(200, 15), QStringLiteral("000000000000000"));
    QCOMPARE(ordinary.mid(232, 15), QStringLiteral("000000000350010"));
    QCOMPARE(ordinary.mid(280, 1), QStringLiteral(" "));
    QCOMPARE(ordinary.mid(283, 16), QStringLiteral(" 000000000000000"));
    const QString cashBasis = r.line(QStringLiteral("CAJA CRITERIO"));
    QCOMPARE(cashBasis.mid(83, 15), QStringLiteral("000000000520000"));
    QCOMPARE(cashBasis.mid(136, 15), QStringLiteral("000000000000000"));
    QCOMPARE(cashBasis.mid(280, 1), QStringLiteral("X"));
    QCOMPARE(cashBasis.mid(284, 15), QStringLiteral("000000000370000"));
    const QString lowerCase = r.line(QStringLiteral("MINUSCULA"));
    QCOMPARE(lowerCase.mid(136, 15), QStringLiteral("000000000000000"));
    QCOMPARE(lowerCase.mid(280, 1), QStringLiteral(" "));
    QCOMPARE(lowerCase.mid(284, 15), QStringLiteral("000000000320055"));
    QCOMPARE(r.line(QStringLiteral("PROVINCIA CORTA")).mid(76, 2), QStringLiteral("05"));
    QVERIFY(r.line(QStringLiteral("IGUAL AL TOPE")).isEmpty());
    QVERIFY(r.line(QStringLiteral("GRUPO NEGATIVO")).isEmpty());
    const QString vat = r.line(QStringLiteral("CON LINEA"));
    QVERIFY(vat.isEmpty());  // 3000 without its VAT line is below the threshold
}

void TestMod347Run::negativeAmounts() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Abono"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), -1500.25, QStringLiteral("2025-02-10"));
    r.entry(QStringLiteral("A00000000"), 5000, QStringLiteral("2025-05-10"));
    r.supplier(QStringLiteral("B12345674"), QStringLiteral("Devoluciones"), QStringLiteral("08002"));
    r.entry(QStringLiteral("B12345674"), -700, QStringLiteral("2025-08-10"));
    r.supplier(QStringLiteral("12345678Z"), QStringLiteral("Ventas"), QStringLiteral("08003"));
    r.entry(QStringLiteral("12345678Z"), 6000, QStringLiteral("2025-08-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    r.setCashBasis(QStringLiteral("B12345674"), QStringLiteral("X"));
    // A negative yearly amount reaches the file only from a selection below zero, a threshold that the
    // box refuses: the selection is made here directly.
    QVERIFY(SelectOperations(*r.AccountsDb, QStringLiteral("-1000"), r.ui));
    r.session->selectionThreshold = QStringLiteral("0");
    QCOMPARE(r.run(QStringLiteral("0")).result, RunResult::FileWritten);
    QString why;
    QVERIFY2(matchesGolden(r.file(), QStringLiteral("mod347"), QStringLiteral("negative-amounts.txt"), &why),
             qPrintable(why));
    const QString credit = r.line(QStringLiteral("ABONO"));
    QCOMPARE(credit.mid(82, 16), QStringLiteral(" 000000000349975"));
    QCOMPARE(credit.mid(135, 16), QStringLiteral("N000000000150025"));
    QCOMPARE(credit.mid(167, 16), QStringLiteral(" 000000000500000"));
    const QString refunds = r.line(QStringLiteral("DEVOLUCIONES"));
    QCOMPARE(refunds.mid(82, 16), QStringLiteral("N000000000070000"));
    QCOMPARE(refunds.mid(283, 16), QStringLiteral("N000000000070000"));
}

// The quarters break the yearly amount down: the same entries, whatever their time of day.
void TestMod347Run::quartersAddUpToTheYear() {
    Run347 r;
    r.supplier(QStringLiteral("B12345674"), QStringLiteral("Trimestres"), QStringLiteral("28001"));
    r.entry(QStringLiteral("B12345674"), 1000, QStringLiteral("2025-01-15"));
    r.entry(QStringLiteral("B12345674"), 210, QStringLiteral("2025-01-15"));  // its VAT line
    r.entry(QStringLiteral("B12345674"), 500.25, QStringLiteral("2025-03-31 10:00:00"));
    r.entry(QStringLiteral("B12345674"), 800, QStringLiteral("2025-06-30 23:59:59"), QString(), 0);
    r.entry(QStringLiteral("B12345674"), 1200.10, QStringLiteral("2025-07-01"));
    r.entry(QStringLiteral("B12345674"), 900.65, QStringLiteral("2025-12-31 18:30:00"));
    r.entry(QStringLiteral("B12345674"), 77, QStringLiteral("2024-12-31 23:00:00"));
    r.entry(QStringLiteral("B12345674"), 88, QStringLiteral("2026-01-01 00:00:00"));
    // Fractions of a cent: each quarter alone would round up, the year only once.
    r.supplier(QStringLiteral("X1234567L"), QStringLiteral("Fracciones"), QStringLiteral("28002"));
    r.entry(QStringLiteral("X1234567L"), 1000.005, QStringLiteral("2025-02-01"));
    r.entry(QStringLiteral("X1234567L"), 2500.005, QStringLiteral("2025-05-01"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    const QString vatLine = r.single(QStringLiteral("select iu from TdApt where cantidad = 210")).toString();
    r.AccountsDb->execute(
        QStringLiteral("insert into IVA (iuprincipal, iuiva, nif) values ('1', ?, 'B12345674')"), {vatLine});
    QVERIFY(SelectOperations(*r.AccountsDb, kInitialThreshold, r.ui));
    r.realContact();

    QCOMPARE(r.run().result, RunResult::FileWritten);
    QString why;
    QVERIFY2(matchesGolden(r.file(), QStringLiteral("mod347"), QStringLiteral("quarters-add-up.txt"), &why),
             qPrintable(why));
    const QString quarters = r.line(QStringLiteral("TRIMESTRES"));
    QCOMPARE(quarters.mid(82, 16), QStringLiteral(" 000000000440100"));
    QCOMPARE(quarters.mid(135, 16), QStringLiteral(" 000000000150025"));
    QCOMPARE(quarters.mid(167, 16), QStringLiteral(" 000000000080000"));
    QCOMPARE(quarters.mid(199, 16), QStringLiteral(" 000000000120010"));
    QCOMPARE(quarters.mid(231, 16), QStringLiteral(" 000000000090065"));
    const QString fractions = r.line(QStringLiteral("FRACCIONES"));
    QCOMPARE(fractions.mid(83, 15), QStringLiteral("000000000350001"));
    QCOMPARE(fractions.mid(136, 15), QStringLiteral("000000000100001"));
    QCOMPARE(fractions.mid(168, 15), QStringLiteral("000000000250000"));
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/Comprobacion347.txt")));  // the run's own check
}

void TestMod347Run::runChecksItsOwnFile_data() {
    QTest::addColumn<QString>("telephone");
    QTest::addColumn<QString>("person");
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("closing");
    QTest::newRow("real contact") << "915550123"
                                  << "Garcia Lopez Ana" << QStringList() << QString() << QString();
    QTest::newRow("example contact")
        << "123456789"
        << "Papellido Sapellido Nombre"
        << QStringList{QStringLiteral(
                           "Registro 1, posiciones 59-67 (teléfono de contacto): aviso: "
                           "«123456789» es el número de ejemplo, no el de la persona de contacto."),
                       QStringLiteral(
                           "Registro 1, posiciones 68-107 (persona de contacto): aviso: «PAPELLIDO "
                           "SAPELLIDO NOMBRE» es el nombre de ejemplo, no el de la persona de "
                           "contacto.")}
        << "0 errores y 2 avisos"
        << "Registros leídos: 2; declarados: 1; errores: 0; avisos: 2.";
    QTest::newRow("telephone with letters")
        << "95A 123 456"
        << "Garcia Lopez Ana"
        << QStringList{QStringLiteral("Registro 1, posiciones 59-67 (teléfono de contacto): error: "
                                      "«95A123456» no son solo cifras.")}
        << "1 error y 0 avisos"
        << "Registros leídos: 2; declarados: 1; errores: 1; avisos: 0.";
    QTest::newRow("no contact person")
        << "915550123"
        << ""
        << QStringList{QStringLiteral("Registro 1, posiciones 68-107 (persona de contacto): error: está en "
                                      "blanco.")}
        << "1 error y 0 avisos"
        << "Registros leídos: 2; declarados: 1; errores: 1; avisos: 0.";
}

void TestMod347Run::runChecksItsOwnFile() {
    QFETCH(QString, telephone);
    QFETCH(QString, person);
    QFETCH(QStringList, problems);
    QFETCH(QString, counts);
    QFETCH(QString, closing);
    Run347 r;
    r.supplier(QStringLiteral("B12345674"), QStringLiteral("Uno"), QStringLiteral("08001"));
    r.entry(QStringLiteral("B12345674"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    r.contact.telephone = telephone;
    r.contact.contactPerson = person;
    QCOMPARE(r.run().result, RunResult::FileWritten);

    const QString list = r.out + QStringLiteral("/Comprobacion347.txt");
    QCOMPARE(r.ui.messages.last().title, QStringLiteral("PROCESO TERMINADO"));
    if (problems.isEmpty()) {
        QCOMPARE(r.ui.messages.size(), 1);
        QVERIFY(!QFile::exists(list));
        return;
    }
    QCOMPARE(r.ui.messages.size(), 2);
    const ScriptedUserInterface::Message& found = r.ui.messages.first();
    QCOMPARE(found.title, QStringLiteral("COMPROBACIÓN DEL FICHERO"));
    QCOMPARE(found.icon, MessageIcon::Exclamation);
    QCOMPARE(found.buttons, MessageButtons::Ok);
    QVERIFY2(found.text.startsWith(QStringLiteral("La comprobación del fichero ha encontrado ") + counts),
             qPrintable(found.text));
    for (const QString& problem : problems)
        QVERIFY2(found.text.contains(problem), qPrintable(found.text));
    QVERIFY(found.text.contains(list));
    QVERIFY(found.text.contains(QStringLiteral("se ha escrito")));
    // Windows-1252 with CR LF, as the other files for the office; these texts are all Latin-1.
    QCOMPARE(r.file(QStringLiteral("Comprobacion347.txt")),
             (problems + QStringList{closing}).join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    QVERIFY(QFile::exists(r.out + QStringLiteral("/Mod347.txt")));
}

// A list from an earlier run never stays beside a file that passed the check.
void TestMod347Run::cleanRunRemovesAnOlderCheckList() {
    Run347 r;
    r.supplier(QStringLiteral("B12345674"), QStringLiteral("Uno"), QStringLiteral("08001"));
    r.entry(QStringLiteral("B12345674"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    QCOMPARE(r.run().result, RunResult::FileWritten);  // the example contact data
    QVERIFY(QFile::exists(r.out + QStringLiteral("/Comprobacion347.txt")));
    r.realContact();
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/Comprobacion347.txt")));
}

void TestMod347Run::everyLineIsFiveHundredBytes() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("😀 Œuvres ‘ß’ €"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    const QList<QByteArray> lines = r.file().split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].size(), 501);
    QCOMPARE(lines[1].size(), 501);
    QCOMPARE(lines[1].mid(35, 14), QByteArray("? \x8CUVRES \x91\xDF\x92 \x80"));
}

void TestMod347Run::thresholdText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read");
    const auto row = [](const char* typed, const char* read) { QTest::newRow(typed) << typed << read; };
    row("3005.06", "3005.06");
    row(" 3005.06 ", "3005.06");
    row("3.005", "3005");
    row("3.005,06", "3005.06");
    row("3005,06", "3005.06");
    row("1.234.567", "1234567");
    row("1.000.000,5", "1000000.5");
    row("12345.678", "12345.678");  // not grouped by three from the left: a decimal point
    row("6000", "6000");
    row(".5", ".5");
    // Refused with "Mete bien el tope"
    row("-100", "");
    row("-3.005", "");
    row("3.005.06", "");
    row("1,000,5", "");
    row("1,000.5", "");
    row("tope", "");
    row("", "");
    row("0 or 1=1", "");
    row("1e3", "");
}

void TestMod347Run::thresholdText() {
    QFETCH(QString, typed);
    QFETCH(QString, read);
    QCOMPARE(readThreshold(typed).value_or(QString()), read);
    if (!read.isEmpty())
        return;
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Uno"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    const RunOutcome outcome = r.run(typed);
    QCOMPARE(outcome.result, RunResult::BadInput);
    QVERIFY(!outcome.endsProgram);
    QCOMPARE(r.ui.messages.size(), 1);
    QCOMPARE(r.ui.messages[0].text, QStringLiteral("Mete bien el tope"));
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("Datos de Ecorda para AEAT"));
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/Mod347.txt")));
}

void TestMod347Run::editedThresholdSelectsAgain() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Cuatro mil"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 4000, QStringLiteral("2025-02-10"));
    r.supplier(QStringLiteral("B12345674"), QStringLiteral("Siete mil"), QStringLiteral("08002"));
    r.entry(QStringLiteral("B12345674"), 7000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    QCOMPARE(r.single(QStringLiteral("select count(*) from TStper")).toInt(), 2);
    QCOMPARE(r.run(QStringLiteral("6000")).result, RunResult::FileWritten);
    QCOMPARE(r.single(QStringLiteral("select count(*) from TStper")).toInt(), 1);
    QCOMPARE(r.session->selectionThreshold, QStringLiteral("6000"));
    const QStringList lines = r.lines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].mid(135, 25), QStringLiteral("000000001 000000000700000"));
    QVERIFY(lines[1].mid(35).startsWith(QLatin1String("SIETE MIL")));
}

void TestMod347Run::missingPostalCodeStopsBeforeTheIdentifiers() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Sin código"), {});
    r.entry(QStringLiteral("A00000000"), 5000, QStringLiteral("2025-02-10"));
    r.supplier(QStringLiteral("B1234567"), QStringLiteral("Código vacío"), QStringLiteral(""));
    r.entry(QStringLiteral("B1234567"), 5000, QStringLiteral("2025-02-10"));
    r.supplier(QStringLiteral("12345678z"), QStringLiteral("Un carácter"), QStringLiteral("5"));
    r.entry(QStringLiteral("12345678z"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, RunResult::DataToCorrect);
    QVERIFY(outcome.endsProgram);
    const QString path = r.out + QStringLiteral("/RevisarCP.txt");
    QCOMPARE(r.file(QStringLiteral("RevisarCP.txt")),
             QByteArray("____________________________________________________\r\n"
                        "Estos proveedores no tienen grabado el C\xF3"
                        "digo Postal\r\n"
                        "Debe corregirlo primero\r\n"
                        "____________________________________________________\r\n"
                        "   NIF        NOMBRE\r\n"
                        "A00000000     Sin c\xF3"
                        "digo\r\n"
                        "B1234567      C\xF3"
                        "digo vac\xED"
                        "o\r\n"));
    QCOMPARE(r.ui.messages.size(), 1);
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("ERRORES EN PROVEEDORES"));
    QCOMPARE(r.ui.messages[0].text, QStringLiteral("Vea el fichero \r\n") + path);
    QCOMPARE(r.ui.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(r.ui.opened, QStringList{path});
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/RevisarNIF.txt")));
    QVERIFY(!QFile::exists(r.out + QStringLiteral("/Mod347.txt")));
}

void TestMod347Run::doubtfulIdentifiersAndTheQuestion_data() {
    QTest::addColumn<bool>("goOn");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestMod347Run::doubtfulIdentifiersAndTheQuestion() {
    QFETCH(bool, goOn);
    Run347 r;
    r.supplier(QStringLiteral("B1234567"), QStringLiteral("Papelería Sur"), QStringLiteral("28001"));
    r.entry(QStringLiteral("B1234567"), 5000, QStringLiteral("2025-02-10"));
    r.supplier(QStringLiteral("X1234567L"), QStringLiteral("Extranjero válido"), QStringLiteral("28001"));
    r.entry(QStringLiteral("X1234567L"), 5000, QStringLiteral("2025-02-10"));
    r.supplier(QStringLiteral("x1234567Y"), QStringLiteral("Extranjero dudoso"), QStringLiteral("28001"));
    r.entry(QStringLiteral("x1234567Y"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    r.ui.answers = {goOn ? MessageAnswer::Yes : MessageAnswer::No};
    const RunOutcome outcome = r.run();
    QCOMPARE(outcome.result, goOn ? RunResult::FileWritten : RunResult::StoppedAtQuestion);
    QVERIFY(outcome.endsProgram);
    QCOMPARE(r.file(QStringLiteral("RevisarNIF.txt")),
             QByteArray("______________________________________________________\r\n"
                        "Estos proveedores tienen un CIF/NIF que parece err\xF3"
                        "neo\r\n"
                        "____________________________________________________\r\n"
                        "   NIF        NOMBRE\r\n"
                        "B1234567      Papeler\xED"
                        "a Sur\r\n"
                        "x1234567Y     Extranjero dudoso\r\n"));
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("POSIBLES ERRORES EN CIF/NIF DE PROVEEDORES"));
    QCOMPARE(r.ui.messages[0].text, QStringLiteral("Vea el fichero \r\n") + r.out +
                                        QStringLiteral("/RevisarNIF.txt\r\n¿Desea continuar?"));
    QCOMPARE(r.ui.messages[0].buttons, MessageButtons::YesNo);
    QVERIFY(r.ui.messages[0].defaultsToNo);
    QCOMPARE(r.ui.messages[0].items, (QStringList{QStringLiteral("B1234567 Papelería Sur"),
                                                  QStringLiteral("x1234567Y Extranjero dudoso")}));
    QVERIFY(r.ui.opened.isEmpty());
    QCOMPARE(r.lines().size(), goOn ? 4 : 0);
}

void TestMod347Run::cleanRunDeletesTheIdentifierReview() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Uno"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    QFile old(r.out + QStringLiteral("/RevisarNIF.txt"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.close();
    r.realContact();
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QVERIFY(!old.exists());
    QCOMPARE(r.ui.messages.size(), 1);
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("PROCESO TERMINADO"));
}

void TestMod347Run::secondRunReplacesTheFile() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Uno"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 5000, QStringLiteral("2025-02-10"));
    r.supplier(QStringLiteral("B12345674"), QStringLiteral("Dos"), QStringLiteral("08001"));
    r.entry(QStringLiteral("B12345674"), 4000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    QCOMPARE(r.run().result, RunResult::FileWritten);
    QCOMPARE(r.lines().size(), 3);
    QCOMPARE(r.run(QStringLiteral("4500")).result, RunResult::FileWritten);
    QCOMPARE(r.lines().size(), 2);
    QCOMPARE(r.file().size(), 2 * 502);
}

void TestMod347Run::nothingAboveTheThresholdAtLoad() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Igual"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 3005.06, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::NothingToDeclare);
    QCOMPARE(r.ui.messages.size(), 1);
    QCOMPARE(r.ui.messages[0].text, QStringLiteral("No hay perceptores para incluir en el fichero."));
    QCOMPARE(r.ui.messages[0].title, QStringLiteral("ATENCIÓN"));
    QCOMPARE(r.ui.messages[0].icon, MessageIcon::Information);
}

void TestMod347Run::loadPreparesTheDatabaseOnce() {
    Run347 r;
    r.supplier(QStringLiteral("A00000000"), QStringLiteral("Uno"), QStringLiteral("08001"));
    r.entry(QStringLiteral("A00000000"), 5000, QStringLiteral("2025-02-10"));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    QCOMPARE(r.single(QStringLiteral("select IVACC from provedores")).toString(), QStringLiteral("N"));
    QCOMPARE(r.single(QStringLiteral("select count(*) from Clientes")).toInt(), 0);
    QCOMPARE(r.single(QStringLiteral("select count(*) from IVA")).toInt(), 0);
    QVERIFY(r.single(QStringLiteral(
                         "select count(*) from sqlite_schema where type = 'index' and tbl_name = 'TdApt'"))
                .toInt() == 1);
    r.f.native(
        QStringLiteral("insert into Clientes (nif) values ('kept'); update provedores set IVACC = null"));
    r.AccountsDb.reset();
    QCOMPARE(r.load(), Modelo347Load::Ready);
    QCOMPARE(r.single(QStringLiteral("select IVACC from provedores")).toString(), QStringLiteral("N"));
    QCOMPARE(r.single(QStringLiteral("select count(*) from Clientes")).toInt(), 1);
    QCOMPARE(r.single(QStringLiteral(
                          "select count(*) from sqlite_schema where type = 'index' and tbl_name = 'TdApt'"))
                 .toInt(),
             1);
    for (const char* object : {"Stper", "TStper", "NifNO"})
        QCOMPARE(r.single(QStringLiteral("select count(*) from sqlite_schema where name = '%1'")
                              .arg(QLatin1String(object)))
                     .toInt(),
                 1);
}

// The review of identifiers cannot be written once the type 1 record is: no half declaration stays.
void TestMod347Run::stoppedRunKeepsThePreviousFile_data() {
    QTest::addColumn<QString>("supplierNif");
    QTest::addColumn<QVariant>("postalCode");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<RunResult>("result");
    QTest::newRow("no at the question") << "B1234567" << QVariant(QStringLiteral("28001"))
                                        << kInitialThreshold << RunResult::StoppedAtQuestion;
    QTest::newRow("missing postal codes")
        << "A00000000" << QVariant() << kInitialThreshold << RunResult::DataToCorrect;
    QTest::newRow("nobody above the threshold at Iniciar")
        << "A00000000" << QVariant(QStringLiteral("08001")) << "9999999" << RunResult::NothingToDeclare;
    // RevisarNIF.txt cannot be written where a folder bears its name.
    QTest::newRow("a failure while writing")
        << "B1234567" << QVariant(QStringLiteral("28001")) << kInitialThreshold << RunResult::Failed;
}

void TestMod347Run::stoppedRunKeepsThePreviousFile() {
    QFETCH(QString, supplierNif);
    QFETCH(QVariant, postalCode);
    QFETCH(QString, threshold);
    QFETCH(RunResult, result);
    Run347 r;
    r.supplier(supplierNif, QStringLiteral("Proveedor"), postalCode);
    r.entry(supplierNif, 5000, QStringLiteral("2025-02-10"));
    const QByteArray previous("1347 EL FICHERO DE LA VEZ ANTERIOR\r\n");
    QVERIFY(writeAll(r.out + QStringLiteral("/Mod347.txt"), previous));
    if (result == RunResult::Failed)
        QVERIFY(QDir(r.out).mkdir(QStringLiteral("RevisarNIF.txt")));
    QCOMPARE(r.load(), Modelo347Load::Ready);
    r.ui.answers = {MessageAnswer::No};
    QCOMPARE(r.run(threshold).result, result);
    QCOMPARE(r.file(), previous);
    QCOMPARE(QDir(r.out).entryList({QStringLiteral("Mod347*")}, QDir::Files),
             QStringList{QStringLiteral("Mod347.txt")});
}

QTEST_GUILESS_MAIN(TestMod347Run)
#include "tst_mod347run.moc"
