#include "declaration/Windows1252.h"

#include <QTest>

class TestWindows1252 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void encode_data();
    void encode();
    void upperText_data();
    void upperText();
    void upperBytesMatchesUpperText();
};

void TestWindows1252::encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "ABC 123" << QByteArray("ABC 123");
    QTest::newRow("latin-1") << "Ñandú ªº"
                             << QByteArray(
                                    "\xD1"
                                    "and\xFA \xAA\xBA");
    QTest::newRow("euro") << "5 €" << QByteArray("5 \x80");
    QTest::newRow("typographic apostrophe") << "L’Hospitalet" << QByteArray("L\x92Hospitalet");
    QTest::newRow("Y with diaeresis") << "Ÿ" << QByteArray("\x9F");
    QTest::newRow("s caron, oe, z caron") << "šœž" << QByteArray("\x9A\x9C\x9E");
    QTest::newRow("emoji is one replacement") << "a😀b" << QByteArray("a?b");
    QTest::newRow("greek is one replacement") << "αβ" << QByteArray("??");
    QTest::newRow("undefined C1 control") << QString(QChar(0x81)) << QByteArray("?");
    QTest::newRow("line break becomes a space") << "Uno\r\nDos" << QByteArray("Uno  Dos");
    QTest::newRow("tab becomes a space") << "a\tb" << QByteArray("a b");
}

void TestWindows1252::encode() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const QByteArray encoded = Windows1252::encode(text);
    QCOMPARE(encoded, bytes);
    QVERIFY(!encoded.contains('\x1A'));
}

void TestWindows1252::upperText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("accents") << "áéíóú àèìòù äëïöü âêîôû"
                             << "ÁÉÍÓÚ ÀÈÌÒÙ ÄËÏÖÜ ÂÊÎÔÛ";
    QTest::newRow("eñe and ce cedilla") << "ñç"
                                        << "ÑÇ";
    QTest::newRow("y diaeresis") << "ÿ"
                                 << "Ÿ";
    QTest::newRow("caron letters and oe") << "šœž"
                                          << "ŠŒŽ";
    QTest::newRow("sharp s and micro stay") << "ßµ"
                                            << "ßµ";
    QTest::newRow("division sign stays") << "÷"
                                         << "÷";
    QTest::newRow("outside the code page stays") << "αω😀"
                                                 << "αω😀";
    QTest::newRow("ordinals stay") << "ªº"
                                   << "ªº";
}

void TestWindows1252::upperText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString upper = Windows1252::toUpper(text);
    QCOMPARE(upper, expected);
    QCOMPARE(Windows1252::encode(upper).size(), Windows1252::encode(text).size());
}

void TestWindows1252::upperBytesMatchesUpperText() {
    QString every;
    for (char16_t c = 0x20; c < 0x100; ++c)
        every += QChar(c);
    every += QStringLiteral("€šœžŸŠŒŽ‘’“”");
    QCOMPARE(Windows1252::toUpper(Windows1252::encode(every)),
             Windows1252::encode(Windows1252::toUpper(every)));
}

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
