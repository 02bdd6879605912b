#include "base/SafeFileName.h"
#include "cli/CliCommands.h"
#include "db/Clock.h"
#include "documents/DeclarationDocuments.h"
#include "documents/DocumentsWindow.h"
#include "shell/StartupSettings.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/PdfText.h"
#include "support/ScriptedUserInterface.h"
#include "widgets/ReportPreview.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kCertificatesFrom = QStringLiteral(AEAT_TEST_DATA_DIR "/documents/data/Mod190.txt");
const QString kExampleContact =
    QStringLiteral(AEAT_TEST_DATA_DIR "/mod190/golden/totals-default-contact.txt");
const QString kLettersFrom = QStringLiteral(AEAT_TEST_DATA_DIR "/documents/data/Mod347.txt");
// One error: a perceptor without province.
const QString kFileWithAnError = QStringLiteral(AEAT_TEST_DATA_DIR "/mod190/golden/keys-rates-names.txt");

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun documentsCommand(const QString& declaration, const QString& folder, const QStringList& options = {}) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runCli(
        QStringList{QStringLiteral("documentos"), declaration, QStringLiteral("--out"), folder} + options,
        {outStream, errStream});
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// The accounts know the centre and one party of each file, spelt as people write them.
void fillTheAccounts(FixtureDatabase& accounts) {
    accounts.native(
        QStringLiteral("insert into Centro values ('Q2826000H', 'Centro Público María');"
                       "insert into provedores (nif, nombre) values ('11111111H', 'Pérez Núñez, Ana'), "
                       "  ('B12345674', 'Trimestres Ibéricos, S.L.')"));
}

const QStringList kSigning{QStringLiteral("--firma"), QStringLiteral("María José Muñoz Peña, Secretaria"),
                           QStringLiteral("--lugar"), QStringLiteral("Córdoba")};

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void certificates_data();
    void certificates() { checkPage(m_certificatePages); }
    void letters_data();
    void letters() { checkPage(m_letterPages); }
    void eachPartysPdfHoldsItsOwnPage_data();
    void eachPartysPdfHoldsItsOwnPage();
    void refused_data();
    void refused();
    void partyFileNamesAreSafe_data();
    void partyFileNamesAreSafe();
    void windowPreviewsAndWrites();
    void cancelledRunLeavesTheEarlierDocuments();

private:
    void addPageColumns();
    void checkPage(const QStringList& pages);

    QTemporaryDir m_out;
    FixtureDatabase m_accounts;
    QStringList m_fromTheFile;
    QStringList m_certificatePages;
    QStringList m_letterPages;
};

void TestDocuments::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);  // the signer that the window remembers
    if (!pdfToTextInstalled())
        QSKIP("pdftotext is not installed");
    fillTheAccounts(m_accounts);
    Clock::pin(QDateTime(QDate(2026, 1, 15), QTime(10, 0)));
    for (const QString& declaration : {kCertificatesFrom, kLettersFrom}) {
        const CliRun run = documentsCommand(
            declaration, m_out.path(), kSigning + QStringList{QStringLiteral("--db"), m_accounts.path()});
        QVERIFY2(run.status == kExitOk, qPrintable(run.err));
        m_fromTheFile.append(run.out.section(QLatin1Char('\n'), 2, 2));
    }
    Clock::unpin();
    QCOMPARE(
        m_fromTheFile,
        (QStringList{QStringLiteral("1 perceptor no está en la contabilidad: lleva el nombre del fichero."),
                     QStringLiteral("2 proveedores no están en la contabilidad: llevan el nombre del "
                                    "fichero.")}));
    m_certificatePages =
        pdfText(m_out.filePath(QStringLiteral("Certificados190.pdf"))).split(QLatin1Char('\f'));
    m_letterPages = pdfText(m_out.filePath(QStringLiteral("Cartas347.pdf"))).split(QLatin1Char('\f'));
    // pdftotext ends the last page with a form feed too.
    QCOMPARE(m_certificatePages.size() - 1, 2);
    QCOMPARE(m_letterPages.size() - 1, 3);
    QCOMPARE(filesIn(m_out.filePath(QStringLiteral("Certificados190"))),
             QStringList({QStringLiteral("11111111H Pérez Núñez, Ana.pdf"),
                          QStringLiteral("22222222J SEGUNDO.pdf")}));
    QCOMPARE(filesIn(m_out.filePath(QStringLiteral("Cartas347"))),
             QStringList({QStringLiteral("12345678Z CAJA CRITERIO DE CAJA.pdf"),
                          QStringLiteral("B12345674 Trimestres Ibéricos, S.L.pdf"),
                          QStringLiteral("X1234567L FRACCIONES.pdf")}));
}

