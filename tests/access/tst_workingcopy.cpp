#include "access/AccountingDatabase.h"
#include "access/WorkingCopy.h"
#include "db/DbError.h"
#include "db/SchemaEdits.h"
#include "support/Golden.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace {

constexpr int kAShortTimeMs = 1500;

QString fixture(const QString& name) {
    return QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/") + name;
}

// A copy of a fixture in a folder of its own, as the office keeps ecordadb.mdb.
struct OfficeFolder {
    QTemporaryDir dir;
    QString access;

    explicit OfficeFolder(const QString& name) : access(dir.filePath(name)) {
        QFile::copy(fixture(name), access);
        QFile(access).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    QString copy() const { return WorkingCopy::pathFor(access); }

    // The package saved the file again: same bytes or changed ones, a later time.
    void touch(int secondsLater = 60) const {
        QFile file(access);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(secondsLater),
                         QFileDevice::FileModificationTime);
    }
    void replaceBytes(const QByteArray& from, const QByteArray& to) const {
        QByteArray bytes = readAll(access);
        QVERIFY(bytes.count(from) == 1);
        bytes.replace(from, to);
        QFile file(access);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

QByteArray storedDouble(double value) {
    QByteArray bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

QStringList column(Database& db, const QString& sql) {
    QStringList values;
    for (Recordset rs = db.openRecordset(sql); !rs.eof(); rs.moveNext())
        values.append(rs.value(0).toString());
    return values;
}

void useRealReader() {
    WorkingCopy::setReaderCommand(
        {QStringLiteral(AEAT_BIN_DIR "/aeat-cli"), {QStringLiteral("read-mdb")}, 0});
}

}  // namespace

class TestWorkingCopy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { useRealReader(); }
    void firstOpenImportsAndNeverWritesTheAccessFile();
    void unchangedFileOpensTheCopyAsItIs();
    void refreshKeepsWhatTheProgramAdded();
    void entriesIndexComesWithTheImport();
    void copyInUseIsNotReplaced();
    void failedReadKeepsThePreviousCopy_data();
    void failedReadKeepsThePreviousCopy();
    void firstImportThatFailsLeavesNoCopy();
    void twoProgramsAtOnce();
};

void TestWorkingCopy::firstOpenImportsAndNeverWritesTheAccessFile() {
    OfficeFolder office(QStringLiteral("testV1997.mdb"));
    const QByteArray before = readAll(office.access);
    const QDateTime modified = QFileInfo(office.access).lastModified();
    {
        auto db = openAccountingDatabase(office.access);
        QCOMPARE(db->tableNames(), (QStringList{QStringLiteral("Table1"), QStringLiteral("Table2"),
                                                QStringLiteral("Table3"), QStringLiteral("Table4")}));
        QCOMPARE(column(*db, QStringLiteral("select A from Table1 where I = True")),
                 QStringList{QStringLiteral("abcdefg")});
        QCOMPARE(column(*db, QStringLiteral("select B from Table1 where A = 'ABCDEFG'")),
                 QStringList{QStringLiteral("hijklmnop")});  // text compares without regard to case
    }
    QCOMPARE(readAll(office.access), before);
    QCOMPARE(QFileInfo(office.access).lastModified(), modified);
    QCOMPARE(QFileInfo(office.copy()).absolutePath(), QFileInfo(office.access).absolutePath());
    // The tool's password guards the copy.
    QVERIFY_THROWS_EXCEPTION(DbError,
                             Database::open(office.copy(), OpenMode::Shared, QStringLiteral(";pwd=otra")));
}

void TestWorkingCopy::unchangedFileOpensTheCopyAsItIs() {
    OfficeFolder office(QStringLiteral("testV1997.mdb"));
    openAccountingDatabase(office.access);
    // A reader that only fails shows that nothing is read again.
    WorkingCopy::setReaderCommand({QStringLiteral(FAKE_READER), {QStringLiteral("refuse")}, 0});
    auto db = openAccountingDatabase(office.access);
    QCOMPARE(column(*db, QStringLiteral("select count(*) from Table1")), QStringList{QStringLiteral("2")});
}

// The user marked suppliers and the program made its tables; then the package changed its file.
void TestWorkingCopy::refreshKeepsWhatTheProgramAdded() {
    OfficeFolder office(QStringLiteral("oldDatesV2007.accdb"));
    {
        auto db = openAccountingDatabase(office.access);
        SchemaEdits::addTextField(*db, QStringLiteral("Table1"), QStringLiteral("IVACC"), 1,
                                  QStringLiteral("N"));
        db->execute(QStringLiteral("update Table1 set IVACC = 'S' where ID = 2"));
        db->execute(QStringLiteral("select ID as nif into TStper from Table1 where ID > 2"));
        db->createQueryDef(QStringLiteral("Stper"), QStringLiteral("Select * from TStper"));
        SchemaEdits::ensureIndex(*db, QStringLiteral("Table1"), {QStringLiteral("DateField")});
    }
    // 1582-10-15 becomes 1582-10-16 in the package's file.
    office.replaceBytes(storedDouble(-115858.0), storedDouble(-115857.0));
    office.touch();
    auto db = openAccountingDatabase(office.access);
    QCOMPARE(column(*db, QStringLiteral("select DateField from Table1 order by ID")),
             (QStringList{QStringLiteral("1582-10-16"), QStringLiteral("1582-10-14"),
                          QStringLiteral("1492-01-10"), QStringLiteral("1392-01-10")}));
    QCOMPARE(
        column(*db, QStringLiteral("select IVACC from Table1 order by ID")),
        (QStringList{QStringLiteral("N"), QStringLiteral("S"), QStringLiteral("N"), QStringLiteral("N")}));
    QCOMPARE(column(*db, QStringLiteral("select nif from Stper")),
             (QStringList{QStringLiteral("3"), QStringLiteral("4")}));
    QVERIFY(db->tableNames().contains(QStringLiteral("TStper")));
    // The column keeps its default and its way of comparing for the rows to come.
    db->execute(QStringLiteral("update Table1 set IVACC = null where ID = 1"));
    db->execute(QStringLiteral("update Table1 set IVACC = 'N' where isnull(IVACC)"));
    QCOMPARE(column(*db, QStringLiteral("select ID from Table1 where IVACC = 's'")),
             QStringList{QStringLiteral("2")});
}

// The Modelo 347 load finds the index on the entries already made, after the first import and a refresh.
void TestWorkingCopy::entriesIndexComesWithTheImport() {
    OfficeFolder office(QStringLiteral("packageSample.mdb"));
    const QString indexes =
        QStringLiteral("select name from sqlite_schema where type = 'index' and tbl_name = 'TdApt'");
    const QStringList entriesIndex{QStringLiteral("aeat_TdApt_NifProv_f_factura_f_pago_cantidad_grupo")};
    const QString firstSupplier = QStringLiteral("(select min(nif) from provedores)");
    {
        auto db = openAccountingDatabase(office.access);
        QCOMPARE(column(*db, indexes), entriesIndex);
        SchemaEdits::addTextField(*db, QStringLiteral("provedores"), QStringLiteral("IVACC"), 1,
                                  QStringLiteral("N"));
        db->execute(QStringLiteral("update provedores set IVACC = 'S' where nif = ") + firstSupplier);
        db->execute(QStringLiteral("select nif into TStper from provedores"));
    }
    office.touch();
    auto db = openAccountingDatabase(office.access);
    QCOMPARE(column(*db, indexes), entriesIndex);
    QCOMPARE(column(*db, QStringLiteral("select count(*) from provedores where IVACC = 'S' and nif = ") +
                             firstSupplier),
             QStringList{QStringLiteral("1")});
    QCOMPARE(column(*db, QStringLiteral("select count(*) from TStper")),
             column(*db, QStringLiteral("select count(*) from provedores")));
}

void TestWorkingCopy::copyInUseIsNotReplaced() {
    OfficeFolder office(QStringLiteral("oldDatesV2007.accdb"));
    auto window = openAccountingDatabase(office.access);
    office.replaceBytes(storedDouble(-115858.0), storedDouble(-115857.0));
    office.touch();
    {
        // Another window opens while the first one still works on the copy.
        auto other = openAccountingDatabase(office.access);
        QCOMPARE(column(*other, QStringLiteral("select DateField from Table1 where ID = 1")),
                 QStringList{QStringLiteral("1582-10-15")});
    }
    window.reset();
    auto later = openAccountingDatabase(office.access);
    QCOMPARE(column(*later, QStringLiteral("select DateField from Table1 where ID = 1")),
             QStringList{QStringLiteral("1582-10-16")});
}

void TestWorkingCopy::failedReadKeepsThePreviousCopy_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("the reader crashes") << "crash"
                                        << "se ha detenido";
    QTest::newRow("the reader hangs") << "hang"
                                      << "no ha terminado";
    QTest::newRow("the reader refuses") << "refuse"
                                        << "El lector de prueba no lee nada.";
    QTest::newRow("the catalogue is damaged") << "damaged"
                                              << "su catálogo está dañado";
}

