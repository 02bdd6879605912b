#include "taxid/cCifNif.h"

#include <QTest>

class TestCifNif : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verdict_data();
    void verdict();
    void newObjectIsFalse();
    void prefixIsRemovedFromTheCallersText_data();
    void prefixIsRemovedFromTheCallersText();
    void eachEntradaReplacesTheVerdict();
};

void TestCifNif::verdict_data() {
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<bool>("valid");
    QTest::newRow("personal") << "12345678Z" << true;
    QTest::newRow("personal, lower-case letter") << "12345678z" << false;
    QTest::newRow("personal, wrong letter") << "12345678A" << false;
    QTest::newRow("two-digit number") << "12N" << true;
    QTest::newRow("shorter than three") << "1R" << false;
    QTest::newRow("seven digits") << "1234567L" << true;
    QTest::newRow("X prefix") << "X1234567L" << true;
    QTest::newRow("x prefix") << "x1234567L" << true;
    QTest::newRow("Y prefix") << "Y1234567L" << false;
    QTest::newRow("Z prefix") << "Z1234567L" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("lone X") << "X" << false;
    QTest::newRow("digits only") << "123456789" << false;
    QTest::newRow("hyphen") << "12345678-Z" << false;
    QTest::newRow("CIF too long") << "B123456789" << false;
    QTest::newRow("CIF control digit") << "B12345674" << true;
    QTest::newRow("CIF control letter") << "B1234567D" << true;
    QTest::newRow("CIF wrong digit") << "B12345675" << false;
    QTest::newRow("CIF wrong letter") << "B1234567E" << false;
    QTest::newRow("CIF all zeros, digit") << "A00000000" << true;
    QTest::newRow("CIF all zeros, letter J") << "A0000000J" << true;
    QTest::newRow("lower-case organisation letter") << "b12345674" << false;
    QTest::newRow("K is no organisation letter") << "K1234567D" << false;
    QTest::newRow("CIF of eight characters") << "B1234567" << false;
    QTest::newRow("every organisation letter: S") << "S1234567D" << true;
    QTest::newRow("every organisation letter: Q") << "Q12345674" << true;
    QTest::newRow("blank inside") << "1234 678Z" << false;
    QTest::newRow("leading blank") << " 12345678Z" << false;
    QTest::newRow("non-ASCII digits") << "١٢٣٤٥٦٧٨Z" << false;
    QTest::newRow("remainder zero gives T") << "00000023T" << true;
    QTest::newRow("remainder 22 gives E") << "22E" << true;
}

void TestCifNif::verdict() {
    QFETCH(QString, identifier);
    QFETCH(bool, valid);
    cCifNif check;
    check.Entrada(identifier);
    QCOMPARE(check.Correcto(), valid);
}

void TestCifNif::newObjectIsFalse() {
    QVERIFY(!cCifNif().Correcto());
}

void TestCifNif::prefixIsRemovedFromTheCallersText_data() {
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("afterwards");
    QTest::newRow("upper") << "X1234567L"
                           << "1234567L";
    QTest::newRow("lower") << "x1234567L"
                           << "1234567L";
    QTest::newRow("only the first") << "XX1"
                                    << "X1";
    QTest::newRow("other letters stay") << "Y1234567L"
                                        << "Y1234567L";
}

void TestCifNif::prefixIsRemovedFromTheCallersText() {
    QFETCH(QString, identifier);
    QFETCH(QString, afterwards);
    cCifNif check;
    check.Entrada(identifier);
    QCOMPARE(identifier, afterwards);
}

void TestCifNif::eachEntradaReplacesTheVerdict() {
    cCifNif check;
    QString bad = QStringLiteral("12345678A");
    QString good = QStringLiteral("12345678Z");
    check.Entrada(bad);
    QVERIFY(!check.Correcto());
    check.Entrada(good);
    QVERIFY(check.Correcto());
    check.Entrada(bad);
    QVERIFY(!check.Correcto());
}

QTEST_GUILESS_MAIN(TestCifNif)
#include "tst_ccifnif.moc"