void TestDocuments::addPageColumns() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QStringList>("omits");
    QTest::addColumn<QStringList>("inOrder");
}

// Each perceptor's page: the payer, the perceptor, the key and the amounts paid, withheld and net.
void TestDocuments::certificates_data() {
    addPageColumns();
    const QStringList payer{QStringLiteral("Centro Público María"), QStringLiteral("Q2826000H"),
                            QStringLiteral("Ejercicio 2025")};
    const QStringList signed_{QStringLiteral("Córdoba, 15 de enero de 2026"),
                              QStringLiteral("Firma y sello del pagador"),
                              QStringLiteral("María José Muñoz Peña"), QStringLiteral("Secretaria")};
    QTest::newRow("a perceptor the accounts know")
        << 0
        << payer + QStringList{QStringLiteral("11111111H"),
                               QStringLiteral("Pérez Núñez, Ana"),
                               QStringLiteral("F: Rendimientos del trabajo"),
                               QStringLiteral("02: Rendimientos del trabajo derivados de impartir cursos"),
                               QStringLiteral("1.000,00 €"),
                               QStringLiteral("150,00 €"),
                               QStringLiteral("850,00 €")}
        << QStringList{QStringLiteral("PRIMERO"), QStringLiteral("CENTRO PUBLICO")} << signed_;
    QTest::newRow("one they lack, with cents")
        << 1
        << payer + QStringList{QStringLiteral("22222222J"), QStringLiteral("SEGUNDO"),
                               QStringLiteral("2.500,50 €"), QStringLiteral("375,08 €"),
                               QStringLiteral("2.125,42 €")}
        << QStringList{QStringLiteral("En ____")} << signed_;
}

// Each supplier's letter: the centre, the supplier, the year's and the quarters' amounts, the contact.
void TestDocuments::letters_data() {
    addPageColumns();
    const QStringList centre{QStringLiteral("Centro Público María"), QStringLiteral("Q2826000H"),
                             QStringLiteral("ejercicio 2025"), QStringLiteral("15 días"),
                             QStringLiteral("GARCIA LOPEZ ANA, en el teléfono 915 550 123")};
    // The text, the place and date, «Atentamente,», the signature line, the name and post.
    const QStringList closing{QStringLiteral("15 días"),
                              QStringLiteral("Córdoba, 15 de enero de 2026"),
                              QStringLiteral("Atentamente,"),
                              QStringLiteral("Firma y sello"),
                              QStringLiteral("María José Muñoz Peña"),
                              QStringLiteral("Secretaria")};
    QTest::newRow("quarters, to a supplier the accounts know")
        << 0
        << centre + QStringList{QStringLiteral("B12345674"),  QStringLiteral("Trimestres Ibéricos, S.L."),
                                QStringLiteral("4.401,00 €"), QStringLiteral("1.500,25 €"),
                                QStringLiteral("800,00 €"),   QStringLiteral("1.200,10 €"),
                                QStringLiteral("900,65 €")}
        << QStringList{QStringLiteral("criterio de caja"), QStringLiteral("TRIMESTRES")} << closing;
    QTest::newRow("cash basis, to one they lack")
        << 2 << centre + QStringList{QStringLiteral("12345678Z"),  QStringLiteral("CAJA CRITERIO DE CAJA"),
                                     QStringLiteral("5.200,00 €"), QStringLiteral("Importe pagado en el año"),
                                     QStringLiteral("3.700,00 €"), QStringLiteral("criterio de caja")}
        << QStringList{QStringLiteral("1.º trimestre")} << closing;
}

