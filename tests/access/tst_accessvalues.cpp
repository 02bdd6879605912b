#include "access/AccessValues.h"

#include <QTest>

#include <ctime>

class TestAccessValues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Spain's time zone, with its daylight saving, which a date of the file must not feel.
    void initTestCase() {
        qputenv("TZ", "Europe/Madrid");
        tzset();
    }
    void unicodeText_data();
    void unicodeText();
    void dateText_data();
    void dateText();
    void currency_data();
    void currency();
    void decimal_data();
    void decimal();
    void replicationId();
    void calculatedDecimal_data();
    void calculatedDecimal();
};

void TestAccessValues::unicodeText_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("text");
    const auto bytes = [](const char* data, int size) { return QByteArray(data, size); };
    QTest::newRow("UTF-16LE") << bytes("\xD1\0o\0", 4) << QStringLiteral("Ño");
    QTest::newRow("compressed") << bytes("\xFF\xFEPe\xF1\x61", 6) << QStringLiteral("Peña");
    QTest::newRow("compressed, then two bytes a character, then one")
        << bytes("\xFF\xFE\x61\0\x1C\x04\0\x62", 8) << QStringLiteral("aМb");
    QTest::newRow("surrogate pair") << bytes("a\0=\xD8\0\xDE\x61\0", 8) << QStringLiteral("a😀a");
    QTest::newRow("odd byte at the end") << bytes("a\0b", 3) << QStringLiteral("a");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestAccessValues::unicodeText() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, text);
    QCOMPARE(AccessValues::unicodeText(stored), text);
}

void TestAccessValues::dateText_data() {
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("text");
    QTest::newRow("the epoch") << 0.0 << "1899-12-30";
    QTest::newRow("a day of last year") << 45658.0 << "2025-01-01";
    QTest::newRow("with a time") << 45658.75 << "2025-01-01 18:00:00";
    QTest::newRow("one second before midnight") << 45658.0 + 86399.0 / 86400 << "2025-01-01 23:59:59";
    QTest::newRow("rounds up to the next midnight") << 45658.0 + 86399.6 / 86400 << "2025-01-02";
    QTest::newRow("negative: the fraction counts forward") << -1.25 << "1899-12-29 06:00:00";
    QTest::newRow("before the Gregorian reform") << -115859.0 << "1582-10-14";
    QTest::newRow("fifteenth century") << -149008.0 << "1492-01-10";
    // Wall-clock times: the days that Spain's clocks change keep every hour (see initTestCase).
    QTest::newRow("in the hour that spring skips") << 45746.0 + 2.5 / 24 << "2025-03-30 02:30:00";
    QTest::newRow("after the hour that autumn repeats") << 45956.0 + 10.0 / 24 << "2025-10-26 10:00:00";
}

void TestAccessValues::dateText() {
    QFETCH(double, days);
    QFETCH(QString, text);
    QCOMPARE(AccessValues::dateText(days), text);
}

void TestAccessValues::currency_data() {
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<QString>("exact");
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("cents") << qint64(30050600) << "3005.06";
    QTest::newRow("below the cent") << qint64(12345) << "1.2345";
    QTest::newRow("negative, smallest") << qint64(-1) << "-0.0001";
    QTest::newRow("a hundred thousand million") << qint64(1000000000000001) << "100000000000.0001";
}

// The nearest double to the exact decimal value, and not a neighbour of it.
void TestAccessValues::currency() {
    QFETCH(qint64, stored);
    QFETCH(QString, exact);
    QCOMPARE(AccessValues::currency(stored), exact.toDouble());
}

void TestAccessValues::decimal_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QVariant>("value");
    const auto stored = [](bool negative, quint32 high, quint32 low) {
        QByteArray bytes(17, '\0');
        bytes[0] = negative ? '\x80' : '\0';
        for (int i = 0; i < 4; ++i) {
            bytes[9 + i] = static_cast<char>((high >> (8 * i)) & 0xFF);
            bytes[13 + i] = static_cast<char>((low >> (8 * i)) & 0xFF);
        }
        return bytes;
    };
    QTest::newRow("whole") << stored(false, 0, 4) << 0 << QVariant::fromValue<qlonglong>(4);
    QTest::newRow("whole, negative") << stored(true, 0, 1) << 0 << QVariant::fromValue<qlonglong>(-1);
    QTest::newRow("cents") << stored(false, 0, 300506) << 2 << QVariant(3005.06);
    QTest::newRow("negative below one") << stored(true, 0, 5) << 3 << QVariant(-0.005);
    QTest::newRow("beyond 32 bits") << stored(false, 1, 0) << 0
                                    << QVariant::fromValue<qlonglong>(4294967296LL);
}

void TestAccessValues::decimal() {
    QFETCH(QByteArray, stored);
    QFETCH(int, scale);
    QFETCH(QVariant, value);
    QCOMPARE(AccessValues::decimal(stored, scale), value);
}

void TestAccessValues::replicationId() {
    const QByteArray stored("\x33\x22\x11\x00\x55\x44\x77\x66\x88\x99\xAA\xBB\xCC\xDD\xEE\xFF", 16);
    QCOMPARE(AccessValues::replicationId(stored), QStringLiteral("{00112233-4455-6677-8899-AABBCCDDEEFF}"));
}

void TestAccessValues::calculatedDecimal_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QVariant>("value");
    // A calculated column's wrapping: 16 bytes, the length, the value, padding (from an Access 2010 file).
    const auto wrapped = [](const char* value) {
        return QByteArray(16, '\0') + QByteArray("\x10\x00\x00\x00", 4) + QByteArray::fromHex(value) +
               QByteArray(3, '\0');
    };
    QTest::newRow("a low word") << wrapped(
                                       "0000060000000000"
                                       "08e6ff0200000000")
                                << QVariant(50.325);
    QTest::newRow("negative") << wrapped(
                                     "0000068000000000"
                                     "f8b4280200000000")
                              << QVariant(-36.2222);
    QTest::newRow("two words of the low part") << wrapped(
                                                      "00000600"
                                                      "00000000"
                                                      "f1f4ede11c7c6a01")
                                               << QVariant(102030405060.654321);
    QTest::newRow("the high word") << wrapped(
                                          "0e001200"
                                          "58e993b6"
                                          "744deac8f7aa5218")
                                   << QVariant(56505085819.424791296572280180);
    QTest::newRow("too short") << QByteArray(16, '\0') + QByteArray("\x02\x00\x00\x00\x00\x00", 6)
                               << QVariant();
}

void TestAccessValues::calculatedDecimal() {
    QFETCH(QByteArray, stored);
    QFETCH(QVariant, value);
    QCOMPARE(AccessValues::calculatedDecimal(AccessValues::calculatedData(stored)), value);
}

QTEST_GUILESS_MAIN(TestAccessValues)
#include "tst_accessvalues.moc"
