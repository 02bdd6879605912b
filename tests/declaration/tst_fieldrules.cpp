#include "declaration/Amount.h"
#include "declaration/FieldRules.h"
#include "declaration/OutputTextFile.h"
#include "declaration/RecordDesign.h"
#include "declaration/RecordError.h"
#include "support/Golden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class TestField { Name, Other };

// A record type, a name the writer fills, and blanks.
RecordDesign nameDesign() {
    return RecordDesign({fixed(1, 1, FieldKind::Numeric, "tipo de registro", "2"),
                         filled(2, 41, FieldKind::Alphanumeric, "nombre", TestField::Name),
                         blanks(42, 500, "blancos")});
}

}  // namespace

class TestFieldRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textField_data();
    void textField();
    void digitField_data();
    void digitField();
    void amountField_data();
    void amountField();
    void roundsOnTheDecimalValue_data();
    void roundsOnTheDecimalValue();
    void sumOfTenThousandDimes();
    void refusesWhatNoFieldCanHold();
    void recordIsFiveHundredUpperCasedBytes();
    void recordRefusesAWrongOrMissingField();
    void designMustCoverTheRecord();
    void supplierLineUsesPrintZones_data();
    void supplierLineUsesPrintZones();
    void textFileWritesCrLfWindows1252();
    void textFileTargets_data();
    void textFileTargets();
};

void TestFieldRules::textField_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("empty gives spaces") << "" << 40 << QByteArray(40, ' ');
    QTest::newRow("short is space-filled") << "ABC" << 5 << QByteArray("ABC  ");
    QTest::newRow("long loses its tail") << "ABCDEFG" << 3 << QByteArray("ABC");
    QTest::newRow("accents count one each") << "ÑÁÉ" << 4 << QByteArray("\xD1\xC1\xC9 ");
    QTest::newRow("emoji counts one") << "😀😀😀" << 2 << QByteArray("??");
}

void TestFieldRules::textField() {
    QFETCH(QString, value);
    QFETCH(int, width);
    QFETCH(QByteArray, field);
    QCOMPARE(FieldRules::text(value, width), field);
}

void TestFieldRules::digitField_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("exact") << "12345678Z" << 9 << QByteArray("12345678Z");
    QTest::newRow("short is zero-filled") << "1234Z" << 9 << QByteArray("00001234Z");
    QTest::newRow("long loses its head") << "X1234567890" << 9 << QByteArray("234567890");
    QTest::newRow("empty is zeros") << "" << 4 << QByteArray("0000");
    QTest::newRow("letters go in unchanged") << "ab-1" << 6 << QByteArray("00ab-1");
}

void TestFieldRules::digitField() {
    QFETCH(QString, value);
    QFETCH(int, width);
    QFETCH(QByteArray, field);
    QCOMPARE(FieldRules::digits(value, width), field);
}

void TestFieldRules::amountField_data() {
    QTest::addColumn<double>("euros");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("1234.5") << 1234.5 << 13 << QByteArray("0000000123450");
    QTest::newRow("0.07") << 0.07 << 13 << QByteArray("0000000000007");
    QTest::newRow("zero") << 0.0 << 15 << QByteArray("000000000000000");
    QTest::newRow("total paid") << 3500.50 << 15 << QByteArray("000000000350050");
    QTest::newRow("total withheld") << 525.08 << 15 << QByteArray("000000000052508");
}

void TestFieldRules::amountField() {
    QFETCH(double, euros);
    QFETCH(int, width);
    QFETCH(QByteArray, field);
    QCOMPARE(FieldRules::amount(roundToCents(euros), width), field);
}

void TestFieldRules::roundsOnTheDecimalValue_data() {
    QTest::addColumn<double>("euros");
    QTest::addColumn<qint64>("cents");
    // Each of these is stored in binary a hair below the decimal value.
    QTest::newRow("1.005") << 1.005 << qint64(101);
    QTest::newRow("2.675") << 2.675 << qint64(268);
    QTest::newRow("0.285") << 0.285 << qint64(29);
    QTest::newRow("1.015") << 1.015 << qint64(102);
    QTest::newRow("8.345") << 8.345 << qint64(835);
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << qint64(30);
    QTest::newRow("1.1 + 1.575") << 1.1 + 1.575 << qint64(268);
    QTest::newRow("below half") << 0.004 << qint64(0);
    QTest::newRow("negative rounds away from zero") << -2.675 << qint64(-268);
    QTest::newRow("large") << 98765432.10 << qint64(9876543210);
    QTest::newRow("tiny") << 1e-12 << qint64(0);
}

void TestFieldRules::roundsOnTheDecimalValue() {
    QFETCH(double, euros);
    QFETCH(qint64, cents);
    QCOMPARE(roundToCents(euros), cents);
}

void TestFieldRules::sumOfTenThousandDimes() {
    double sum = 0;
    for (int i = 0; i < 10000; ++i)
        sum += 0.10;
    QVERIFY(sum != 1000.0);                       // the binary sum is off...
    QCOMPARE(roundToCents(sum), qint64(100000));  // ...the cents are not
}

void TestFieldRules::refusesWhatNoFieldCanHold() {
    QVERIFY_THROWS_EXCEPTION(RecordError, roundToCents(std::numeric_limits<double>::quiet_NaN()));
    QVERIFY_THROWS_EXCEPTION(RecordError, roundToCents(std::numeric_limits<double>::infinity()));
    QVERIFY_THROWS_EXCEPTION(RecordError, FieldRules::amount(-1, 13));
    QVERIFY_THROWS_EXCEPTION(RecordError, FieldRules::count(-1, 9));
}