void TestDocuments::checkPage(const QStringList& pages) {
    QFETCH(int, page);
    QFETCH(QStringList, says);
    QFETCH(QStringList, omits);
    QFETCH(QStringList, inOrder);
    const QString text = pages.value(page).simplified();
    for (const QString& phrase : says)
        QVERIFY2(text.contains(phrase), qPrintable(phrase + QStringLiteral(" not in: ") + text));
    for (const QString& phrase : omits)
        QVERIFY2(!text.contains(phrase), qPrintable(phrase + QStringLiteral(" in: ") + text));
    qsizetype at = 0;
    for (const QString& phrase : inOrder) {
        at = text.indexOf(phrase, at);
        QVERIFY2(at >= 0, qPrintable(phrase + QStringLiteral(" not in its place in: ") + text));
    }
}

void TestDocuments::eachPartysPdfHoldsItsOwnPage_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("page");  // its page in the PDF of all
    QTest::newRow("the first letter") << "Cartas347/B12345674 Trimestres Ibéricos, S.L.pdf" << 0;
    QTest::newRow("the last letter") << "Cartas347/12345678Z CAJA CRITERIO DE CAJA.pdf" << 2;
    QTest::newRow("a certificate") << "Certificados190/22222222J SEGUNDO.pdf" << 1;
}

// A party's PDF, cut from the PDF of all, reads as its page of it and nothing more.
void TestDocuments::eachPartysPdfHoldsItsOwnPage() {
    QFETCH(QString, file);
    QFETCH(int, page);
    const QStringList& all = file.startsWith(QLatin1String("Cartas")) ? m_letterPages : m_certificatePages;
    QCOMPARE(pdfText(m_out.filePath(file)), all[page] + QLatin1Char('\f'));
    QCOMPARE(pdfPageSize(m_out.filePath(file)), QStringLiteral("595 x 842 pts (A4)"));
}

void TestDocuments::refused_data() {
    QTest::addColumn<QString>("declaration");
    QTest::addColumn<QStringList>("says");
    QTest::newRow("a file the agency would refuse")
        << kFileWithAnError
        << QStringList{QStringLiteral("No se hacen documentos de "),
                       QStringLiteral("Registro 2 (88888888Y BLANCOS), posiciones 76-77 (provincia): error"),
                       QStringLiteral("errores: 1;")};
    // Its check only warns: the agency takes the file, but the letters would send people to the example.
    QTest::newRow("the windows' example contact")
        << kExampleContact
        << QStringList{QStringLiteral("La declaración tiene los datos de contacto de ejemplo; escriba los "
                                      "suyos y vuelva a generarla")};
}

