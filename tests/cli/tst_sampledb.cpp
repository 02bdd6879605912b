#include "access/AccountingDatabase.h"
#include "cli/CliCommands.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "support/Golden.h"
#include "taxid/cCifNif.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

int cli(const QStringList& arguments, QString* err = nullptr, QString* out = nullptr) {
    QString output;
    QString errors;
    QTextStream outStream(&output);
    QTextStream errStream(&errors);
    const int status = runCli(arguments, {outStream, errStream});
    outStream.flush();
    errStream.flush();
    if (err)
        *err = errors;
    if (out)
        *out = output;
    return status;
}

int sampleDb(const QStringList& arguments, QString* err = nullptr) {
    return cli(QStringList{QStringLiteral("sample-db")} + arguments, err);
}

// Every row of every table, in storage order.
QStringList dump(const QString& path) {
    auto db = openAccountingDatabase(path, OpenMode::ReadOnly);
    QStringList lines;
    for (const QString& table : db->tableNames()) {
        Recordset rs = db->openRecordset(QStringLiteral("select * from [%1] order by rowid").arg(table));
        for (; !rs.eof(); rs.moveNext()) {
            QStringList values;
            for (int i = 0; i < rs.fieldCount(); ++i)
                values.append(rs.value(i).isNull() ? QStringLiteral("<null>") : rs.value(i).toString());
            lines.append(table + QLatin1Char(':') + values.join(QLatin1Char('|')));
        }
    }
    return lines;
}

QStringList column(Database& db, const QString& sql) {
    QStringList values;
    for (Recordset rs = db.openRecordset(sql); !rs.eof(); rs.moveNext())
        values.append(rs.value(0).toString());
    return values;
}

const QString kAboveThreshold = QStringLiteral(
    "select p.nif, p.codpost from provedores p inner join TdApt a on p.nif = a.NifProv "
    "where Year(f_factura) = Year(Now) - 1 and (isnull(grupo) or a.grupo >= 0) "
    "and a.iu not in (select iuiva from iva) group by p.nif, p.codpost having sum(a.cantidad) > 3005.06");
const QString kWithheldWithoutPostalCode = QStringLiteral(
    "select q.Nif from qryIRPF q inner join provedores p on q.nif = p.nif "
    "Where Year(f_apunte) = Year(Now) -1 and (isnull(p.codpost ) or p.codpost = '')");

bool valid(QString identifier) {
    cCifNif check;
    check.Entrada(identifier);
    return check.Correcto();
}

}  // namespace

class TestSampleDb : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 2, 1), QTime(9, 0))); }
    void cleanup() { Clock::unpin(); }
    void sameSeedSameContent();
    void refusesToOverwrite();
    void badOptions_data();
    void badOptions();
    void cleanSampleHoldsWhatTheDeclarationsNeed();
    void faultsSampleHoldsWhatTheyRefuse();
    void historySpreadsTheEntriesOverTheYears();
    void declarationsPassTheirCheck_data();
    void declarationsPassTheirCheck();
    void accessCopyDeclaresTheSame();
    void chosenKeySurvivesARefreshOfTheCopy();
};

void TestSampleDb::sameSeedSameContent() {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.mdb"));
    const QString b = dir.filePath(QStringLiteral("b.mdb"));
    const QString c = dir.filePath(QStringLiteral("c.mdb"));
    QCOMPARE(sampleDb({a, QStringLiteral("--seed"), QStringLiteral("7")}), 0);
    QCOMPARE(sampleDb({b, QStringLiteral("--seed"), QStringLiteral("7")}), 0);
    QCOMPARE(sampleDb({c, QStringLiteral("--seed"), QStringLiteral("8")}), 0);
    const QStringList first = dump(a);
    QVERIFY(first.size() > 4000);
    QCOMPARE(dump(b), first);
    QVERIFY(dump(c) != first);
    QVERIFY_THROWS_EXCEPTION(DbError, Database::open(a, OpenMode::Shared, QStringLiteral(";pwd=otra")));
}

