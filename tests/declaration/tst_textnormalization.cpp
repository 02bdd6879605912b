#include "declaration/TextNormalization.h"

#include <QTest>

class TestTextNormalization : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void normalizeText_data();
    void normalizeText();
    void replaceAll_data();
    void replaceAll();
};

void TestTextNormalization::normalizeText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("accents and brackets") << "JOSÉ MARÍA (HIJO)"
                                          << "JOSE MARIA HIJO";
    QTest::newRow("ordinals") << "Cª Nº 1"
                              << "C. N. 1";
    QTest::newRow("eñe stays") << "PEÑA"
                               << "PEÑA";
    QTest::newRow("lower-case accents stay") << "josé"
                                             << "josé";
    QTest::newRow("every removed character") << "a{b}c[d]e\"f\""
                                             << "abcdef";
    QTest::newRow("all vowels") << "ÁÉÍÓÚ áéíóú Ü Ç"
                                << "AEIOU áéíóú U Ç";
    QTest::newRow("every accent of the code page") << "ÀÂÃÄÅ ÈÊË ÌÎÏ ÒÔÕÖ ÙÛÜ ÝŸ"
                                                   << "AAAAA EEE III OOOO UUU YY";
    QTest::newRow("diaereses") << "ZOË MÜLLER"
                               << "ZOE MULLER";
    QTest::newRow("cedilla stays") << "GARÇON"
                                   << "GARÇON";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("apostrophe stays") << "L'HOSPITALET"
                                      << "L'HOSPITALET";
}

void TestTextNormalization::normalizeText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(NormalizeText(text), expected);
}

void TestTextNormalization::replaceAll_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("searched");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("inserted text is not searched again") << "AAA"
                                                         << "A"
                                                         << "AA"
                                                         << "AAAAAA";
    QTest::newRow("not found") << "PEÑA"
                               << "Á"
                               << "A"
                               << "PEÑA";
    QTest::newRow("empty source") << ""
                                  << "A"
                                  << "B"
                                  << "";
    QTest::newRow("removal") << "(a)(b)"
                             << "("
                             << ""
                             << "a)b)";
    QTest::newRow("no overlap") << "aaaa"
                                << "aa"
                                << "b"
                                << "bb";
    QTest::newRow("exact case") << "aAa"
                                << "A"
                                << "x"
                                << "axa";
    QTest::newRow("longer search") << "x--y--"
                                   << "--"
                                   << "+"
                                   << "x+y+";
}

void TestTextNormalization::replaceAll() {
    QFETCH(QString, source);
    QFETCH(QString, searched);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAll(source, searched, replacement), expected);
}

QTEST_GUILESS_MAIN(TestTextNormalization)
#include "tst_textnormalization.moc"