void TestDocuments::refused() {
    QFETCH(QString, declaration);
    QFETCH(QStringList, says);
    QTemporaryDir out;
    const CliRun run = documentsCommand(declaration, out.path());
    QCOMPARE(run.status, kExitFailure);
    for (const QString& phrase : says)
        QVERIFY2(run.err.contains(phrase), qPrintable(run.err));
    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestDocuments::partyFileNamesAreSafe_data() {
    QTest::addColumn<QString>("party");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("as it is") << QStringLiteral("B12345674 LIMPIEZAS ÑANDU, S.L")
                              << QStringLiteral("B12345674 LIMPIEZAS ÑANDU, S.L");
    QTest::newRow("characters Windows refuses")
        << QStringLiteral("B1 A/B: \"C\" <D>|E?*") << QStringLiteral("B1 A_B_ _C_ _D__E__");
    QTest::newRow("ending dot") << QStringLiteral("B12345674 SUR, S.L.")
                                << QStringLiteral("B12345674 SUR, S.L");
    QTest::newRow("no name") << QStringLiteral(" ") << QStringLiteral("SIN NOMBRE");
}

void TestDocuments::partyFileNamesAreSafe() {
    QFETCH(QString, party);
    QFETCH(QString, fileName);
    QCOMPARE(safeFileName(party), fileName);
}

void TestDocuments::windowPreviewsAndWrites() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkdir(QStringLiteral("Mdb")));
    StartupSettings settings;
    settings.programFolder = program.path();
    QVERIFY(QFile::copy(kLettersFrom, settings.outputFolder() + QStringLiteral("/Mod347.txt")));
    ScriptedUserInterface ui;
    DocumentsWindow window(settings, ui);
    window.show();
    QCOMPARE(window.declarationPath(), settings.outputFolder() + QStringLiteral("/Mod347.txt"));

    window.setDeclarationPath(kFileWithAnError);
    window.makeDocuments();
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages[0].icon, MessageIcon::Critical);
    QVERIFY(!window.preview());
    QVERIFY(!QFile::exists(settings.outputFolder() + QStringLiteral("/Certificados190.pdf")));

    window.setDeclarationPath(settings.outputFolder() + QStringLiteral("/Mod347.txt"));
    window.makeDocuments();
    QCOMPARE(ui.messages.size(), 2);
    QCOMPARE(ui.messages[1].icon, MessageIcon::Information);
    QVERIFY(window.preview() && window.preview()->isVisible());
    QCOMPARE(window.preview()->report().pageCount(), 3);
    QCOMPARE(window.preview()->currentPage(), 0);
    QVERIFY(QFile::exists(settings.outputFolder() + QStringLiteral("/Cartas347.pdf")));
    QCOMPARE(filesIn(settings.outputFolder() + QStringLiteral("/Cartas347")).size(), 3);
    window.preview()->close();
}

// The signer typed once comes back for the data folder; a run cancelled half-way leaves the documents of
// the run before as they were, and nothing half-written.
void TestDocuments::cancelledRunLeavesTheEarlierDocuments() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkdir(QStringLiteral("Mdb")));
    StartupSettings settings;
    settings.programFolder = program.path();
    settings.DbPath = settings.outputFolder() + QStringLiteral("/ecordadb.mdb");
    const QString declaration = settings.outputFolder() + QStringLiteral("/Mod347.txt");
    QVERIFY(QFile::copy(kLettersFrom, declaration));
    ScriptedUserInterface ui;
    {
        DocumentsWindow first(settings, ui);
        first.findChild<QLineEdit*>(QStringLiteral("Firma"))->setText(QStringLiteral("Ana Pérez, Directora"));
        first.findChild<QLineEdit*>(QStringLiteral("Lugar"))->setText(QStringLiteral("Jaén"));
        first.makeDocuments();
    }
    const QString all = settings.outputFolder() + QStringLiteral("/Cartas347.pdf");
    const QByteArray earlier = readAll(all);
    QVERIFY(earlier.startsWith("%PDF"));
    const QStringList earlierLetters = filesIn(settings.outputFolder() + QStringLiteral("/Cartas347"));

    DocumentsWindow again(settings, ui);
    QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("Firma"))->text(),
             QStringLiteral("Ana Pérez, Directora"));
    QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("Lugar"))->text(), QStringLiteral("Jaén"));
    again.show();
    QTimer::singleShot(0, &again, [&again] { again.findChild<QProgressDialog*>()->cancel(); });
    again.makeDocuments();
    QCOMPARE(ui.messages.last().text,
             QStringLiteral(
                 "Se ha cancelado: no se ha escrito ningún documento, y los de antes siguen como estaban."));
    QCOMPARE(readAll(all), earlier);
    QCOMPARE(filesIn(settings.outputFolder() + QStringLiteral("/Cartas347")), earlierLetters);
    QCOMPARE(QDir(settings.outputFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("Cartas347"), QStringLiteral("Cartas347.pdf"),
                          QStringLiteral("Mod347.txt")}));
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
