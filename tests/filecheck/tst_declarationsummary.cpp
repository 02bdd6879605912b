#include "report/DeclarationSummary.h"
#include "support/PdfText.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

CheckedDeclaration declaration(int records) {
    CheckedDeclaration checked;
    checked.model = QStringLiteral("190");
    checked.fiscalYear = QStringLiteral("2025");
    checked.declarantNif = QStringLiteral("Q2826000H");
    checked.declarantName = QStringLiteral("CENTRO PUBLICO MARIA");
    checked.recordsRead = records + 1;
    checked.totals = {123456789, 1851851};
    for (int i = 0; i < records; ++i)
        checked.declared.append({QStringLiteral("%1H").arg(10000000 + i),
                                 QStringLiteral("PERCEPTOR %1").arg(i),
                                 QStringLiteral("28"),
                                 QStringLiteral("G03"),
                                 {100000 + i, 7000}});
    return checked;
}

}  // namespace

class TestDeclarationSummary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdfHoldsTitleTotalsAndEveryNif();
    void pagesFollowTheRecords_data();
    void pagesFollowTheRecords();
};

void TestDeclarationSummary::pdfHoldsTitleTotalsAndEveryNif() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("resumen.pdf"));
    CheckedDeclaration checked = declaration(3);
    checked.problems.append(
        {2, QStringLiteral("10000001H PERCEPTOR 1"), 40, 40, QStringLiteral("nombre del perceptor"),
         QStringLiteral("la Agencia puede no aceptar el carácter «Ü»"), FileProblem::Severity::Warning});
    DeclarationSummary(checked).exportPdf(pdf);
    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    for (const QString& expected :
         {QStringLiteral("Resumen de la declaración del modelo 190, ejercicio 2025"),
          QStringLiteral("Q2826000H"), QStringLiteral("CENTRO PUBLICO MARIA"), QStringLiteral("1.234.567,89"),
          QStringLiteral("18.518,51"), QStringLiteral("10000000H"), QStringLiteral("10000001H"),
          QStringLiteral("10000002H"), QStringLiteral("Página 1 de 1"), QStringLiteral("Impreso el"),
          QStringLiteral("Problemas encontrados"),
          QStringLiteral("Registro 2 (10000001H PERCEPTOR 1), posición 40")})
        QVERIFY2(text.contains(expected), qPrintable(expected));
}

void TestDeclarationSummary::pagesFollowTheRecords_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("pages");
    // A page holds the records and, after them, the heading of the problems and "Ninguno.".
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("a page that ends with the problems") << DeclarationSummary::kLinesPerPage - 2 << 1;
    QTest::newRow("the problems on a second page") << DeclarationSummary::kLinesPerPage - 1 << 2;
    QTest::newRow("three pages") << 2 * DeclarationSummary::kLinesPerPage + 5 << 3;
}

void TestDeclarationSummary::pagesFollowTheRecords() {
    QFETCH(int, records);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("resumen.pdf"));
    DeclarationSummary(declaration(records)).exportPdf(pdf);
    const QStringList pageTexts = pdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pageTexts.size(), pages);
    QVERIFY(pageTexts.last().contains(QStringLiteral("Página %1 de %1").arg(pages)));
    if (records > 0)
        QVERIFY(pageTexts.join(QString()).contains(QStringLiteral("%1H").arg(10000000 + records - 1)));
}

QTEST_MAIN(TestDeclarationSummary)
#include "tst_declarationsummary.moc"