void TestWorkingCopy::failedReadKeepsThePreviousCopy() {
    QFETCH(QString, fault);
    QFETCH(QString, message);
    OfficeFolder office(QStringLiteral("testV1997.mdb"));
    openAccountingDatabase(office.access);
    const QByteArray copyBefore = readAll(office.copy());
    if (fault == QLatin1String("damaged")) {
        QFile file(office.access);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(2 * 2048);  // the system catalogue's pages of a Jet 3 file
        file.write(QByteArray(4 * 2048, '\x5a'));
    } else {
        WorkingCopy::setReaderCommand({QStringLiteral(FAKE_READER), {fault}, kAShortTimeMs});
    }
    office.touch();
    try {
        openAccountingDatabase(office.access);
        QFAIL("opened an Access file that could not be read");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        if (fault != QLatin1String("refuse"))
            QVERIFY2(error.message().contains(office.access), qPrintable(error.message()));
    }
    QCOMPARE(readAll(office.copy()), copyBefore);
    QVERIFY(!QFile::exists(office.copy() + QStringLiteral(".nueva")));
}

void TestWorkingCopy::firstImportThatFailsLeavesNoCopy() {
    OfficeFolder office(QStringLiteral("testV1997.mdb"));
    WorkingCopy::setReaderCommand({QStringLiteral(FAKE_READER), {QStringLiteral("crash")}, 0});
    QVERIFY_THROWS_EXCEPTION(DbError, openAccountingDatabase(office.access));
    QVERIFY(!QFile::exists(office.copy()));
}

// One imports, the other waits for it and opens the same copy.
void TestWorkingCopy::twoProgramsAtOnce() {
    OfficeFolder office(QStringLiteral("test2V2003.mdb"));
    QProcess first;
    QProcess second;
    for (QProcess* program : {&first, &second})
        program->start(QStringLiteral(AEAT_BIN_DIR "/aeat-cli"),
                       {QStringLiteral("import-mdb"), office.access});
    for (QProcess* program : {&first, &second}) {
        QVERIFY(program->waitForFinished(60000));
        QCOMPARE(program->exitCode(), 0);
        QCOMPARE(program->readAllStandardOutput(), QByteArray("MSP_PROJECTS\t1\n"));
    }
}

QTEST_GUILESS_MAIN(TestWorkingCopy)
#include "tst_workingcopy.moc"
