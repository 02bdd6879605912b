#include "db/Clock.h"
#include "report/ErrorEnCIF.h"
#include "report/ListingReport.h"
#include "support/Golden.h"
#include "support/PdfText.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<ReviewRow> rows(int count) {
    QList<ReviewRow> result;
    for (int i = 0; i < count; ++i)
        result.append({QStringLiteral("B%1").arg(i, 7, 10, QLatin1Char('0')),
                       QStringLiteral("Proveedor número %1").arg(i)});
    return result;
}

}  // namespace

class TestErrorEnCIF : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdfHoldsTitleColumnsAndEverySupplier();
    void pagesFollowTheRows_data();
    void pagesFollowTheRows();
    void fullPageEndsAboveTheFooter();
    void unwritablePdfIsReported();
    void unreadablePdfReadsAsNothing();
    void titleAsAFileName_data();
    void titleAsAFileName();
};

void TestErrorEnCIF::pdfHoldsTitleColumnsAndEverySupplier() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    QList<ReviewRow> listed = {{QStringLiteral("12345678z"), QStringLiteral("L'Hospitalet Ñandú, S.A.")},
                               {QStringLiteral("Y1234567L"), QStringLiteral("Álvarez Peña, Íñigo")},
                               {QString(), QStringLiteral("Sin NIF")}};
    Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30)));
    const ErrorEnCIF report(listed, QStringLiteral("Centro Público María"));
    Clock::unpin();
    report.exportPdf(pdf);
    if (!pdfToTextInstalled())
        QSKIP("pdftotext is not installed");
    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    for (const QString& expected :
         {QStringLiteral("Proveedores con CIF/NIF aparentemente erróneo"), QStringLiteral("CIF / NIF"),
          QStringLiteral("Nombre"), QStringLiteral("12345678z"), QStringLiteral("L'Hospitalet Ñandú, S.A."),
          QStringLiteral("Y1234567L"), QStringLiteral("Álvarez Peña, Íñigo"), QStringLiteral("Sin NIF"),
          QStringLiteral("Centro Público María"), QStringLiteral("Fecha: 15/03/2026"),
          QStringLiteral("Página 1 de 1")})
        QVERIFY2(text.contains(expected), qPrintable(expected));
    QVERIFY2(pdfPageSize(pdf).endsWith(QLatin1String("(A4)")), qPrintable(pdfPageSize(pdf)));
}

void TestErrorEnCIF::pagesFollowTheRows_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("no rows") << 0 << 1;
    QTest::newRow("a full page") << ReportLayout::kRowsPerPage << 1;
    QTest::newRow("one row more") << ReportLayout::kRowsPerPage + 1 << 2;
}

void TestErrorEnCIF::pagesFollowTheRows() {
    QFETCH(int, rows);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    ErrorEnCIF(::rows(rows), QStringLiteral("Centro")).exportPdf(pdf);
    if (!pdfToTextInstalled())
        QSKIP("pdftotext is not installed");
    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pageTexts.size(), pages);
    for (int page = 0; page < pages; ++page) {
        QVERIFY(pageTexts[page].contains(QLatin1String("aparentemente")));  // the page header on every page
        QVERIFY(pageTexts[page].contains(QStringLiteral("Página %1 de %2").arg(page + 1).arg(pages)));
    }
    if (rows > 0)
        QVERIFY(pageTexts.last().contains(::rows(rows).last().nombre));
    else
        QVERIFY(pageTexts[0].contains(QStringLiteral("Todos los CIF/NIF de los proveedores son válidos.")));
}

// The rows of a full page are drawn, the last one too, and nothing but the page number reaches the footer.
void TestErrorEnCIF::fullPageEndsAboveTheFooter() {
    using namespace ReportLayout;
    const ErrorEnCIF report(rows(kRowsPerPage + 1), QStringLiteral("Centro"));
    QCOMPARE(report.pageCount(), 2);
    constexpr int kTwipsPerPixel = 10;
    QImage page(kPrintableWidth / kTwipsPerPixel, kPrintableHeight / kTwipsPerPixel, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    report.paintPage(painter, 0);
    painter.end();
    const auto inkBetween = [&](int topTwips, int bottomTwips) {
        for (int y = topTwips / kTwipsPerPixel; y < bottomTwips / kTwipsPerPixel && y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128)
                    return true;
        return false;
    };
    QVERIFY(inkBetween(detailTop(kRowsPerPage - 1), detailTop(kRowsPerPage)));
    QVERIFY(!inkBetween(detailTop(kRowsPerPage), pageFooterTop()));
    QVERIFY(inkBetween(pageFooterTop(), kPrintableHeight));
}

void TestErrorEnCIF::unwritablePdfIsReported() {
    QVERIFY_THROWS_EXCEPTION(
        FileError,
        ErrorEnCIF(rows(1), QStringLiteral("Centro")).exportPdf(QStringLiteral("/no/such/folder/r.pdf")));
}

// What the checks above rely on: a PDF that pdftotext cannot read gives no text, which they fail on.
void TestErrorEnCIF::unreadablePdfReadsAsNothing() {
    if (!pdfToTextInstalled())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("roto.pdf"));
    QVERIFY(writeAll(pdf, "%PDF-1.4\nno es un PDF\n"));
    QVERIFY(pdfText(pdf).isEmpty());
}

void TestErrorEnCIF::titleAsAFileName_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("the CIF/NIF report")
        << ErrorEnCIF({}, QString()).title() << "Proveedores con CIF-NIF aparentemente erroneo";
    QTest::newRow("the summary") << "Resumen de la declaración del modelo 190"
                                 << "Resumen de la declaracion del modelo 190";
    QTest::newRow("what Windows refuses") << "Cuadre: 1.er trimestre <2025> \"a\"|b?*"
                                          << "Cuadre- 1.er trimestre -2025- -a--b--";
    QTest::newRow("an ending dot") << "Cartas del modelo 347."
                                   << "Cartas del modelo 347";
}

// What the print dialog offers as the name of a PDF holds nothing a file name cannot hold.
void TestErrorEnCIF::titleAsAFileName() {
    QFETCH(QString, title);
    QFETCH(QString, fileName);
    QCOMPARE(ListingReport(title, {}, {}).fileTitle(), fileName);
}

QTEST_MAIN(TestErrorEnCIF)
#include "tst_errorencif.moc"
