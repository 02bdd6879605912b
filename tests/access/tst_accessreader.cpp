#include "access/AccessReader.h"
#include "db/DbError.h"

#include <mdbtools.h>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/") + name;
}

const QStringList kFixtures = {
    QStringLiteral("testV1997.mdb"),
    QStringLiteral("testV2007.accdb"),
    QStringLiteral("test2V2003.mdb"),
    QStringLiteral("fixedNumericTestV2000.mdb"),
    QStringLiteral("oldDatesV2007.accdb"),
    QStringLiteral("testUnicodeCompV2003.mdb"),
    QStringLiteral("testEmoticonsV2010.accdb"),
    QStringLiteral("delTestV2003.mdb"),
    QStringLiteral("queryTestV2000.mdb"),
};

QList<QVariantList> rowsOf(const AccessReader& reader, const QString& table) {
    QList<QVariantList> rows;
    for (const AccessTable& candidate : reader.tables())
        if (candidate.name == table)
            reader.readRows(candidate, [&](const QVariantList& row) { rows.append(row); });
    return rows;
}

QStringList toolLines(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// libmdb's own conversion, which mdb-json uses, turns a character outside the basic plane into "??".
QString asLibmdbShowsIt(const QString& text) {
    QString shown;
    for (const char32_t c : text.toUcs4())
        shown += c > 0xFFFF ? QStringLiteral("??") : QString::fromUcs4(&c, 1);
    return shown;
}

// mdb-json's form of a date, which is right from 1900 on.
QString asLibmdbDate(const QString& text) {
    const QDateTime when = QDateTime::fromString(
        text.size() == 10 ? text + QStringLiteral(" 00:00:00") : text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return when.toString(QStringLiteral("MM/dd/yy HH:mm:ss"));
}

void compareWithLibmdb(const AccessColumn& column, const QVariant& ours, const QJsonValue& theirs, int row) {
    const QString where = QStringLiteral("%1, row %2").arg(column.name).arg(row);
    if (column.type == MDB_BOOL) {
        QCOMPARE(ours.toInt() == -1, theirs.toInt() == 1);
        return;
    }
    QVERIFY2(ours.isNull() == theirs.isUndefined(), qPrintable(where));
    if (ours.isNull())
        return;
    switch (column.type) {
        case MDB_TEXT:
        case MDB_MEMO:
            QCOMPARE(asLibmdbShowsIt(ours.toString()), theirs.toString());
            break;
        case MDB_DATETIME:
            if (ours.toString() >= QLatin1String("1900"))
                QCOMPARE(asLibmdbDate(ours.toString()), theirs.toString());
            break;
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_NUMERIC:
            QVERIFY2(qFuzzyCompare(1 + ours.toDouble(), 1 + theirs.toDouble()), qPrintable(where));
            break;
        default:
            break;
    }
}

}  // namespace

class TestAccessReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTableAsLibmdbReadsIt_data();
    void everyTableAsLibmdbReadsIt();
    void documentedRows_data();
    void documentedRows();
    void datesBefore1900();
    void charactersOutsideTheBasicPlane();
    void deletedRowsAreNotRead();
    void decimalsKeepTheirValue();
    void primaryKeyAndTypes();
    void calculatedColumns_data();
    void calculatedColumns();
    void tableNamedLikeAForm();
    void columnsLeftOut_data();
    void columnsLeftOut();
    void notAnAccessFile();
};

void TestAccessReader::everyTableAsLibmdbReadsIt_data() {
    QTest::addColumn<QString>("file");
    for (const QString& name : kFixtures)
        QTest::newRow(qPrintable(name)) << name;
}

// Its tables, their columns, rows and values, against mdb-tables and mdb-json.
void TestAccessReader::everyTableAsLibmdbReadsIt() {
    QFETCH(QString, file);
    const AccessReader reader(fixture(file));
    QStringList names;
    for (const AccessTable& table : reader.tables())
        names.append(table.name);
    QCOMPARE(names, toolLines(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), fixture(file)}));
    for (const AccessTable& table : reader.tables()) {
        const QStringList json = toolLines(QStringLiteral("mdb-json"), {fixture(file), table.name});
        const QList<QVariantList> rows = rowsOf(reader, table.name);
        QCOMPARE(rows.size(), json.size());
        QCOMPARE(rows.size(), table.rowCount);
        for (int r = 0; r < rows.size(); ++r) {
            const QJsonObject theirs = QJsonDocument::fromJson(json[r].toUtf8()).object();
            QCOMPARE(rows[r].size(), table.columns.size());
            for (int c = 0; c < table.columns.size(); ++c) {
                compareWithLibmdb(table.columns[c], rows[r][c], theirs.value(table.columns[c].name), r);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }
}

void TestAccessReader::documentedRows_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("Jet 3") << "testV1997.mdb";
    QTest::newRow("ACE") << "testV2007.accdb";
}

