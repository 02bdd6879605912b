#include "access/AccountingDatabase.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "db/SchemaEdits.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"

#include <sqlite3.h>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What SQLite itself says of a statement, on a connection without the engine's functions.
QString nativeError(const QString& path, const QString& sql) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    char* message = nullptr;
    const int rc = sqlite3_exec(raw, sql.toUtf8().constData(), nullptr, nullptr, &message);
    const QString text = rc == SQLITE_OK ? QString() : QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close(raw);
    return text;
}

QVariant single(Database& db, const QString& sql) {
    Recordset rs = db.openRecordset(sql);
    return rs.value(0);
}

// Whether another connection, which does not wait for locks, can write to the file now.
bool anotherCanWrite(const QString& path) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    const int rc = sqlite3_exec(raw, "UPDATE provedores SET nombre = nombre", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    return rc == SQLITE_OK;
}

}  // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(10, 0))); }
    void cleanup() { Clock::unpin(); }

    void jetFormsFailNativelyAndWorkTranslated_data();
    void jetFormsFailNativelyAndWorkTranslated();
    void unionOrderSortsTextAsJet();
    void divisionIsFloatingPoint();
    void selectIntoFailsTheSecondTime();
    void selectIntoKeepsTypesAndIgnoresCase();
    void expressionColumnsAreNamedAsJetNamesThem();
    void addTextFieldWithDefault();
    void recordsetWalk();
    void missingTableCarriesTheEngineMessage();
    void boundParametersTakeQuotes();
    void saveQueriesAreViews();
    void tableNamesHideTheEnginesOwn();

    void missingFileIsNotCreated();
    void notADatabase_data();
    void notADatabase();
    void password_data();
    void password();
    void sharedConnectionsCoexist();
    void exclusiveOpenRefusesOthers();
    void readOnlyRefusesWrites();
    void writerInAnotherProcessIsWaitedFor();
    void readTransactionHoldsTheFileUntilItEnds_data();
    void readTransactionHoldsTheFileUntilItEnds();
    void readTransactionRefusesWritesUntilTheOuterOneEnds();
    void readTransactionLeavesAnOpenTransactionOpen();
    void readTransactionOnAClosedConnectionFails();
};

void TestDatabase::jetFormsFailNativelyAndWorkTranslated_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("date literal")
        << "select count(*) from TdApt where f_factura between #01/01/2025# and #03/31/2025#"
        << QVariant(2LL);
    QTest::newRow("bare Now") << "select Year(Now) - 1 from Centro" << QVariant(2025LL);
    QTest::newRow("isnull") << "select count(*) from provedores where isnull(codpost)" << QVariant(1LL);
    QTest::newRow("left$ on Null") << "select count(*) from provedores where isnull(left$(codpost,2))"
                                   << QVariant(1LL);
    QTest::newRow("left$ cuts") << "select left$(codpost,2) from provedores where nif = 'B1'"
                                << QVariant(QStringLiteral("28"));
    QTest::newRow("left$ counts characters, not bytes")
        << "select left$(nombre,2) from provedores where nif = 'B2'" << QVariant(QStringLiteral("Ál"));
}

void TestDatabase::jetFormsFailNativelyAndWorkTranslated() {
    QFETCH(QString, jet);
    QFETCH(QVariant, expected);
    FixtureDatabase f;
    f.native(QStringLiteral(
        "insert into Centro values ('Q2800000A', 'Centro');"
        "insert into provedores values ('B1', 'Zapata', '28001'), ('B2', 'Álvarez', NULL),"
        "  ('B3', 'Benito', '');"
        "insert into TdApt (NifProv, cantidad, f_factura) values ('B1', 1, '2025-01-01'),"
        "  ('B1', 1, '2025-03-31'), ('B1', 1, '2025-03-31 08:00:00'), ('B1', 1, '2025-04-01')"));
    QVERIFY2(!nativeError(f.path(), jet).isEmpty(), "SQLite accepts the Jet form as it is");
    QCOMPARE(single(f.db(), jet), expected);
}