void TestFieldRules::recordIsFiveHundredUpperCasedBytes() {
    const RecordDesign design = nameDesign();
    DesignedRecord record(design);
    record.put(TestField::Name, FieldRules::text(QStringLiteral("Gómez 😀 Ñandú, ÿ œ ß µ"), 40));
    const QByteArray line = record.line();
    QCOMPARE(line.size(), 502);
    QVERIFY(line.endsWith("\r\n"));
    QCOMPARE(line.left(23), QByteArray("2G\xD3MEZ ? \xD1"
                                       "AND\xDA, \x9F \x8C \xDF \xB5"));
}

void TestFieldRules::recordRefusesAWrongOrMissingField() {
    const RecordDesign design = nameDesign();
    QVERIFY_THROWS_EXCEPTION(RecordError, DesignedRecord(design).line());
    QVERIFY_THROWS_EXCEPTION(RecordError, DesignedRecord(design).put(TestField::Name, QByteArray(39, 'A')));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, DesignedRecord(design).put(TestField::Other, "A"));
}

void TestFieldRules::designMustCoverTheRecord() {
    const auto design = [](int nameLast, const char* constant) {
        return RecordDesign({fixed(1, 1, FieldKind::Numeric, "tipo de registro", constant),
                             filled(2, nameLast, FieldKind::Alphanumeric, "nombre", TestField::Name),
                             blanks(42, 500, "blancos")});
    };
    QVERIFY_THROWS_EXCEPTION(std::logic_error, design(40, "2"));  // a gap
    QVERIFY_THROWS_EXCEPTION(std::logic_error, design(42, "2"));  // an overlap
    QVERIFY_THROWS_EXCEPTION(std::logic_error, design(41, "23"));
}

void TestFieldRules::supplierLineUsesPrintZones_data() {
    QTest::addColumn<QString>("nif");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("nine characters") << "12345678Z"
                                     << "Ana" << QByteArray("12345678Z     Ana");
    QTest::newRow("eight characters") << "B1234567"
                                      << "Papelería Sur"
                                      << QByteArray(
                                             "B1234567      Papeler\xED"
                                             "a Sur");
    QTest::newRow("thirteen characters") << "1234567890123"
                                         << "N" << QByteArray("1234567890123 N");
    QTest::newRow("fourteen characters go to the next zone")
        << "12345678901234"
        << "N" << QByteArray("12345678901234              N");
    QTest::newRow("empty nif") << ""
                               << "N" << QByteArray("              N");
}

void TestFieldRules::supplierLineUsesPrintZones() {
    QFETCH(QString, nif);
    QFETCH(QString, name);
    QFETCH(QByteArray, line);
    QCOMPARE(OutputTextFile::supplierLine(nif, name), line);
}

void TestFieldRules::textFileWritesCrLfWindows1252() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old content that is longer than the new one");
    }
    OutputTextFile file(path);
    file.writeLine(QStringLiteral("Código €"));
    file.writeRaw(OutputTextFile::supplierLine(QStringLiteral("X1"), QStringLiteral("Ñ")) + "\r\n");
    file.close();
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("C\xF3"
                                           "digo \x80\r\nX1            \xD1\r\n"));
}

void TestFieldRules::textFileTargets_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("refusal");  // empty when the file is written
    QTest::newRow("a plain file") << "file" << QString();
    QTest::newRow("a link to a file") << "link" << QString();
    QTest::newRow("a folder") << "folder"
                              << "no es un fichero normal";
    QTest::newRow("a named pipe") << "pipe"
                                  << "no es un fichero normal";
    QTest::newRow("in a missing folder") << "missing folder"
                                         << "no existe";
    QTest::newRow("in a folder without write permission") << "read-only folder"
                                                          << "no tiene permiso";
}

// What stands at the file's place decides whether it is written: through a link, the file linked to gets
// the new content and the link stays; anything else that is not a plain file is left alone.
void TestFieldRules::textFileTargets() {
    QFETCH(QString, target);
    QFETCH(QString, refusal);
    if (target == QLatin1String("read-only folder") && geteuid() == 0)
        QSKIP("permissions do not bind root");
    QTemporaryDir dir;
    const QString linked = dir.filePath(QStringLiteral("linked.txt"));
    QVERIFY(writeAll(linked, "earlier\r\n"));
    QString path = dir.filePath(QStringLiteral("Mod190.txt"));
    if (target == QLatin1String("file"))
        QVERIFY(writeAll(path, "earlier\r\n"));
    else if (target == QLatin1String("link"))
        QVERIFY(QFile::link(linked, path));
    else if (target == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Mod190.txt")));
    else if (target == QLatin1String("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (target == QLatin1String("missing folder"))
        path = dir.filePath(QStringLiteral("no/such/Mod190.txt"));
    else
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden);
    QString failure;
    try {
        OutputTextFile file(path);
        file.writeLine(QStringLiteral("nuevo"));
        file.close();
    } catch (const FileError& error) {
        failure = error.message();
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(failure.isEmpty(), refusal.isEmpty());
    if (!refusal.isEmpty())
        QVERIFY2(failure.startsWith(QStringLiteral("No se puede escribir el fichero %1: ").arg(path)) &&
                     failure.contains(refusal),
                 qPrintable(failure));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden), before);
    const QFileInfo place(path);
    QCOMPARE(place.isSymLink(), target == QLatin1String("link"));
    QCOMPARE(place.isDir(), target == QLatin1String("folder"));
    QCOMPARE(readAll(linked), QByteArray(target == QLatin1String("link") ? "nuevo\r\n" : "earlier\r\n"));
    if (target == QLatin1String("file"))
        QCOMPARE(readAll(path), QByteArray("nuevo\r\n"));
}

QTEST_GUILESS_MAIN(TestFieldRules)
#include "tst_fieldrules.moc"
