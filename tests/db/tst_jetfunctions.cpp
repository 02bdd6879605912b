// The functions of Jet's expression service, each with Jet's answer, Null included.
#include "db/Clock.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestJetFunctions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void function_data();
    void function();
    void refusals_data();
    void refusals();
    void namesInBrackets();
    void spreadOfASample();
    void firstAndLast();
    void firstRows_data();
    void textsSortAsJetSortsThem();
    void firstRows();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

void TestJetFunctions::initTestCase() {
    m_db = Database::create(m_dir.filePath(QStringLiteral("f.sqlite")), QString());
    m_db->executeNativeScript(
        QStringLiteral("create table r (k integer, v text, w text); "
                       "insert into r values (1, 'a', 'Zu'), (1, 'b', 'ábaco'), (1, 'c', 'zz'), (2, 'd', "
                       "'Beta'), (3, 'e', 'ñ'); "
                       "create table n (k integer); insert into n values (2), (null), (1)"));
}

void TestJetFunctions::function_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QVariant>("value");
    const QVariant null;
    const auto integer = [](qlonglong value) { return QVariant::fromValue<qlonglong>(value); };
    const auto text = [](const char* value) { return QVariant(QString::fromUtf8(value)); };
    QTest::newRow("Nz of Null") << "Nz(null, 'x')" << text("x");
    QTest::newRow("Nz of Null, no default") << "Nz(null)" << text("");
    QTest::newRow("Nz of a value") << "Nz(3, 'x')" << integer(3);
    QTest::newRow("Len") << "Len('Peña')" << integer(4);
    QTest::newRow("Len of a number") << "Len(12.5)" << integer(4);
    QTest::newRow("Len of Null") << "Len(null)" << null;
    QTest::newRow("Right") << "Right('B12345674', 3)" << text("674");
    QTest::newRow("Mid from 2") << "Mid('B12345674', 2)" << text("12345674");
    QTest::newRow("Mid with length") << "Mid('B12345674', 2, 3)" << text("123");
    QTest::newRow("Mid of Null") << "Mid(null, 2)" << null;
    QTest::newRow("UCase") << "UCase('ñandú')" << text("ÑANDÚ");
    QTest::newRow("LCase") << "LCase('ÁLVAREZ')" << text("álvarez");
    QTest::newRow("InStr") << "InStr('Ferretería', 'RET')" << integer(4);
    QTest::newRow("InStr from a start") << "InStr(5, 'abcabc', 'b')" << integer(5);
    QTest::newRow("InStr absent") << "InStr('abc', 'z')" << integer(0);
    QTest::newRow("InStr of Null") << "InStr(null, 'z')" << null;
    QTest::newRow("String of a character") << "String(3, '*-')" << text("***");
    QTest::newRow("String of a code") << "String(2, 65)" << text("AA");
    QTest::newRow("Val") << "Val(' 12 34abc')" << QVariant(1234.0);
    QTest::newRow("Val with a point") << "Val('3.5.1')" << QVariant(3.5);
    QTest::newRow("Val of no number") << "Val('abc')" << QVariant(0.0);
    QTest::newRow("CStr") << "CStr(3005.06)" << text("3005.06");
    QTest::newRow("CDbl of text") << "CDbl('2.5')" << QVariant(2.5);
    QTest::newRow("CLng halves to even") << "CLng(2.5)" << integer(2);
    QTest::newRow("CLng halves to even, up") << "CLng(3.5)" << integer(4);
    QTest::newRow("CInt negative half") << "CInt(-2.5)" << integer(-2);
    QTest::newRow("CCur") << "CCur(1.23456)" << QVariant(1.2346);
    QTest::newRow("Int goes down") << "Int(-2.5)" << QVariant(-3.0);
    QTest::newRow("Fix goes to zero") << "Fix(-2.5)" << QVariant(-2.0);
    QTest::newRow("Sgn") << "Sgn(-7)" << integer(-1);
    QTest::newRow("Sgn of Null") << "Sgn(null)" << null;
    QTest::newRow("Round halves to even") << "Round(2.5)" << QVariant(2.0);
    QTest::newRow("Round to cents, half to even") << "Round(0.125, 2)" << QVariant(0.12);
    QTest::newRow("Round to cents, above half") << "Round(0.1251, 2)" << QVariant(0.13);
    QTest::newRow("Round of Null") << "Round(null, 2)" << null;
    QTest::newRow("Month") << "Month('2025-02-10')" << integer(2);
    QTest::newRow("Day") << "Day('2025-02-10 18:30:05')" << integer(10);
    QTest::newRow("Hour") << "Hour('2025-02-10 18:30:05')" << integer(18);
    QTest::newRow("Minute") << "Minute('2025-02-10 18:30:05')" << integer(30);
    QTest::newRow("Second") << "Second('2025-02-10 18:30:05')" << integer(5);
    QTest::newRow("Month of a day number") << "Month(45658)" << integer(1);
    QTest::newRow("Month of Null") << "Month(null)" << null;
    QTest::newRow("Weekday of a Sunday") << "Weekday('2026-03-15')" << integer(1);
    QTest::newRow("Weekday from Monday") << "Weekday('2026-03-15', 2)" << integer(7);
    QTest::newRow("Date") << "Date()" << text("2026-03-15");
    QTest::newRow("DateSerial") << "DateSerial(2025, 2, 28)" << text("2025-02-28");
    QTest::newRow("DateSerial carries over") << "DateSerial(2025, 13, 32)" << text("2026-02-01");
    QTest::newRow("& of texts and numbers") << "'B' & 12 & 3.5" << text("B123.5");
    QTest::newRow("& takes Null for empty text") << "null & 'a'" << text("a");
    QTest::newRow("& of two Nulls") << "null & null" << null;
    QTest::newRow("& binds looser than +") << "1 + 2 & 3" << text("33");
    QTest::newRow("Mod binds looser than *") << "7 Mod 3 * 2" << integer(1);
    QTest::newRow("Mod binds tighter than +") << "8 Mod 3 + 1" << integer(3);
    QTest::newRow("Mod rounds its operands") << "5.5 Mod 2" << integer(0);
    QTest::newRow("Mod of Null") << "null Mod 2" << null;
    QTest::newRow("integer division") << "7 \\ 2" << integer(3);
    QTest::newRow("integer division of negatives") << "-7 \\ 2" << integer(-3);
    QTest::newRow("^ groups to the left") << "2 ^ 3 ^ 2" << QVariant(64.0);
    QTest::newRow("^ binds tighter than unary minus") << "-2 ^ 2" << QVariant(-4.0);
    QTest::newRow("Like *, without case") << "'Ferretería' like 'f*RÍA'" << integer(-1);
    QTest::newRow("Like ? and #") << "'A1x' like '?#?'" << integer(-1);
    QTest::newRow("Like a set") << "'b' like '[a-c]'" << integer(-1);
    QTest::newRow("Like outside a set") << "'b' like '[!a-c]'" << integer(0);
    QTest::newRow("Like takes other characters as they are") << "'a.b' like 'a.b'" << integer(-1);
    QTest::newRow("Like does not match a dot with any") << "'axb' like 'a.b'" << integer(0);
    QTest::newRow("Like of Null") << "null like '*'" << null;
    QTest::newRow("Str leaves room for the sign") << "Str(5)" << text(" 5");
    QTest::newRow("Str of a negative") << "Str(-2.5)" << text("-2.5");
    QTest::newRow("CDate of a Spanish date") << "CDate('15/3/2026')" << text("2026-03-15");
    QTest::newRow("CDate of a day number") << "CDate(45658.5)" << text("2025-01-01 12:00:00");
    QTest::newRow("DateAdd a month to the 31st") << "DateAdd('m', 1, '2025-01-31')" << text("2025-02-28");
    QTest::newRow("DateAdd hours past midnight")
        << "DateAdd('h', 5, '2025-01-31 22:00:00')" << text("2025-02-01 03:00:00");
    QTest::newRow("DateAdd of Null") << "DateAdd('d', 1, null)" << null;
    QTest::newRow("DateDiff in days") << "DateDiff('d', '2025-01-01', '2025-03-01')" << integer(59);
    QTest::newRow("DateDiff counts month boundaries")
        << "DateDiff('m', '2025-01-31', '2025-02-01')" << integer(1);
    QTest::newRow("DateDiff counts year boundaries")
        << "DateDiff('yyyy', '2024-12-31', '2025-01-01')" << integer(1);
    QTest::newRow("DatePart quarter") << "DatePart('q', '2025-08-01')" << integer(3);
    QTest::newRow("DatePart week from Sunday") << "DatePart('ww', '2025-01-05')" << integer(2);
    QTest::newRow("Format with thousands") << "Format(1234.5, '#,##0.00')" << text("1.234,50");
    QTest::newRow("Format Percent") << "Format(0.256, 'Percent')" << text("25,60%");
    QTest::newRow("Format a date") << "Format('2025-03-07', 'dd/mm/yyyy')" << text("07/03/2025");
    QTest::newRow("Format a time") << "Format('2025-03-07 08:05:09', 'hh:nn')" << text("08:05");
    QTest::newRow("Format of Null") << "Format(null, 'dd/mm/yyyy')" << null;
    QTest::newRow("DateSerial of Null") << "DateSerial(null, 1, 1)" << null;
}