void TestDatabase::unionOrderSortsTextAsJet() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("zapata"), {});
    f.addSupplier(QStringLiteral("B2"), QStringLiteral("Álvarez"), {});
    f.addSupplier(QStringLiteral("B3"), QStringLiteral("Benito"), {});
    Recordset rs = f.db().openRecordset(QStringLiteral(
        "select p.Nombre, 1 as k from provedores p union all select p.Nombre, 2 as k from provedores p "
        "order by p.nombre, k"));
    QStringList order;
    for (; !rs.eof(); rs.moveNext())
        order.append(rs.value(0).toString() + rs.value(1).toString());
    QCOMPARE(order,
             (QStringList{QStringLiteral("Álvarez1"), QStringLiteral("Álvarez2"), QStringLiteral("Benito1"),
                          QStringLiteral("Benito2"), QStringLiteral("zapata1"), QStringLiteral("zapata2")}));
}

void TestDatabase::divisionIsFloatingPoint() {
    FixtureDatabase f;
    f.native(QStringLiteral("insert into Centro values ('A', 'B')"));
    QCOMPARE(single(f.db(), QStringLiteral("select 7/2 from Centro")), QVariant(3.5));
    QVERIFY(single(f.db(), QStringLiteral("select 7/0 from Centro")).isNull());
    QCOMPARE(single(f.db(), QStringLiteral("select space(3) from Centro")), QVariant(QStringLiteral("   ")));
}

void TestDatabase::selectIntoFailsTheSecondTime() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    const QString statement = QStringLiteral("select * into Clientes from provedores");
    QVERIFY(!nativeError(f.path(), statement).isEmpty());
    f.db().execute(statement);
    QCOMPARE(single(f.db(), QStringLiteral("select count(*) from Clientes")), QVariant(1LL));
    QVERIFY_THROWS_EXCEPTION(DbError, f.db().execute(statement));
    f.db().execute(QStringLiteral("delete * from Clientes"));
    QCOMPARE(single(f.db(), QStringLiteral("select count(*) from Clientes")), QVariant(0LL));
}

void TestDatabase::selectIntoKeepsTypesAndIgnoresCase() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("b1"), QStringLiteral("Uno"), QStringLiteral("00123"));
    f.db().execute(
        QStringLiteral("select nif, left$(codpost,5) as CP, 2.5 as R, 1 as N into W from provedores"));
    Recordset rs =
        f.db().openRecordset(QStringLiteral("select CP, R, N from W where nif = 'B1' and CP = '00123'"));
    QVERIFY(!rs.eof());
    QCOMPARE(rs.value(0), QVariant(QStringLiteral("00123")));  // text stays text: no leading zeros lost
    QCOMPARE(rs.value(1), QVariant(2.5));
    QCOMPARE(rs.value(2), QVariant(1LL));
}

void TestDatabase::expressionColumnsAreNamedAsJetNamesThem() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    const Recordset rs = f.db().openRecordset(
        QStringLiteral("SELECT '',p.nif, p.nombre,iif(not isnull(p.codpost),left$(p.codpost,2),''),'A', 1 "
                       "from provedores p"));
    QCOMPARE(rs.fieldNames(), (QStringList{QStringLiteral("Expr1000"), QStringLiteral("nif"),
                                           QStringLiteral("nombre"), QStringLiteral("Expr1003"),
                                           QStringLiteral("Expr1004"), QStringLiteral("Expr1005")}));
    QCOMPARE(rs.value(QStringLiteral("EXPR1003")), QVariant(QStringLiteral("28")));
}

