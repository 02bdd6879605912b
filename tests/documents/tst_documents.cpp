#include "cli/CliCommands.h"
#include "documents/DeclarationDocuments.h"
#include "documents/DocumentsWindow.h"
#include "shell/StartupSettings.h"
#include "support/PdfText.h"
#include "support/ScriptedUserInterface.h"
#include "widgets/ReportPreview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kCertificatesFrom =
    QStringLiteral(AEAT_TEST_DATA_DIR "/mod190/golden/totals-default-contact.txt");
const QString kLettersFrom = QStringLiteral(AEAT_TEST_DATA_DIR "/documents/data/Mod347.txt");
// One error: a perceptor without province.
const QString kFileWithAnError = QStringLiteral(AEAT_TEST_DATA_DIR "/mod190/golden/keys-rates-names.txt");

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun documentsCommand(const QString& declaration, const QString& folder) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runCli({QStringLiteral("documentos"), declaration, QStringLiteral("--out"), folder},
                              {outStream, errStream});
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void certificates_data();
    void certificates() { checkPage(m_certificatePages); }
    void letters_data();
    void letters() { checkPage(m_letterPages); }
    void fileWithErrorsIsRefused();
    void partyFileNamesAreSafe_data();
    void partyFileNamesAreSafe();
    void windowPreviewsAndWrites();

private:
    void addPageColumns();
    void checkPage(const QStringList& pages);

    QTemporaryDir m_out;
    QStringList m_certificatePages;
    QStringList m_letterPages;
};

void TestDocuments::initTestCase() {
    if (!pdfToTextInstalled())
        QSKIP("pdftotext is not installed");
    for (const QString& declaration : {kCertificatesFrom, kLettersFrom}) {
        const CliRun run = documentsCommand(declaration, m_out.path());
        QVERIFY2(run.status == kExitOk, qPrintable(run.err));
    }
    m_certificatePages =
        pdfText(m_out.filePath(QStringLiteral("Certificados190.pdf"))).split(QLatin1Char('\f'));
    m_letterPages = pdfText(m_out.filePath(QStringLiteral("Cartas347.pdf"))).split(QLatin1Char('\f'));
    // pdftotext ends the last page with a form feed too.
    QCOMPARE(m_certificatePages.size() - 1, 2);
    QCOMPARE(m_letterPages.size() - 1, 3);
    QCOMPARE(filesIn(m_out.filePath(QStringLiteral("Certificados190"))),
             QStringList({QStringLiteral("11111111H PRIMERO.pdf"), QStringLiteral("22222222J SEGUNDO.pdf")}));
    QCOMPARE(filesIn(m_out.filePath(QStringLiteral("Cartas347"))),
             QStringList({QStringLiteral("12345678Z CAJA CRITERIO DE CAJA.pdf"),
                          QStringLiteral("B12345674 TRIMESTRES.pdf"),
                          QStringLiteral("X1234567L FRACCIONES.pdf")}));
}

void TestDocuments::addPageColumns() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QStringList>("omits");
}

// Each perceptor's page: the payer, the perceptor, the key and the amounts paid, withheld and net.
void TestDocuments::certificates_data() {
    addPageColumns();
    const QStringList payer{QStringLiteral("CENTRO PUBLICO MARIA"), QStringLiteral("Q2826000H"),
                            QStringLiteral("Ejercicio 2025"), QStringLiteral("Firma y sello del pagador")};
    QTest::newRow("first perceptor")
        << 0
        << payer + QStringList{QStringLiteral("11111111H"),
                               QStringLiteral("PRIMERO"),
                               QStringLiteral("F: Rendimientos del trabajo"),
                               QStringLiteral("02: Rendimientos del trabajo derivados de impartir cursos"),
                               QStringLiteral("1.000,00 €"),
                               QStringLiteral("150,00 €"),
                               QStringLiteral("850,00 €")}
        << QStringList();
    QTest::newRow("amounts with cents")
        << 1
        << payer + QStringList{QStringLiteral("22222222J"), QStringLiteral("SEGUNDO"),
                               QStringLiteral("2.500,50 €"), QStringLiteral("375,08 €"),
                               QStringLiteral("2.125,42 €")}
        << QStringList();
}

// Each supplier's letter: the centre, the supplier, the year's and the quarters' amounts, the contact.
void TestDocuments::letters_data() {
    addPageColumns();
    const QStringList centre{QStringLiteral("CENTRO PUBLICO MARIA"), QStringLiteral("Q2826000H"),
                             QStringLiteral("ejercicio 2025"), QStringLiteral("15 días"),
                             QStringLiteral("GARCIA LOPEZ ANA, en el teléfono 915 550 123")};
    QTest::newRow("quarters") << 0
                              << centre +
                                     QStringList{QStringLiteral("B12345674"),  QStringLiteral("TRIMESTRES"),
                                                 QStringLiteral("4.401,00 €"), QStringLiteral("1.500,25 €"),
                                                 QStringLiteral("800,00 €"),   QStringLiteral("1.200,10 €"),
                                                 QStringLiteral("900,65 €")}
                              << QStringList{QStringLiteral("criterio de caja")};
    QTest::newRow("cash basis") << 2 << centre + QStringList{QStringLiteral("12345678Z"),
                                                             QStringLiteral("CAJA CRITERIO DE CAJA"),
                                                             QStringLiteral("5.200,00 €"),
                                                             QStringLiteral("Importe pagado en el año"),
                                                             QStringLiteral("3.700,00 €"),
                                                             QStringLiteral("criterio de caja")}
                                << QStringList{QStringLiteral("1.º trimestre")};
}

void TestDocuments::checkPage(const QStringList& pages) {
    QFETCH(int, page);
    QFETCH(QStringList, says);
    QFETCH(QStringList, omits);
    const QString text = pages.value(page).simplified();
    for (const QString& phrase : says)
        QVERIFY2(text.contains(phrase), qPrintable(phrase + QStringLiteral(" not in: ") + text));
    for (const QString& phrase : omits)
        QVERIFY2(!text.contains(phrase), qPrintable(phrase + QStringLiteral(" in: ") + text));
}

void TestDocuments::fileWithErrorsIsRefused() {
    QTemporaryDir out;
    const CliRun run = documentsCommand(kFileWithAnError, out.path());
    QCOMPARE(run.status, kExitFailure);
    QVERIFY2(run.err.startsWith(QStringLiteral("No se hacen documentos de ")), qPrintable(run.err));
    QVERIFY2(run.err.contains(
                 QStringLiteral("Registro 2 (88888888Y BLANCOS), posiciones 76-77 (provincia): error")),
             qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("errores: 1;")));
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

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
