#include "declaration/Windows1252.h"
#include "filecheck/AgencyErrors.h"
#include "support/Golden.h"

#include <QTest>

namespace {

// A declared supplier's record of the Modelo 347 as the program writes it, with zeros at 300-305.
QByteArray supplierRecord() {
    const QList<QByteArray> records =
        readAll(QStringLiteral(AEAT_TEST_DATA_DIR "/mod347/golden/declared-records.txt")).split('\n');
    return records[5].chopped(1);  // B12345674 LIMPIEZAS ÑANDU, S.L.
}

const QString kBdns = QStringLiteral("Caracteres no válidos: 'Número de convocatoria BDNS'");

}  // namespace

class TestAgencyErrors : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineShapes_data();
    void lineShapes();
    void notAnErrorFile_data();
    void notAnErrorFile();
    void whatTheOfficeReads_data();
    void whatTheOfficeReads();
};

void TestAgencyErrors::lineShapes_data() {
    QTest::addColumn<QByteArray>("content");
    const QByteArray record = supplierRecord();
    const QByteArray text = kBdns.toUtf8();
    const QByteArray text1252 = Windows1252::encode(kBdns);
    QTest::newRow("a hyphen, CR LF, UTF-8") << record + ";E010330 - " + text + "\r\n";
    QTest::newRow("blanks, LF, UTF-8") << record + ";E010330   " + text + "\n";
    QTest::newRow("a colon, no line end") << record + "; E010330: " + text;
    QTest::newRow("Windows-1252") << record + ";E010330 " + text1252 + "\r\n";
    QTest::newRow("the record in UTF-8 too")
        << Windows1252::decode(record).toUtf8() + ";E010330 " + text + "\r\n";
    QTest::newRow("UTF-8 with a byte order mark") << "\xEF\xBB\xBF" + record + ";E010330 " + text + "\r\n";
    QTest::newRow("a trimmed record") << record.trimmed() + ";E010330 " + text + "\r\n";
    QTest::newRow("after a heading line") << "Mensajes de error\r\n" + record + ";E010330 " + text + "\r\n";
}

// However the agency lays the line out, the same party and error come out of it.
void TestAgencyErrors::lineShapes() {
    QFETCH(QByteArray, content);
    const std::optional<AgencyErrorFile> file = AgencyErrorFile::parse(content);
    QVERIFY(file);
    QCOMPARE(file->refusals.size(), 1);
    const AgencyRefusal& refusal = file->refusals[0];
    QCOMPARE(refusal.record, supplierRecord());
    QCOMPARE(refusal.model(), QStringLiteral("347"));
    QCOMPARE(refusal.party(), QStringLiteral("B12345674 LIMPIEZAS ÑANDU, S.L."));
    QCOMPARE(refusal.errors.size(), 1);
    QCOMPARE(refusal.errors[0].code, QStringLiteral("E010330"));
    QCOMPARE(refusal.errors[0].text, kBdns);
    const std::optional<FieldDesign> field = namedField(refusal, refusal.errors[0]);
    QVERIFY(field);
    QCOMPARE(std::pair(field->first, field->last), std::pair(300, 305));
}

void TestAgencyErrors::notAnErrorFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("a declaration") << readAll(
        QStringLiteral(AEAT_TEST_DATA_DIR "/mod347/golden/declared-records.txt"));
    QTest::newRow("text") << readAll(QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/README.md"));
    QTest::newRow("a record and a semicolon, but no code") << supplierRecord() + ";sin código\r\n";
}

void TestAgencyErrors::notAnErrorFile() {
    QFETCH(QByteArray, content);
    QVERIFY(!AgencyErrorFile::parse(content));
}

void TestAgencyErrors::whatTheOfficeReads_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("lines");
    QByteArray oldLayout = supplierRecord();
    oldLayout.replace(299, 6, "      ");
    QTest::newRow("blanks where a number goes")
        << oldLayout << QStringLiteral("E010330 ") + kBdns
        << QStringList{
               QStringLiteral("   E010330 %1 (posiciones 300-305)").arg(kBdns),
               QStringLiteral("   Qué hacer: un campo numérico va en blanco, como lo dejaban los diseños "
                              "anteriores: vuelva a generar el fichero con este programa, que lo rellena con "
                              "ceros."),
               QStringLiteral(
                   "   Este programa también encuentra: posiciones 300-305 (número de convocatoria "
                   "BDNS): hay blancos en un campo numérico.")};
    QTest::newRow("what this program's check misses")
        << supplierRecord() << QStringLiteral("E999999 Error desconocido")
        << QStringList{
               QStringLiteral("   E999999 Error desconocido"),
               QStringLiteral("   Qué hacer: corríjalo en la contabilidad."),
               QStringLiteral("   La comprobación de este programa no encuentra nada en este registro: es "
                              "un hueco de la comprobación; comuníquelo a quien le da soporte.")};
}

// For each refused record, who it is and what is wrong; what to do; and whether this program saw it too.
void TestAgencyErrors::whatTheOfficeReads() {
    QFETCH(QByteArray, record);
    QFETCH(QString, error);
    QFETCH(QStringList, lines);
    const std::optional<AgencyErrorFile> file =
        AgencyErrorFile::parse(record + ';' + error.toUtf8() + "\r\n");
    QVERIFY(file);
    const AgencyErrorsListing listing(*file, QStringLiteral("errores.txt"));
    QCOMPARE(listing.title,
             QStringLiteral("Errores de la Agencia en la declaración del modelo 347, ejercicio 2025"));
    QCOMPARE(
        listing.lines.first(),
        QStringLiteral("1. Línea 1: registro de tipo 2 del modelo 347: B12345674 LIMPIEZAS ÑANDU, S.L."));
    QCOMPARE(listing.lines.mid(1, lines.size()), lines);
    QCOMPARE(listing.lines.last(),
             QStringLiteral("   %1: 1 registro").arg(error.section(QLatin1Char(' '), 0, 0)));
}

QTEST_GUILESS_MAIN(TestAgencyErrors)
#include "tst_agencyerrors.moc"