void TestDatabase::addTextFieldWithDefault() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    SchemaEdits::addTextField(f.db(), QStringLiteral("provedores"), QStringLiteral("IVACC"), 1,
                              QStringLiteral("N"));
    SchemaEdits::setFieldDefault(f.db(), QStringLiteral("provedores"), QStringLiteral("IVACC"),
                                 QStringLiteral("N"));
    QCOMPARE(single(f.db(), QStringLiteral("select IVACC from provedores")), QVariant(QStringLiteral("N")));
    f.addSupplier(QStringLiteral("B2"), QStringLiteral("Dos"), QStringLiteral("28001"));
    QCOMPARE(single(f.db(), QStringLiteral("select count(*) from provedores where ivacc = 'n'")),
             QVariant(2LL));
    QVERIFY_THROWS_EXCEPTION(
        DbError, SchemaEdits::addTextField(f.db(), QStringLiteral("provedores"), QStringLiteral("ivacc"), 1,
                                           QStringLiteral("N")));
    QVERIFY_THROWS_EXCEPTION(
        DbError, SchemaEdits::setFieldDefault(f.db(), QStringLiteral("provedores"), QStringLiteral("IVACC"),
                                              QStringLiteral("S")));
}

void TestDatabase::recordsetWalk() {
    FixtureDatabase f;
    Recordset empty = f.db().openRecordset(QStringLiteral("select nif from provedores"));
    QVERIFY(empty.bof() && empty.eof());
    QCOMPARE(empty.recordCount(), 0);
    QVERIFY_THROWS_EXCEPTION(DbError, empty.value(0));

    for (const char* nif : {"B3", "B1", "B2"})
        f.addSupplier(QString::fromLatin1(nif), {}, {});
    Recordset rs = f.db().openRecordset(QStringLiteral("select nif, nombre from provedores order by nif"));
    QVERIFY(!rs.bof() && !rs.eof());
    QCOMPARE(rs.recordCount(), 3);
    QCOMPARE(rs.value(QStringLiteral("NIF")), QVariant(QStringLiteral("B1")));
    QVERIFY(rs.value(1).isNull());
    rs.moveLast();
    QCOMPARE(rs.value(0), QVariant(QStringLiteral("B3")));
    rs.moveNext();
    QVERIFY(rs.eof());
    QVERIFY_THROWS_EXCEPTION(DbError, rs.moveNext());
    rs.moveFirst();
    QCOMPARE(rs.value(0), QVariant(QStringLiteral("B1")));
    QVERIFY_THROWS_EXCEPTION(DbError, rs.value(QStringLiteral("missing")));
    QVERIFY_THROWS_EXCEPTION(DbError, rs.value(2));
}

void TestDatabase::missingTableCarriesTheEngineMessage() {
    FixtureDatabase f;
    try {
        f.db().execute(QStringLiteral("delete * from nosuchtable"));
        QFAIL("no error");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(QLatin1String("nosuchtable")), qPrintable(error.message()));
    }
    QVERIFY_THROWS_EXCEPTION(DbError,
                             f.db().openRecordset(QStringLiteral("select nocolumn from provedores")));
    QVERIFY_THROWS_EXCEPTION(DbError, f.db().execute(QStringLiteral("select nif from provedores")));
    QVERIFY_THROWS_EXCEPTION(DbError, f.db().openRecordset(QStringLiteral("delete from provedores")));
}

void TestDatabase::boundParametersTakeQuotes() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B'1"), QStringLiteral("L'Hospitalet"), {});
    Recordset rs = f.db().openRecordset(QStringLiteral("select nombre from provedores where nif = ?"),
                                        {QStringLiteral("b'1")});
    QCOMPARE(rs.value(0), QVariant(QStringLiteral("L'Hospitalet")));
    QVERIFY_THROWS_EXCEPTION(
        DbError, f.db().openRecordset(QStringLiteral("select nombre from provedores where nif = ?")));
}