void TestSampleDb::refusesToOverwrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.mdb"));
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("the office's own file");
    existing.close();
    QString err;
    QCOMPARE(sampleDb({path}, &err), 1);
    QVERIFY(err.contains(path));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("the office's own file"));
}

void TestSampleDb::badOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no file") << QStringList{};
    QTest::newRow("two files") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("too few suppliers")
        << QStringList{QStringLiteral("a"), QStringLiteral("--suppliers"), QStringLiteral("3")};
    QTest::newRow("entries not a number")
        << QStringList{QStringLiteral("a"), QStringLiteral("--entries"), QStringLiteral("x")};
    QTest::newRow("negative seed") << QStringList{QStringLiteral("a"), QStringLiteral("--seed"),
                                                  QStringLiteral("-1")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("a"), QStringLiteral("--fault")};
    QTest::newRow("no years") << QStringList{QStringLiteral("a"), QStringLiteral("--years"),
                                             QStringLiteral("0")};
    QTest::newRow("too many years") << QStringList{QStringLiteral("a"), QStringLiteral("--years"),
                                                   QStringLiteral("51")};
}

void TestSampleDb::badOptions() {
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    QCOMPARE(sampleDb(arguments), 2);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a"))));
}

void TestSampleDb::cleanSampleHoldsWhatTheDeclarationsNeed() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.mdb"));
    QCOMPARE(sampleDb({path}), 0);
    auto db = openAccountingDatabase(path);
    QCOMPARE(column(*db, QStringLiteral("select count(*) from Centro")), QStringList{QStringLiteral("1")});
    QCOMPARE(column(*db, QStringLiteral("select a from config where tipo='Font'")),
             QStringList{QStringLiteral("Arial")});
    QVERIFY(column(*db, QStringLiteral("select cuenta from contra")).size() >= 3);
    QVERIFY(valid(column(*db, QStringLiteral("select NIF from Centro")).first()));

    const QStringList nifs = column(*db, QStringLiteral("select nif from provedores"));
    QCOMPARE(nifs.size(), 80);
    QVERIFY(std::all_of(nifs.begin(), nifs.end(), valid));
    QVERIFY(std::any_of(nifs.begin(), nifs.end(),
                        [](const QString& n) { return n.startsWith(QLatin1Char('X')); }));
    const QString names =
        column(*db, QStringLiteral("select nombre from provedores")).join(QLatin1Char('\n'));
    for (const char* piece : {"Ñ", "ª", "(", "\"", "'", "á"})
        QVERIFY2(names.contains(QString::fromUtf8(piece)), piece);
    QVERIFY(names != names.toUpper());
    QVERIFY(
        !column(*db, QStringLiteral("select nif from provedores where left$(codpost,2) = '51'")).isEmpty());

    for (const auto& [from, to] :
         {std::pair{"2025-01-01", "2025-03-31"}, std::pair{"2025-04-01", "2025-06-30"},
          std::pair{"2025-07-01", "2025-09-30"}, std::pair{"2025-10-01", "2025-12-31"}})
        QVERIFY(
            db->openRecordset(QStringLiteral("select count(*) from TdApt where f_factura between ? and ?"),
                              {QString::fromLatin1(from), QString::fromLatin1(to)})
                .value(0)
                .toInt() > 100);
    QVERIFY(!column(*db, QStringLiteral("select iu from TdApt where Year(f_factura) <> Year(Now) - 1"))
                 .isEmpty());
    QVERIFY(!column(*db, QStringLiteral("select iu from TdApt where grupo < 0")).isEmpty());
    QVERIFY(!column(*db, QStringLiteral("select iuiva from IVA")).isEmpty());
    QVERIFY(!column(*db, QStringLiteral("select NifProv from TdApt where Year(f_factura) <> Year(f_pago)"))
                 .isEmpty());

    QStringList rates =
        column(*db, QStringLiteral("select distinct irp*100/integr from qryIRPF where integr > 0"));
    for (QString& rate : rates)
        rate = QString::number(qRound(rate.toDouble()));
    for (const char* rate : {"15", "7", "1", "19"})
        QVERIFY2(rates.contains(QString::fromLatin1(rate)), rate);
    QVERIFY(
        !column(*db, QStringLiteral("select Nif from qryIRPF where integr = 0 and noreten > 0")).isEmpty());

    QVERIFY(column(*db, kWithheldWithoutPostalCode).isEmpty());
    Recordset above = db->openRecordset(kAboveThreshold);
    QVERIFY(above.recordCount() > 10);
    QVERIFY(above.recordCount() < 80);
    for (; !above.eof(); above.moveNext()) {
        QVERIFY(valid(above.value(0).toString()));
        QVERIFY(!above.value(1).toString().isEmpty());
    }
}

