// Rows read once and copied at once: the copy takes the rows read, unless anything they rest on changed.
#include "access/AccountingDatabase.h"
#include "db/Database.h"
#include "support/FixtureDatabase.h"

#include <QTest>

namespace {

QStringList rowsOf(Recordset rs) {
    QStringList rows;
    for (; !rs.eof(); rs.moveNext())
        rows.append(rs.value(0).toString() + QLatin1Char('|') + rs.value(1).toString());
    return rows;
}

// A query whose every run gives new rows, read, saved as the view V and copied into T2 from it.
const QString kDrawn = QStringLiteral("select x, random() as r from t");

QStringList readAndSaveAsView(FixtureDatabase& f) {
    f.native(
        QStringLiteral("create table t (x integer); insert into t values (1), (2), (3); "
                       "create table u (y integer); insert into u values (1)"));
    const QStringList read = rowsOf(f.db().openRecordset(kDrawn));
    f.db().createQueryDef(QStringLiteral("V"), kDrawn);
    return read;
}

QStringList copyOfView(FixtureDatabase& f) {
    f.db().execute(QStringLiteral("select * into T2 from V"));
    return rowsOf(f.db().openRecordset(QStringLiteral("select * from T2")));
}

}  // namespace

class TestResultReuse : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aViewOfTheRowsJustReadReusesThem();
    void withoutReuseTheViewIsReadAgain();
    void aWriteElsewhereKeepsTheRows();
    void aWriteInBetweenForcesANewRead_data();
    void aWriteInBetweenForcesANewRead();
};

void TestResultReuse::aViewOfTheRowsJustReadReusesThem() {
    FixtureDatabase f;
    Database::ReusingResults reuse(f.db());
    const QStringList read = readAndSaveAsView(f);
    QCOMPARE(copyOfView(f), read);
    QCOMPARE(
        rowsOf(f.db().openNativeRecordset(QStringLiteral("select type, name from pragma_table_info('T2')"))),
        (QStringList{QStringLiteral("INTEGER|x"), QStringLiteral("INTEGER|r")}));
}

void TestResultReuse::withoutReuseTheViewIsReadAgain() {
    FixtureDatabase f;
    const QStringList read = readAndSaveAsView(f);
    QVERIFY(copyOfView(f) != read);
}

void TestResultReuse::aWriteElsewhereKeepsTheRows() {
    FixtureDatabase f;
    Database::ReusingResults reuse(f.db());
    const QStringList read = readAndSaveAsView(f);
    f.db().execute(QStringLiteral("update u set y = y + 1"));
    f.native(QStringLiteral("create table T3 (z integer); drop table T3"));
    QCOMPARE(copyOfView(f), read);
}

void TestResultReuse::aWriteInBetweenForcesANewRead_data() {
    QTest::addColumn<int>("write");
    QTest::newRow("a row changed here") << 0;
    QTest::newRow("a row changed by another connection") << 1;
    QTest::newRow("the table read made again") << 2;
    QTest::newRow("the view made again") << 3;
    QTest::newRow("a row changed by a script") << 4;
    QTest::newRow("the view made again by a script") << 5;
}

void TestResultReuse::aWriteInBetweenForcesANewRead() {
    QFETCH(int, write);
    FixtureDatabase f;
    Database::ReusingResults reuse(f.db());
    const QStringList read = readAndSaveAsView(f);
    switch (write) {
        case 0:
            f.db().execute(QStringLiteral("update t set x = x + 10"));
            break;
        case 1:
            Database::open(f.path(), OpenMode::Shared, DbConnect)
                ->execute(QStringLiteral("update t set x = x + 10"));
            break;
        case 2:
            f.db().deleteTable(QStringLiteral("t"));
            f.native(QStringLiteral("create table t (x integer); insert into t values (1), (2)"));
            break;
        case 3:
            f.db().deleteQueryDef(QStringLiteral("V"));
            f.db().createQueryDef(QStringLiteral("V"),
                                  QStringLiteral("select x, random() as r from t where x > 1"));
            break;
        case 4:
            f.native(QStringLiteral("update t set x = x + 10"));
            break;
        default:
            f.native(
                QStringLiteral("drop view V; create view V as select x, random() as r from t where x > 1"));
    }
    const QStringList again = copyOfView(f);
    QVERIFY(!again.isEmpty());
    QVERIFY(again != read);
}

QTEST_GUILESS_MAIN(TestResultReuse)
#include "tst_resultreuse.moc"