void TestDatabase::saveQueriesAreViews() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), {});
    f.db().createQueryDef(QStringLiteral("Stper"), QStringLiteral("select '', nif from provedores"));
    QCOMPARE(f.db().openRecordset(QStringLiteral("select * from Stper")).fieldNames().first(),
             QStringLiteral("Expr1000"));
    QVERIFY_THROWS_EXCEPTION(DbError,
                             f.db().createQueryDef(QStringLiteral("stper"), QStringLiteral("select 1")));
    f.db().deleteQueryDef(QStringLiteral("STPER"));
    QVERIFY_THROWS_EXCEPTION(DbError, f.db().deleteQueryDef(QStringLiteral("Stper")));
}

void TestDatabase::tableNamesHideTheEnginesOwn() {
    FixtureDatabase f;
    const QStringList names = f.db().tableNames();
    QVERIFY(names.contains(QStringLiteral("provedores")));
    QVERIFY(!names.contains(QStringLiteral("aeat_password")));
    QVERIFY(!names.contains(QStringLiteral("qryIRPF")));
    f.db().deleteTable(QStringLiteral("CONTRA"));
    QVERIFY(!f.db().tableNames().contains(QStringLiteral("contra")));
    QVERIFY_THROWS_EXCEPTION(DbError, f.db().deleteTable(QStringLiteral("contra")));
}

void TestDatabase::missingFileIsNotCreated() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nothing.mdb"));
    try {
        openAccountingDatabase(path);
        QFAIL("opened a missing file");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
    QVERIFY(!QFile::exists(path));
}

void TestDatabase::notADatabase_data() {
    QTest::addColumn<QByteArray>("content");
    QByteArray noise(8192, Qt::Uninitialized);
    QRandomGenerator generator(347);
    for (char& byte : noise)
        byte = static_cast<char>(generator.bounded(256));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("NIF;Nombre\r\nB12345678;Transportes\r\n");
    QTest::newRow("random bytes") << noise;
    QTest::newRow("header cut short") << QByteArray("SQLite format");
}

// Refused with a message naming the file, and left exactly as it was.
void TestDatabase::notADatabase() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ecordadb.mdb"));
    QVERIFY(writeAll(path, content));
    try {
        openAccountingDatabase(path);
        QFAIL("opened a file that is not a database");
    } catch (const DbError& error) {
        QCOMPARE(error.message(), QStringLiteral("El archivo '%1' no es una base de datos.").arg(path));
    }
    QCOMPARE(readAll(path), content);
}

void TestDatabase::password_data() {
    QTest::addColumn<QString>("created");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("opens");
    QTest::newRow("right") << ";pwd=kvt503927.mqa"
                           << ";pwd=kvt503927.mqa" << true;
    QTest::newRow("wrong") << ";pwd=kvt503927.mqa"
                           << ";pwd=otra" << false;
    QTest::newRow("missing") << ";pwd=kvt503927.mqa"
                             << "" << false;
    QTest::newRow("case matters") << ";pwd=kvt503927.mqa"
                                  << ";PWD=KVT503927.MQA" << false;
    QTest::newRow("none carried opens with any") << ""
                                                 << ";pwd=cualquiera" << true;
}

void TestDatabase::password() {
    QFETCH(QString, created);
    QFETCH(QString, opened);
    QFETCH(bool, opens);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.mdb"));
    Database::create(path, created);
    if (opens) {
        QVERIFY(Database::open(path, OpenMode::Shared, opened));
        return;
    }
    try {
        Database::open(path, OpenMode::Shared, opened);
        QFAIL("opened with a wrong password");
    } catch (const DbError& error) {
        QCOMPARE(error.message(), QStringLiteral("No es una contraseña válida."));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(!file.readAll().contains("kvt503927"), "the password is stored in clear");
}

void TestDatabase::sharedConnectionsCoexist() {
    FixtureDatabase f;
    auto second = openAccountingDatabase(f.path());
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), {});
    QCOMPARE(single(*second, QStringLiteral("select count(*) from provedores")), QVariant(1LL));
    second->execute(QStringLiteral("delete * from provedores"));
    QCOMPARE(single(f.db(), QStringLiteral("select count(*) from provedores")), QVariant(0LL));
}