void TestSampleDb::faultsSampleHoldsWhatTheyRefuse() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.mdb"));
    QCOMPARE(sampleDb({path, QStringLiteral("--faults")}), 0);
    auto db = openAccountingDatabase(path);
    QVERIFY(!column(*db, kWithheldWithoutPostalCode).isEmpty());
    int withoutPostalCode = 0;
    int doubtful = 0;
    for (Recordset above = db->openRecordset(kAboveThreshold); !above.eof(); above.moveNext()) {
        withoutPostalCode += above.value(1).toString().isEmpty() ? 1 : 0;
        doubtful += valid(above.value(0).toString()) ? 0 : 1;
    }
    QVERIFY(withoutPostalCode >= 1);
    QVERIFY(doubtful >= 2);
}

void TestSampleDb::historySpreadsTheEntriesOverTheYears() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("h.mdb"));
    QCOMPARE(sampleDb({path, QStringLiteral("--entries"), QStringLiteral("10000"), QStringLiteral("--years"),
                       QStringLiteral("5")}),
             0);
    auto db = openAccountingDatabase(path);
    Recordset entries = db->openRecordset(QStringLiteral(
        "select avg(iif(Year(f_factura) = Year(Now) - 1, 1.0, 0)), min(Year(f_factura)) from TdApt"));
    QVERIFY2(entries.value(0).toDouble() > 0.15 && entries.value(0).toDouble() < 0.25,
             qPrintable(entries.value(0).toString()));
    QCOMPARE(entries.value(1).toInt(), 2021);
    QVERIFY(!column(*db, QStringLiteral("select Nif from qryIRPF where Year(f_apunte) < 2024")).isEmpty());
    QCOMPARE(column(*db, kAboveThreshold).isEmpty(), false);
}

void TestSampleDb::declarationsPassTheirCheck_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("default") << QStringList{};
    QTest::newRow("history") << QStringList{QStringLiteral("--suppliers"), QStringLiteral("400"),
                                            QStringLiteral("--entries"),   QStringLiteral("20000"),
                                            QStringLiteral("--years"),     QStringLiteral("3")};
}

// Written with real contact data, both files of a sample pass the agency's record rules without an
// error (a rare letter in a name is a warning): the quarters of every Modelo 347 record add up to its
// yearly amount.
void TestSampleDb::declarationsPassTheirCheck() {
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.mdb"));
    QCOMPARE(sampleDb(QStringList{path} + options), 0);
    const QStringList contact{QStringLiteral("--phone"), QStringLiteral("915550123"),
                              QStringLiteral("--contact"), QStringLiteral("Garcia Lopez Ana")};
    for (const char* model : {"190", "347"}) {
        QString err;
        QStringList run{QStringLiteral("mod") + QLatin1String(model),
                        QStringLiteral("--db"),
                        path,
                        QStringLiteral("--out"),
                        dir.path(),
                        QStringLiteral("--yes")};
        if (QLatin1String(model) == QLatin1String("190"))
            run.removeLast();
        QCOMPARE(cli(run + contact, &err), 0);
        QVERIFY2(!err.contains(QStringLiteral("): error: ")), qPrintable(err));
        QString report;
        const QString file = dir.filePath(QStringLiteral("Mod%1.txt").arg(QLatin1String(model)));
        QCOMPARE(cli({QStringLiteral("check-file"), file}, &err, &report), 0);
        QVERIFY2(report.contains(QStringLiteral("; errores: 0; avisos: ")), qPrintable(report));
    }
}