void TestAccessReader::documentedRows() {
    QFETCH(QString, file);
    const AccessReader reader(fixture(file));
    const auto integer = [](qlonglong value) { return QVariant::fromValue<qlonglong>(value); };
    QCOMPARE(rowsOf(reader, QStringLiteral("Table1")),
             (QList<QVariantList>{
                 {QStringLiteral("a"), QStringLiteral("b"), integer(0), integer(0), integer(0), 0.0,
                  QStringLiteral("1981-12-12"), 0.0, integer(0)},
                 {QStringLiteral("abcdefg"), QStringLiteral("hijklmnop"), integer(2), integer(222),
                  integer(333333333), 444.555, QStringLiteral("1974-09-21"), 3.5, integer(-1)}}));
    for (const QString& empty :
         {QStringLiteral("Table2"), QStringLiteral("Table3"), QStringLiteral("Table4")})
        QVERIFY(rowsOf(reader, empty).isEmpty());
}

void TestAccessReader::datesBefore1900() {
    const AccessReader reader(fixture(QStringLiteral("oldDatesV2007.accdb")));
    QStringList dates;
    for (const QVariantList& row : rowsOf(reader, QStringLiteral("Table1")))
        dates.append(row[1].toString());
    QCOMPARE(dates, (QStringList{QStringLiteral("1582-10-15"), QStringLiteral("1582-10-14"),
                                 QStringLiteral("1492-01-10"), QStringLiteral("1392-01-10")}));
}

void TestAccessReader::charactersOutsideTheBasicPlane() {
    const AccessReader reader(fixture(QStringLiteral("testEmoticonsV2010.accdb")));
    const QList<QVariantList> rows = rowsOf(reader, QStringLiteral("data"));
    QCOMPARE(rows.size(), 80);
    for (const QVariantList& row : rows) {
        const auto codePoint = static_cast<char32_t>(row[0].toLongLong());
        QCOMPARE(row[1].toString(),
                 QStringLiteral("a") + QString::fromUcs4(&codePoint, 1) + QStringLiteral("a"));
    }
    QCOMPARE(rows.first()[1].toString(), QStringLiteral("a😀a"));
}

void TestAccessReader::deletedRowsAreNotRead() {
    const AccessReader reader(fixture(QStringLiteral("delTestV2003.mdb")));
    QCOMPARE(rowsOf(reader, QStringLiteral("Table")),
             (QList<QVariantList>{{QStringLiteral("z"), QStringLiteral("y")},
                                  {QStringLiteral("v"), QStringLiteral("u")}}));
}

void TestAccessReader::decimalsKeepTheirValue() {
    const AccessReader reader(fixture(QStringLiteral("fixedNumericTestV2000.mdb")));
    const auto integer = [](qlonglong value) { return QVariant::fromValue<qlonglong>(value); };
    QCOMPARE(rowsOf(reader, QStringLiteral("test")),
             (QList<QVariantList>{{QStringLiteral("some data"), integer(1), integer(0), integer(0),
                                   integer(4), integer(-1), integer(1)}}));
}

void TestAccessReader::primaryKeyAndTypes() {
    const AccessReader dates(fixture(QStringLiteral("oldDatesV2007.accdb")));
    QCOMPARE(dates.tables().first().primaryKey, QStringList{QStringLiteral("ID")});
    const AccessReader jet3(fixture(QStringLiteral("testV1997.mdb")));
    QStringList types;
    for (const AccessColumn& column : jet3.tables().first().columns)
        types.append(column.sqliteType());
    QCOMPARE(types, (QStringList{QStringLiteral("TEXT(50) COLLATE NOCASE"),
                                 QStringLiteral("TEXT(100) COLLATE NOCASE"), QStringLiteral("INTEGER"),
                                 QStringLiteral("INTEGER"), QStringLiteral("INTEGER"), QStringLiteral("REAL"),
                                 QStringLiteral("TEXT"), QStringLiteral("REAL"), QStringLiteral("INTEGER")}));
    const AccessReader ace(fixture(QStringLiteral("testV2007.accdb")));
    QCOMPARE(ace.tables().first().columns.first().sqliteType(), QStringLiteral("TEXT(50) COLLATE NOCASE"));
}