void TestDatabase::exclusiveOpenRefusesOthers() {
    FixtureDatabase f;
    const QString path = f.path();
    f.db().close();
    auto exclusive = openAccountingDatabase(path, OpenMode::Exclusive);
    QVERIFY_THROWS_EXCEPTION(DbError, openAccountingDatabase(path));
    exclusive->close();
    QVERIFY(openAccountingDatabase(path));
}

void TestDatabase::readOnlyRefusesWrites() {
    FixtureDatabase f;
    auto reader = openAccountingDatabase(f.path(), OpenMode::ReadOnly);
    QCOMPARE(single(*reader, QStringLiteral("select count(*) from provedores")), QVariant(0LL));
    QVERIFY_THROWS_EXCEPTION(DbError, reader->execute(QStringLiteral("delete * from provedores")));
}

void TestDatabase::writerInAnotherProcessIsWaitedFor() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), {});
    QProcess holder;
    holder.start(QStringLiteral(LOCK_HOLDER), {f.path(), QStringLiteral("1500")});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
    QElapsedTimer timer;
    timer.start();
    f.db().execute(QStringLiteral("update provedores set nombre = 'Dos'"));
    QVERIFY2(timer.elapsed() > 500, "the statement did not meet the lock");
    QCOMPARE(single(f.db(), QStringLiteral("select nombre from provedores")),
             QVariant(QStringLiteral("Dos")));
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(holder.exitCode(), 0);
}

void TestDatabase::readTransactionHoldsTheFileUntilItEnds_data() {
    QTest::addColumn<bool>("leftByAnError");
    QTest::newRow("its scope ends") << false;
    QTest::newRow("an error leaves its scope") << true;
}

void TestDatabase::readTransactionHoldsTheFileUntilItEnds() {
    QFETCH(bool, leftByAnError);
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), {});
    try {
        const Database::ReadTransaction reading(f.db());
        QCOMPARE(single(f.db(), QStringLiteral("select count(*) from provedores")), QVariant(1LL));
        QVERIFY2(!anotherCanWrite(f.path()), "the file was let go between the reads");
        if (leftByAnError)
            f.db().openRecordset(QStringLiteral("select * from NoSuchTable"));
    } catch (const DbError&) {
        QVERIFY(leftByAnError);
    }
    QVERIFY2(anotherCanWrite(f.path()), "the file is still held");
}

void TestDatabase::readTransactionRefusesWritesUntilTheOuterOneEnds() {
    FixtureDatabase f;
    const QString insert = QStringLiteral("insert into provedores (nif, nombre) values ('B1', 'Uno')");
    {
        const Database::ReadTransaction outer(f.db());
        { const Database::ReadTransaction inner(f.db()); }
        QVERIFY_THROWS_EXCEPTION(DbError, f.db().execute(insert));
    }
    f.db().execute(insert);
    QCOMPARE(single(f.db(), QStringLiteral("select count(*) from provedores")), QVariant(1LL));
}

void TestDatabase::readTransactionLeavesAnOpenTransactionOpen() {
    FixtureDatabase f;
    f.db().beginTransaction();
    f.db().execute(QStringLiteral("insert into provedores (nif, nombre) values ('B1', 'Uno')"));
    { const Database::ReadTransaction reading(f.db()); }
    f.db().rollback();
    QCOMPARE(single(f.db(), QStringLiteral("select count(*) from provedores")), QVariant(0LL));
}

void TestDatabase::readTransactionOnAClosedConnectionFails() {
    FixtureDatabase f;
    f.db().close();
    QVERIFY_THROWS_EXCEPTION(DbError, Database::ReadTransaction(f.db()));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