// The sample copied into Access (tests/data/access/make-package-sample.sh) gives the same files as
// the sample itself: the road through the working copy changes no byte.
void TestSampleDb::accessCopyDeclaresTheSame() {
    QTemporaryDir dir;
    const QString sqlite = dir.filePath(QStringLiteral("muestra.mdb"));
    QCOMPARE(sampleDb({sqlite, QStringLiteral("--suppliers"), QStringLiteral("30"),
                       QStringLiteral("--entries"), QStringLiteral("400")}),
             0);
    const QString access = dir.filePath(QStringLiteral("ecordadb.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/packageSample.mdb"), access));
    QFile(access).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    for (const QString& model : {QStringLiteral("190"), QStringLiteral("347")}) {
        QByteArray files[2];
        for (int road = 0; road < 2; ++road) {
            const QString out = dir.filePath(QStringLiteral("salida%1").arg(road));
            QDir().mkpath(out);
            QString err;
            QStringList run{QStringLiteral("mod") + model, QStringLiteral("--db"),
                            road == 0 ? sqlite : access, QStringLiteral("--out"), out};
            if (model == QLatin1String("347"))
                run << QStringLiteral("--yes");
            QCOMPARE(cli(run, &err), 0);
            QFile file(out + QStringLiteral("/Mod") + model + QStringLiteral(".txt"));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(err));
            files[road] = file.readAll();
        }
        QVERIFY(files[0].count('\n') > 2);
        QCOMPARE(files[1], files[0]);
    }
}

// A key chosen on the working copy of an Access file stays when the package saves its file again, and
// serves every later run.
void TestSampleDb::chosenKeySurvivesARefreshOfTheCopy() {
    QTemporaryDir dir;
    const QString access = dir.filePath(QStringLiteral("ecordadb.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/packageSample.mdb"), access));
    QFile(access).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QString out;
    QCOMPARE(cli({QStringLiteral("claves"), QStringLiteral("--db"), access}, nullptr, &out), 0);
    const QString nif = out.section(QLatin1Char('\n'), 1, 1).section(QLatin1Char('\t'), 0, 0);
    QCOMPARE(cli({QStringLiteral("claves"), QStringLiteral("--db"), access, QStringLiteral("--set"), nif,
                  QStringLiteral("K01")}),
             0);
    for (int run = 0; run < 2; ++run) {
        QFile saved(access);  // the package saves its file again, a minute later
        QVERIFY(saved.open(QIODevice::ReadWrite));
        QVERIFY(saved.setFileTime(QDateTime::currentDateTime().addSecs(60 * (run + 1)),
                                  QFileDevice::FileModificationTime));
        saved.close();
        QString err;
        QCOMPARE(cli({QStringLiteral("mod190"), QStringLiteral("--db"), access, QStringLiteral("--out"),
                      dir.path()},
                     &err),
                 0);
        const QStringList records = recordLines(readAll(dir.filePath(QStringLiteral("Mod190.txt"))));
        const auto perceptor = std::find_if(records.begin(), records.end(), [&](const QString& record) {
            return record.mid(17, 9).endsWith(nif);
        });
        QVERIFY2(perceptor != records.end(), qPrintable(nif));
        QCOMPARE(perceptor->mid(77, 3), QStringLiteral("K01"));
    }
}

QTEST_GUILESS_MAIN(TestSampleDb)
#include "tst_sampledb.moc"