void TestJetFunctions::function() {
    QFETCH(QString, expression);
    QFETCH(QVariant, value);
    const QVariant result = m_db->openRecordset(QStringLiteral("select ") + expression).value(0);
    QCOMPARE(result.isNull(), value.isNull());
    if (!value.isNull()) {
        QCOMPARE(result.typeId(), value.typeId());
        QCOMPARE(result, value);
    }
}

void TestJetFunctions::refusals_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("message");
    QTest::newRow("Month of a text") << "Month('mañana')"
                                     << "no es una fecha";
    // A text shaped like a date that is none is no date to any of them.
    for (const char* function : {"Year(%1)", "Month(%1)", "Day(%1)", "Weekday(%1)", "Hour(%1)",
                                 "DatePart('yyyy', %1)", "DateAdd('d', 1, %1)", "CDate(%1)"})
        for (const char* noDate : {"'2025-13-45'", "'2025-00-00'", "'2025-02-30'", "'2025-01-01 24:00:00'"})
            QTest::addRow("%s of %s", function, noDate)
                << QString::fromLatin1(function).arg(QLatin1String(noDate)) << "no es una fecha";
    QTest::newRow("CDbl of a text") << "CDbl('dos')"
                                    << "no es un número";
    QTest::newRow("CInt beyond its range") << "CInt(40000)"
                                           << "Desbordamiento";
    QTest::newRow("Mid from 0") << "Mid('abc', 0)"
                                << "Argumento no válido";
}