void TestAccessReader::calculatedColumns_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariantList>("values");
    const auto integer = [](qlonglong value) { return QVariant::fromValue<qlonglong>(value); };
    // As Access computes them, for the rows with ID 1 to 4.
    QTest::newRow("text") << "LastFirst"
                          << "TEXT(243) COLLATE NOCASE"
                          << QVariantList{QStringLiteral("Wayne, Bruce"), QStringLiteral("Simpson, Bart"),
                                          QStringLiteral("Doe, John"), QStringLiteral("User, Test")};
    QTest::newRow("long") << "LastFirstLen"
                          << "INTEGER" << QVariantList{integer(12), integer(13), integer(9), integer(10)};
    QTest::newRow("currency") << "MonthlySalary"
                              << "REAL" << QVariantList{83333.3333, -0.0833, 0.0, 8.3333};
    QTest::newRow("yes/no") << "IsRich"
                            << "INTEGER" << QVariantList{integer(-1), integer(0), integer(0), integer(0)};
    QTest::newRow("memo") << "AllNames"
                          << "TEXT COLLATE NOCASE"
                          << QVariantList{QStringLiteral("Wayne, Bruce=Wayne, Bruce"),
                                          QStringLiteral("Simpson, Bart=Simpson, Bart"),
                                          QStringLiteral("Doe, John=Doe, John"),
                                          QStringLiteral("User, Test=User, Test")};
    QTest::newRow("decimal") << "DecimalTest"
                             << "REAL" << QVariantList{50.325, -36.2222, 0.0123, 102030405060.654321};
    QTest::newRow("decimal of 96 bits")
        << "BigNumTest"
        << "REAL"
        << QVariantList{56505085819.424791296572280180, -0.0784734499180612994241100748, 0.0,
                        2.787019289824216980830E-7};
    QTest::newRow("single") << "FloatTest"
                            << "REAL"
                            << QVariantList{static_cast<double>(2583.2092f),
                                            static_cast<double>(0.0035889593f), 0.0,
                                            static_cast<double>(1.27413E-10f)};
}

// libmdb gives the wrapping of a calculated column as its value; the reader takes the value out.
void TestAccessReader::calculatedColumns() {
    QFETCH(QString, column);
    QFETCH(QString, type);
    QFETCH(QVariantList, values);
    const AccessReader reader(fixture(QStringLiteral("calcFieldTestV2010.accdb")));
    const AccessTable& table = reader.tables().first();
    qsizetype position = -1;
    for (qsizetype c = 0; c < table.columns.size(); ++c)
        if (table.columns[c].name == column)
            position = c;
    QVERIFY(position >= 0);
    QVERIFY(table.columns[position].calculated);
    QCOMPARE(table.columns[position].sqliteType(), type);
    QVariantList read;
    for (const QVariantList& row : rowsOf(reader, table.name))
        read.append(row[position]);
    QCOMPARE(read, values);
}

// Access lets a form share a table's name; the table is read all the same.
void TestAccessReader::tableNamedLikeAForm() {
    const AccessReader reader(fixture(QStringLiteral("nameClash.mdb")));
    QStringList names;
    for (const AccessTable& table : reader.tables())
        names.append(table.name);
    QCOMPARE(names, (QStringList{QStringLiteral("Orders"), QStringLiteral("Customers")}));
    const QList<QVariantList> orders = rowsOf(reader, QStringLiteral("Orders"));
    QCOMPARE(orders.size(), 3);
    QCOMPARE(orders[1],
             (QVariantList{QVariant::fromValue<qlonglong>(2), QStringLiteral("Ana Trujillo"), 20.25}));
}

void TestAccessReader::columnsLeftOut_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("calculated");
    QTest::addColumn<QString>("reason");  // empty for a column the reading decodes
    QTest::newRow("Date/Time") << int(MDB_DATETIME) << false << QString();
    QTest::newRow("OLE object") << int(MDB_OLE) << false << QString();
    QTest::newRow("Date/Time Extended") << 0x14 << false << "es de tipo Fecha/Hora extendida";
    QTest::newRow("attachments") << int(MDB_COMPLEX) << false << "es de datos adjuntos";
    QTest::newRow("a calculated OLE object") << int(MDB_OLE) << true << "es calculada";
}

// What the reading cannot decode is left out, and the import says so with the reason.
void TestAccessReader::columnsLeftOut() {
    QFETCH(int, type);
    QFETCH(bool, calculated);
    QFETCH(QString, reason);
    AccessColumn column;
    column.type = type;
    column.calculated = calculated;
    QCOMPARE(column.isKept(), reason.isEmpty());
    if (!reason.isEmpty())
        QVERIFY2(column.leftOutReason().startsWith(reason), qPrintable(column.leftOutReason()));
}

void TestAccessReader::notAnAccessFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("texto.mdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    try {
        AccessReader reader(path);
        QFAIL("read a file that is no Access file");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TestAccessReader)
#include "tst_accessreader.moc"