void TestJetFunctions::refusals() {
    QFETCH(QString, expression);
    QFETCH(QString, message);
    try {
        m_db->openRecordset(QStringLiteral("select ") + expression);
        QFAIL("Jet refuses it");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void TestJetFunctions::namesInBrackets() {
    m_db->executeNativeScript(
        QStringLiteral("create table \"Mis Proveedores\" (\"Razón social\" text); "
                       "insert into \"Mis Proveedores\" values ('Peña')"));
    QCOMPARE(
        m_db->openRecordset(QStringLiteral("select [Razón social] & '!' from [Mis Proveedores]")).value(0),
        QVariant(QStringLiteral("Peña!")));
}

void TestJetFunctions::spreadOfASample() {
    m_db->executeNativeScript(QStringLiteral(
        "create table s (v real); insert into s values (2), (4), (4), (4), (5), (5), (7), (9), (null)"));
    Recordset rs = m_db->openRecordset(QStringLiteral("select Var(v), StDev(v), StDev(null) from s"));
    QCOMPARE(rs.value(0).toDouble(), 32.0 / 7);
    QCOMPARE(rs.value(1).toDouble(), std::sqrt(32.0 / 7));
    QVERIFY(rs.value(2).isNull());
}

void TestJetFunctions::firstAndLast() {
    m_db->executeNativeScript(
        QStringLiteral("create table t (g integer, v text); "
                       "insert into t values (1, 'a'), (1, null), (1, 'c'), (2, null)"));
    Recordset rs =
        m_db->openRecordset(QStringLiteral("select g, First(v), Last(v) from t group by g order by g"));
    QCOMPARE(rs.value(1), QVariant(QStringLiteral("a")));
    QCOMPARE(rs.value(2), QVariant(QStringLiteral("c")));
    rs.moveNext();
    QVERIFY(rs.value(1).isNull() && rs.value(2).isNull());
}

void TestJetFunctions::firstRows_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("rows");
    const auto rows = [](const char* list) { return QString::fromUtf8(list).split(QLatin1Char(' ')); };
    QTest::newRow("top n keeps the ties of the last") << "select top 2 v from r order by k" << rows("a b c");
    QTest::newRow("top n in the other direction") << "select top 1 v from r order by k desc" << rows("e");
    QTest::newRow("top n beyond the rows") << "select top 9 v from r order by v" << rows("a b c d e");
    QTest::newRow("top n sorts text as Jet") << "select top 2 v from r order by w" << rows("b d");
    QTest::newRow("top percent rounds up") << "select top 30 percent v from r order by v" << rows("a b");
    QTest::newRow("top percent keeps ties") << "select top 10 percent v from r order by k" << rows("a b c");
    QTest::newRow("top percent with a filter")
        << "select top 50 percent v from r where k > 1 order by v" << rows("d");
    QTest::newRow("top n of groups") << "select top 1 k from r group by k order by count(*) desc, k"
                                     << rows("1");
    QTest::newRow("top n without order") << "select top 3 v from r" << rows("a b c");
    // Over a single table DISTINCTROW keeps every row, repeated values too.
    QTest::newRow("distinctrow top n without order") << "select distinctrow top 2 k from r" << rows("1 1");
    QTest::newRow("distinctrow top n in descending order")
        << "select distinctrow top 3 k from r order by k desc" << rows("1 1 1 2 3");
    QTest::newRow("top sorts Null first") << "select top 1 k from n order by k" << rows("");
}

// The rows a Jet statement with TOP keeps; tied rows come in no set order, so the rows are compared sorted.
void TestJetFunctions::firstRows() {
    QFETCH(QString, statement);
    QFETCH(QStringList, rows);
    QStringList got;
    for (Recordset rs = m_db->openRecordset(statement); !rs.eof(); rs.moveNext())
        got.append(rs.value(0).toString());
    got.sort();
    QCOMPARE(got, rows);
}

// Without accents and case first, then byte by byte; Latin letters, others and broken UTF-8 alike.
void TestJetFunctions::textsSortAsJetSortsThem() {
    const QStringList expected{QStringLiteral(""),      QStringLiteral("alvarez"), QStringLiteral("Álvarez"),
                               QStringLiteral("Ärger"), QStringLiteral("e"),       QStringLiteral("Émile"),
                               QStringLiteral("Ñandú"), QStringLiteral("Nuñez"),   QStringLiteral("Núñez"),
                               QStringLiteral("nz"),    QStringLiteral("ſ"),       QStringLiteral("zapata"),
                               QStringLiteral("ZOË"),   QStringLiteral("Zoë"),     QStringLiteral("Ωmega"),
                               QStringLiteral("😀")};
    m_db->executeNativeScript(QStringLiteral("create table names (n text)"));
    for (qsizetype i = expected.size() - 1; i >= 0; --i)
        m_db->executeNative(QStringLiteral("insert into names values (?)"), {expected[i]});
    QStringList sorted;
    for (Recordset rs = m_db->openRecordset(QStringLiteral("select n from names order by n")); !rs.eof();
         rs.moveNext())
        sorted.append(rs.value(0).toString());
    QCOMPARE(sorted, expected);
}

QTEST_GUILESS_MAIN(TestJetFunctions)
#include "tst_jetfunctions.moc"
