#include "cli/CliCommands.h"
#include "db/Clock.h"
#include "mod190/PerceptorKeys.h"
#include "mod190/Reconciliation111.h"
#include "mod347/Mod347Statements.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/SmallDisk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun runCliWith(const QStringList& arguments) {
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runCli(arguments, {out, err});
    out.flush();
    err.flush();
    return run;
}

// Twelve suppliers, each above the Modelo 347's threshold and withheld at 15 %: either file is longer than
// a page of the disk.
void fillTwelveSuppliers(FixtureDatabase& f) {
    f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro')"));
    for (int i = 1; i <= 12; ++i) {
        const int number = 10000000 + i;
        const QString nif = QString::number(number) + QLatin1Char("TRWAGMYFPDXBNJZSQVHLCKE"[number % 23]);
        const QString name = QStringLiteral("Proveedor %1").arg(i);
        f.addSupplier(nif, name, QStringLiteral("28001"));
        f.addEntry(nif, 5000 + i, QStringLiteral("2025-05-05"), QStringLiteral("2025-05-06"));
        f.addWithholding(nif, name, QStringLiteral("2025-05-05"), 1000 + i, 150);
    }
}

// Every file under a folder but the disk's filler, with its content.
QMap<QString, QByteArray> filesUnder(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() != QLatin1String("relleno"))
            files.insert(path, readAll(path));
    }
    return files;
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 2, 1), QTime(9, 0))); }
    void cleanup() { Clock::unpin(); }
    void badUsage_data();
    void badUsage();
    void queryPrintsNamesAndRows();
    void queryEscapesValues();
    void queryActionPrintsNothing();
    void queryOnMissingFile();
    void queryEngineError();
    void checkId_data();
    void checkId();
    void mod190_data();
    void mod190();
    void mod347_data();
    void mod347();
    void reviewIds();
    void reviewIdsWithoutAnswer();
    void fileThatIsNotADatabase_data();
    void fileThatIsNotADatabase();
    void argumentsAsTyped();
    void programFolderIsTheRealOneThroughALink();
    void checkFile_data();
    void checkFile();
    void checkFileCompare_data();
    void checkFileCompare();
    void fullDiskIsAFailure_data();
    void fullDiskIsAFailure();
    void keys_data();
    void keys();
    void reconciliation111_data();
    void reconciliation111();
    void complementaryOfTheRefused_data();
    void complementaryOfTheRefused();
};

void TestCli::badUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")};
    QTest::newRow("query without db") << QStringList{QStringLiteral("query"), QStringLiteral("select 1")};
    QTest::newRow("query without statement")
        << QStringList{QStringLiteral("query"), QStringLiteral("--db"), QStringLiteral("x")};
    QTest::newRow("db without value")
        << QStringList{QStringLiteral("query"), QStringLiteral("select 1"), QStringLiteral("--db")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("query"), QStringLiteral("--database"),
                                                   QStringLiteral("x"), QStringLiteral("select 1")};
}

void TestCli::badUsage() {
    QFETCH(QStringList, arguments);
    const CliRun run = runCliWith(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.contains(QLatin1String("Uso:")));
    QVERIFY(run.out.isEmpty());
}

void TestCli::queryPrintsNamesAndRows() {
    FixtureDatabase f;
    f.native(QStringLiteral("create table IVA (iuprincipal text, iuiva text, nif text)"));
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), QStringLiteral("28001"));
    f.addEntry(QStringLiteral("B1"), 3000.00, QStringLiteral("2025-02-01"), {});
    f.addEntry(QStringLiteral("B1"), 5.07, QStringLiteral("2025-12-31"), {});
    const CliRun run = runCliWith({QStringLiteral("query"), QStringLiteral("--db"), f.path(),
                                   Mod347Statements::selection(QStringLiteral("3005.06"))});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QStringLiteral("Expr1000\tnif\tnombre\tExpr1003\tExpr1004\tExpr1005\tExpr1006\n"
                                     "\tB1\tUno\t28\tA\t3005.07\t1\n"));
}

void TestCli::queryEscapesValues() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("a\\b\tc\r\nd"), {});
    f.addEntry(QStringLiteral("B1"), 1234.5, QStringLiteral("2025-01-01"), {}, 7);
    const CliRun run =
        runCliWith({QStringLiteral("query"), QStringLiteral("--db"), f.path(),
                    QStringLiteral("select p.nombre, p.codpost, a.cantidad, a.grupo from provedores p "
                                   "inner join TdApt a on p.nif = a.NifProv")});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out,
             QStringLiteral("nombre\tcodpost\tcantidad\tgrupo\na\\\\b\\tc\\r\\nd\t\\N\t1234.5\t7\n"));
}

void TestCli::queryActionPrintsNothing() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), {});
    const CliRun run = runCliWith({QStringLiteral("query"), QStringLiteral("--db"), f.path(),
                                   QStringLiteral("delete * from provedores")});
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(runCliWith({QStringLiteral("query"), QStringLiteral("--db"), f.path(),
                         QStringLiteral("select count(*) from provedores")})
                 .out,
             QStringLiteral("Expr1000\n0\n"));
}

void TestCli::queryOnMissingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/file"));
    const CliRun run =
        runCliWith({QStringLiteral("query"), QStringLiteral("--db"), path, QStringLiteral("select 1")});
    QCOMPARE(run.status, 1);
    QVERIFY(run.err.contains(path));
    QVERIFY(!QFile::exists(path));
}

void TestCli::queryEngineError() {
    FixtureDatabase f;
    const CliRun run = runCliWith({QStringLiteral("query"), QStringLiteral("--db"), f.path(),
                                   QStringLiteral("select * from nosuchtable")});
    QCOMPARE(run.status, 1);
    QVERIFY(run.err.contains(QLatin1String("nosuchtable")));
}

void TestCli::checkId_data() {
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("status");
    QTest::newRow("the office's examples")
        << QStringList{QStringLiteral("12345678Z"), QStringLiteral("12345678z"), QStringLiteral("X1234567L"),
                       QStringLiteral("Y1234567L"), QStringLiteral("B12345674"), QStringLiteral("B1234567D"),
                       QStringLiteral("A0000000J"), QStringLiteral("K1234567D"), QString()}
        << QStringLiteral(
               "12345678Z\tvalid\n12345678z\tinvalid\nX1234567L\tvalid\nY1234567L\tinvalid\n"
               "B12345674\tvalid\nB1234567D\tvalid\nA0000000J\tvalid\nK1234567D\tinvalid\n\tinvalid\n")
        << 1;
    QTest::newRow("all valid") << QStringList{QStringLiteral("x1234567L"), QStringLiteral("12N")}
                               << QStringLiteral("x1234567L\tvalid\n12N\tvalid\n") << 0;
    QTest::newRow("none") << QStringList{} << QString() << 2;
}

void TestCli::checkId() {
    QFETCH(QStringList, ids);
    QFETCH(QString, out);
    QFETCH(int, status);
    const CliRun run = runCliWith(QStringList{QStringLiteral("check-id")} + ids);
    QCOMPARE(run.out, out);
    QCOMPARE(run.status, status);
}

void TestCli::mod190_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    const QStringList email{QStringLiteral("--email"), QStringLiteral("ana.nunez@centro.es")};
    QTest::newRow("file written") << "clean"
                                  << QStringList{QStringLiteral("--phone"), QStringLiteral("915550123")} +
                                         email
                                  << 0 << "PROCESO TERMINADO: Fichero : %1/Mod190.txt\n";
    // The run checks its own file: the example telephone and an empty e-mail are warnings; letters in the
    // telephone, or an e-mail that is no address, errors.
    const QString checkList = QStringLiteral(
        "\n\nLa lista completa está en el fichero\n%1/Comprobacion190.txt\n\nEl fichero de la declaración se "
        "ha escrito. Usted decide si corrige los datos y lo vuelve a generar.\nPROCESO TERMINADO: Fichero : "
        "%1/Mod190.txt\n");
    QTest::newRow("example telephone")
        << "clean" << email << 0
        << QString::fromUtf8(
               "COMPROBACIÓN DEL FICHERO: La comprobación del fichero ha encontrado 0 errores y 1 aviso:\n\n"
               "Registro 1, posiciones 59-67 (teléfono de contacto): aviso: «123456789» es el número de "
               "ejemplo, "
               "no el de la persona de contacto.") +
               checkList;
    // What the windows ask about before writing, a script's run reports and goes on with.
    QTest::newRow("telephone with letters")
        << "clean" << QStringList{QStringLiteral("--phone"), QStringLiteral("95A-12-34-56")} + email << 0
        << QString::fromUtf8(
               "AVISO: El teléfono debe tener solo cifras (ha escrito «95A-12-34-56»).\n"
               "COMPROBACIÓN DEL FICHERO: La comprobación del fichero ha encontrado 1 error y 0 avisos:\n\n"
               "Registro 1, posiciones 59-67 (teléfono de contacto): error: «95A123456» no son solo "
               "cifras.") +
               checkList;
    QTest::newRow("no e-mail")
        << "clean" << QStringList{QStringLiteral("--phone"), QStringLiteral("915550123")} << 0
        << QString::fromUtf8(
               "COMPROBACIÓN DEL FICHERO: La comprobación del fichero ha encontrado 0 errores y 1 aviso:\n\n"
               "Registro 1, posiciones 176-225 (correo electrónico de la persona de contacto): aviso: está "
               "en "
               "blanco: la Agencia no podrá escribir a la persona de contacto.") +
               checkList;
    QTest::newRow("an e-mail that is no address")
        << "clean"
        << QStringList{QStringLiteral("--phone"), QStringLiteral("915550123"), QStringLiteral("--email"),
                       QStringLiteral("ana en el centro")}
        << 0
        << QString::fromUtf8(
               "AVISO: El correo electrónico «ana en el centro» no es una dirección.\n"
               "COMPROBACIÓN DEL FICHERO: La comprobación del fichero ha encontrado 1 error y 0 avisos:\n\n"
               "Registro 1, posiciones 176-225 (correo electrónico de la persona de contacto): error: «ANA "
               "EN EL "
               "CENTRO» no es una dirección de correo electrónico.") +
               checkList;
    QTest::newRow("eight digits")
        << "clean" << QStringList{QStringLiteral("--phone"), QStringLiteral("95712345")} + email << 0
        << QString::fromUtf8(
               "AVISO: El teléfono debe tener 9 cifras (ha escrito 8).\n"
               "COMPROBACIÓN DEL FICHERO: La comprobación del fichero ha encontrado 1 error y 0 avisos:\n\n"
               "Registro 1, posiciones 59-67 (teléfono de contacto): error: «95712345»: el teléfono debe "
               "tener 9 "
               "cifras (tiene 8).") +
               checkList;
    QTest::newRow("postal code missing")
        << "faults" << QStringList{} << 4
        << "A T E N C I Ó N: El fichero %1/ErrorCP.txt\nle informa de errores que ha "
           "de corregir\n para poder continuar\n";
    QTest::newRow("nothing to declare")
        << "empty" << QStringList{} << 3 << "A T E N C I Ó N: No hay retenciones\n";
    QTest::newRow("missing output folder")
        << "clean" << QStringList{QStringLiteral("--out"), QStringLiteral("/no/such")} << 2
        << "La carpeta de salida '/no/such' no existe.\n";
    QTest::newRow("unknown option") << "clean" << QStringList{QStringLiteral("--yes")} << 2 << QString();
}

void TestCli::mod190() {
    QFETCH(QString, data);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, err);
    FixtureDatabase f;
    f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro')"));
    if (data != QLatin1String("empty")) {
        f.addSupplier(QStringLiteral("11111111H"), QStringLiteral("Uno"),
                      data == QLatin1String("faults") ? QVariant() : QVariant(QStringLiteral("28001")));
        f.addWithholding(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("2025-05-05"),
                         1000, 150);
    }
    QStringList arguments{QStringLiteral("mod190"), QStringLiteral("--db"), f.path()};
    if (!options.contains(QStringLiteral("--out")))
        arguments << QStringLiteral("--out") << f.folder();
    const CliRun run =
        runCliWith(arguments + options + QStringList{QStringLiteral("--contact"), QStringLiteral(" Núñez ")});
    QCOMPARE(run.status, status);
    if (!err.isEmpty())
        QCOMPARE(run.err, QString(err).replace(QLatin1String("%1"), f.folder()));
    QVERIFY(run.out.isEmpty());
    if (status == 0)
        QVERIFY(readAll(f.folder() + QStringLiteral("/Mod190.txt"))
                    .mid(67, 40)
                    .startsWith("NU\xD1"
                                "EZ "));
    QCOMPARE(QFile::exists(f.folder() + QStringLiteral("/Comprobacion190.txt")),
             err.contains(QStringLiteral("COMPROBACIÓN DEL FICHERO")));
}

void TestCli::mod347_data() {
    QTest::addColumn<QString>("nif");
    QTest::addColumn<QVariant>("postalCode");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastMessage");
    QTest::newRow("file written") << "B12345674" << QVariant(QStringLiteral("28001")) << QStringList{} << 0
                                  << "PROCESO TERMINADO: Fichero : %1/Mod347.txt";
    QTest::newRow("real contact data")
        << "B12345674" << QVariant(QStringLiteral("28001"))
        << QStringList{QStringLiteral("--phone"), QStringLiteral("915550123"), QStringLiteral("--contact"),
                       QStringLiteral("Garcia Lopez Ana")}
        << 0 << "PROCESO TERMINADO: Fichero : %1/Mod347.txt";
    QTest::newRow("postal code missing") << "B12345674" << QVariant() << QStringList{} << 4
                                         << "ERRORES EN PROVEEDORES: Vea el fichero \n%1/RevisarCP.txt";
    QTest::newRow("doubtful identifier, no")
        << "B1234567" << QVariant(QStringLiteral("28001")) << QStringList{} << 5
        << "POSIBLES ERRORES EN CIF/NIF DE PROVEEDORES: Vea el fichero \n"
           "%1/RevisarNIF.txt\n¿Desea continuar?";
    QTest::newRow("doubtful identifier, yes")
        << "B1234567" << QVariant(QStringLiteral("28001")) << QStringList{QStringLiteral("--yes")} << 0
        << "PROCESO TERMINADO: Fichero : %1/Mod347.txt";
    QTest::newRow("nothing above the threshold")
        << "B12345674" << QVariant(QStringLiteral("28001"))
        << QStringList{QStringLiteral("--threshold"), QStringLiteral("9000")} << 3
        << "ATENCIÓN: No hay perceptores para incluir en el fichero.";
    QTest::newRow("threshold not a number")
        << "B12345674" << QVariant(QStringLiteral("28001"))
        << QStringList{QStringLiteral("--threshold"), QStringLiteral("3.005.06")} << 2
        << "Datos de Ecorda para AEAT: Mete bien el tope";
    // As the box takes it: the points before the decimal comma separate thousands.
    QTest::newRow("threshold as Spaniards write it")
        << "B12345674" << QVariant(QStringLiteral("28001"))
        << QStringList{QStringLiteral("--threshold"), QStringLiteral("4.999,99")} << 0
        << "PROCESO TERMINADO: Fichero : %1/Mod347.txt";
    QTest::newRow("threshold above the amount")
        << "B12345674" << QVariant(QStringLiteral("28001"))
        << QStringList{QStringLiteral("--threshold"), QStringLiteral("5.000,00")} << 3
        << "ATENCIÓN: No hay perceptores para incluir en el fichero.";
    QTest::newRow("thousands without a comma")
        << "B12345674" << QVariant(QStringLiteral("28001"))
        << QStringList{QStringLiteral("--threshold"), QStringLiteral("5.000")} << 3
        << "ATENCIÓN: No hay perceptores para incluir en el fichero.";
    QTest::newRow("a negative threshold")
        << "B12345674" << QVariant(QStringLiteral("28001"))
        << QStringList{QStringLiteral("--threshold"), QStringLiteral("-100")} << 2
        << "Datos de Ecorda para AEAT: Mete bien el tope";
}

void TestCli::mod347() {
    QFETCH(QString, nif);
    QFETCH(QVariant, postalCode);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, lastMessage);
    FixtureDatabase f;
    f.native(QStringLiteral("insert into Centro values ('Q2826000H', 'Centro')"));
    f.addSupplier(nif, QStringLiteral("Uno"), postalCode);
    f.addEntry(nif, 5000, QStringLiteral("2025-05-05"), QStringLiteral("2025-05-06"));
    const QString checkList = f.folder() + QStringLiteral("/Comprobacion347.txt");
    QVERIFY(writeAll(checkList, "an earlier run's list\r\n"));
    const QString declaration = f.folder() + QStringLiteral("/Mod347.txt");
    QVERIFY(writeAll(declaration, "an earlier run's declaration\r\n"));
    const CliRun run = runCliWith(QStringList{QStringLiteral("mod347"), QStringLiteral("--db"), f.path(),
                                              QStringLiteral("--out"), f.folder()} +
                                  options);
    QCOMPARE(run.status, status);
    QVERIFY2(
        run.err.endsWith(QString(lastMessage).replace(QLatin1String("%1"), f.folder()) + QLatin1Char('\n')),
        qPrintable(run.err));
    // A written file is checked: a list of its problems, or no list at all.
    const bool checkedClean = status == 0 && options.contains(QStringLiteral("--contact"));
    QCOMPARE(QFile::exists(checkList), !checkedClean);
    QCOMPARE(run.err.contains(QStringLiteral("COMPROBACIÓN DEL FICHERO: ")), status == 0 && !checkedClean);
    if (status != 0)  // a run that stops leaves the earlier file as it was
        QCOMPARE(readAll(declaration), QByteArray("an earlier run's declaration\r\n"));
    if (status == 0) {
        const QList<QByteArray> lines = readAll(declaration).split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].mid(135, 9), QByteArray("000000001"));
    }
}

void TestCli::reviewIds() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B12345674"), QStringLiteral("Correcto"), {});
    f.addSupplier(QStringLiteral("12345678z"), QStringLiteral("L'Hospitalet\tdos"), {});
    const QString pdf = f.folder() + QStringLiteral("/r.pdf");
    const CliRun run = runCliWith(
        {QStringLiteral("review-ids"), QStringLiteral("--db"), f.path(), QStringLiteral("--pdf"), pdf});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QStringLiteral("12345678z\tL'Hospitalet\\tdos\n"));
    QVERIFY(readAll(pdf).startsWith("%PDF"));
    QCOMPARE(runCliWith({QStringLiteral("review-ids"), QStringLiteral("--db"),
                         f.folder() + QStringLiteral("/none.mdb")})
                 .status,
             1);
    QCOMPARE(runCliWith({QStringLiteral("review-ids")}).status, 2);
}

void TestCli::reviewIdsWithoutAnswer() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1234567"), QStringLiteral("Uno"), {});
    f.damageTable(QStringLiteral("provedores"));
    const CliRun run = runCliWith({QStringLiteral("review-ids"), QStringLiteral("--db"), f.path()});
    QCOMPARE(run.status, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith(QStringLiteral("No se han podido revisar los CIF/NIF de los proveedores.")),
             qPrintable(run.err));
}

void TestCli::fileThatIsNotADatabase_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("content");
    for (const char* command : {"mod190", "mod347", "review-ids", "query"}) {
        QTest::addRow("%s, empty file", command) << QString::fromLatin1(command) << QByteArray();
        QTest::addRow("%s, text file", command) << QString::fromLatin1(command) << QByteArray("NIF;Nombre\n");
    }
}

// Refused with a message naming it, left byte for byte as it was, and no declaration beside it.
void TestCli::fileThatIsNotADatabase() {
    QFETCH(QString, command);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ecordadb.mdb"));
    QVERIFY(writeAll(path, content));
    QStringList arguments{command, QStringLiteral("--db"), path};
    if (command.startsWith(QLatin1String("mod")))
        arguments << QStringLiteral("--out") << dir.path();
    if (command == QLatin1String("query"))
        arguments << QStringLiteral("select count(*) from provedores");
    const CliRun run = runCliWith(arguments);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(QStringLiteral("El archivo '%1' no es una base de datos.").arg(path)),
             qPrintable(run.err));
    QCOMPARE(readAll(path), content);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ecordadb.mdb")});
}

// Every character of an argument reaches the command, a leading byte order mark too.
void TestCli::argumentsAsTyped() {
    QProcess cli;
    cli.start(QStringLiteral(AEAT_BIN_DIR "/aeat-cli"),
              {QStringLiteral("check-id"), QStringLiteral("\uFEFF12345678Z"), QStringLiteral("12345678Z")});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.readAllStandardOutput(), QByteArray("\xEF\xBB\xBF"
                                                     "12345678Z\tinvalid\n12345678Z\tvalid\n"));
    QCOMPARE(cli.exitCode(), 1);
}

// Installed, the programs are started through links on the PATH: the program folder, where
// aeat-cli finds itself for the import's child process, is the real executable's.
void TestCli::programFolderIsTheRealOneThroughALink() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("enlaces")));
    const QString link = dir.filePath(QStringLiteral("enlaces/datos-aeat"));
    QVERIFY(QFile::link(QStringLiteral(AEAT_BIN_DIR "/aeat-cli"), link));
    const QString access = dir.filePath(QStringLiteral("ecordadb.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(AEAT_TEST_DATA_DIR "/data/access/testV1997.mdb"), access));
    QProcess cli;
    cli.start(link, {QStringLiteral("import-mdb"), access});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("ecordadb.aeat.sqlite"))));
}

void TestCli::checkFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("warnings only") << "mod190/golden/totals-default-contact.txt" << 0
                                   << "Registros leídos: 3; declarados: 2; errores: 0; avisos: 3.";
    QTest::newRow("an error") << "mod190/golden/empty-centre-long-number.txt" << 1
                              << "Registros leídos: 2; declarados: 1; errores: 1; avisos: 3.";
    QTest::newRow("not a declaration") << "data/access/README.md" << 2 << QString();
    QTest::newRow("no such file") << "no/such/Mod190.txt" << 2 << QString();
}

void TestCli::checkFile() {
    QFETCH(QString, file);
    QFETCH(int, status);
    QFETCH(QString, lastLine);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("resumen.pdf"));
    const CliRun run =
        runCliWith({QStringLiteral("check-file"), QStringLiteral(AEAT_TEST_DATA_DIR "/") + file,
                    QStringLiteral("--pdf"), pdf});
    QCOMPARE(run.status, status);
    if (status == 2) {
        QVERIFY(run.out.isEmpty());
        QVERIFY(!run.err.isEmpty());
        return;
    }
    QVERIFY2(run.out.endsWith(lastLine + QLatin1Char('\n')), qPrintable(run.out));
    QVERIFY(readAll(pdf).startsWith("%PDF"));
}

void TestCli::checkFileCompare_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");
    const QString older347 = QStringLiteral(AEAT_TEST_DATA_DIR "/filecheck/golden/compare-347-old.txt");
    QTest::newRow("last year") << "filecheck/golden/compare-347-new.txt"
                               << QStringList{QStringLiteral("--compare"), older347} << 0
                               << "Nuevos: 1; ya no figuran: 1; cambios: 2.\n";
    QTest::newRow("every change") << "filecheck/golden/compare-347-new.txt"
                                  << QStringList{QStringLiteral("--compare"), older347,
                                                 QStringLiteral("--change"), QStringLiteral("0")}
                                  << 0 << "Nuevos: 1; ya no figuran: 1; cambios: 3.\n";
    // The comparison leaves the status of the check as it is.
    QTest::newRow("errors in the new file")
        << "mod190/golden/empty-centre-long-number.txt"
        << QStringList{QStringLiteral("--compare"),
                       QStringLiteral(AEAT_TEST_DATA_DIR "/filecheck/golden/compare-190-old.txt")}
        << 1 << "; cambios: 0.\n";
    QTest::newRow("another model") << "filecheck/golden/compare-347-new.txt"
                                   << QStringList{QStringLiteral("--compare"),
                                                  QStringLiteral(AEAT_TEST_DATA_DIR
                                                                 "/filecheck/golden/compare-190-old.txt")}
                                   << 2 << "del modelo 347 y";
    QTest::newRow("no declaration") << "filecheck/golden/compare-347-new.txt"
                                    << QStringList{QStringLiteral("--compare"),
                                                   QStringLiteral(AEAT_TEST_DATA_DIR
                                                                  "/data/access/README.md")}
                                    << 2 << "no es una declaración del modelo 190 ni del 347";
    QTest::newRow("a percentage below zero") << "filecheck/golden/compare-347-new.txt"
                                             << QStringList{QStringLiteral("--compare"), older347,
                                                            QStringLiteral("--change"), QStringLiteral("-5")}
                                             << 2 << "--change";
}

void TestCli::checkFileCompare() {
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, expected);
    const CliRun run = runCliWith(
        QStringList{QStringLiteral("check-file"), QStringLiteral(AEAT_TEST_DATA_DIR "/") + file} + options);
    QCOMPARE(run.status, status);
    if (status == 2) {
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        return;
    }
    QVERIFY2(run.out.endsWith(expected), qPrintable(run.out));
}

void TestCli::fullDiskIsAFailure_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<qint64>("bytesLeft");
    for (const char* command : {"mod190", "mod347", "documentos", "check-file"}) {
        QTest::addRow("%s, full from the start", command) << QString::fromLatin1(command) << qint64(0);
        QTest::addRow("%s, full in the middle", command) << QString::fromLatin1(command) << qint64(4096);
    }
}

// A write that fails for want of space is a failure, which leaves every earlier file as it was.
void TestCli::fullDiskIsAFailure() {
    QFETCH(QString, command);
    QFETCH(qint64, bytesLeft);
    SmallDisk disk(4096);
    if (!disk.isMounted())
        QSKIP("a disk of the test's own needs root");
    FixtureDatabase f;
    fillTwelveSuppliers(f);
    QStringList arguments{command};
    if (command == QLatin1String("documentos"))
        arguments << QStringLiteral(AEAT_TEST_DATA_DIR "/documents/data/Mod347.txt")
                  << QStringLiteral("--out") << disk.path();
    else if (command == QLatin1String("check-file"))
        arguments << QStringLiteral(AEAT_TEST_DATA_DIR "/mod190/golden/totals-default-contact.txt")
                  << QStringLiteral("--pdf") << disk.filePath(QStringLiteral("resumen.pdf"));
    else
        arguments << QStringLiteral("--db") << f.path() << QStringLiteral("--out") << disk.path()
                  << QStringLiteral("--yes");
    if (command == QLatin1String("mod190"))
        arguments.removeLast();
    const CliRun earlier = runCliWith(arguments);
    QVERIFY2(earlier.status == 0, qPrintable(earlier.err));
    const QMap<QString, QByteArray> before = filesUnder(disk.path());
    QVERIFY(!before.isEmpty());
    QVERIFY(disk.fillLeaving(bytesLeft));

    const CliRun run = runCliWith(arguments);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(QStringLiteral("no queda espacio en el disco")), qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("PROCESO TERMINADO")), qPrintable(run.err));
    QVERIFY(filesUnder(disk.path()) == before);
}

void TestCli::keys_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");  // the second perceptor's line, or the refusal
    QTest::newRow("listing") << QStringList{} << 0
                             << "10000002Q\tProveedor 2\t1.002,00\t150,00\t15 %\tF02\t\t\n";
    QTest::newRow("set") << QStringList{QStringLiteral("--set"), QStringLiteral("10000002q"),
                                        QStringLiteral("g01")}
                         << 0 << "10000002Q\tProveedor 2\t1.002,00\t150,00\t15 %\tF02\tG01\t\n";
    QTest::newRow("set, then cleared")
        << QStringList{QStringLiteral("--set"), QStringLiteral("10000002Q"), QStringLiteral("G01"),
                       QStringLiteral("--unset"), QStringLiteral("10000002Q")}
        << 0 << "10000002Q\tProveedor 2\t1.002,00\t150,00\t15 %\tF02\t\t\n";
    QTest::newRow("a NIF that is no perceptor")
        << QStringList{QStringLiteral("--set"), QStringLiteral("B12345674"), QStringLiteral("G01")} << 2
        << "«B12345674» no es ningún perceptor de las retenciones del año pasado.\n";
    QTest::newRow("a key that cannot be chosen")
        << QStringList{QStringLiteral("--set"), QStringLiteral("10000002Q"), QStringLiteral("B01")} << 2
        << "«B01» no es una clave y subclave que se pueda elegir: F01 a F07, G01 a G08, H01 a H04, I01 a I03 "
           "o K01 "
           "a K05.\n";
    QTest::newRow("--set without its key")
        << QStringList{QStringLiteral("--set"), QStringLiteral("10000002Q")} << 2 << QString();
}

void TestCli::keys() {
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, expected);
    FixtureDatabase f;
    fillTwelveSuppliers(f);
    const QStringList claves{QStringLiteral("claves"), QStringLiteral("--db"), f.path()};
    const CliRun run = runCliWith(claves + options);
    QCOMPARE(run.status, status);
    if (status != 0) {
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(PerceptorKeys::chosenKeys(f.db()).isEmpty());  // nothing was changed
        return;
    }
    QStringList lines = run.out.split(QLatin1Char('\n'));
    QCOMPARE(lines[0],
             QStringLiteral("NIF\tNombre\tPagado\tRetenido\tTipo\tClave por tipos\tClave elegida\tAviso"));
    QCOMPARE(lines[2] + QLatin1Char('\n'), expected);
    QCOMPARE(runCliWith(claves).out, run.out);  // what is set stays for the runs to come
}

void TestCli::reconciliation111_data() {
    QTest::addColumn<QStringList>("filed");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");  // the last line printed, or the refusal
    // Twelve perceptors withheld 150,00 each in May.
    QTest::newRow("agree") << QStringList{QStringLiteral("2=1.800,00"), QStringLiteral("1=0")} << 0
                           << "   Las cifras escritas coinciden con los apuntes.";
    QTest::newRow("the second quarter differs") << QStringList{QStringLiteral("2=1.750")} << 6
                                                << "   2.º trimestre: la casilla 28 del 111 presentado dice "
                                                   "1.750,00 y los apuntes dan 1.800,00: diferencia de "
                                                   "50,00.";
    QTest::newRow("a fifth quarter") << QStringList{QStringLiteral("5=1.800,00")} << 2
                                     << "--presentado 5=1.800,00: escriba el trimestre, del 1 al 4";
    QTest::newRow("no amount") << QStringList{QStringLiteral("2=mil")} << 2
                               << "--presentado 2=mil: «mil» no es un importe; escríbalo como 1.234,56.";
    QTest::newRow("three decimals") << QStringList{QStringLiteral("2=1.800,001")} << 2 << "no es un importe";
    QTest::newRow("no quarter") << QStringList{QStringLiteral("1800")} << 2 << "escriba el trimestre";
}

void TestCli::reconciliation111() {
    QFETCH(QStringList, filed);
    QFETCH(int, status);
    QFETCH(QString, expected);
    FixtureDatabase f;
    fillTwelveSuppliers(f);
    QStringList arguments{QStringLiteral("cuadre-111"), QStringLiteral("--db"), f.path()};
    for (const QString& figure : filed)
        arguments << QStringLiteral("--presentado") << figure;
    const CliRun run = runCliWith(arguments);
    QCOMPARE(run.status, status);
    if (status == 2) {
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(Reconciliation111::filedFigures(f.db(), 2025).isEmpty());  // bad text changes nothing
        return;
    }
    QVERIFY2(run.out.endsWith(expected + QLatin1Char('\n')), qPrintable(run.out));
    // What was typed stays for the next reconciliation and the runs of the 190.
    QCOMPARE(runCliWith({QStringLiteral("cuadre-111"), QStringLiteral("--db"), f.path()}).status, status);
}

void TestCli::complementaryOfTheRefused_data() {
    QTest::addColumn<QString>("model");
    QTest::newRow("190") << "190";
    QTest::newRow("347") << "347";
}

// The agency refused two records of the declaration presented, and a third whose party the accounts no
// longer declare: the complementary declaration carries the two, made afresh, under a header that adds up.
void TestCli::complementaryOfTheRefused() {
    QFETCH(QString, model);
    FixtureDatabase f;
    fillTwelveSuppliers(f);
    const QStringList declaration{QStringLiteral("mod") + model, QStringLiteral("--db"), f.path(),
                                  QStringLiteral("--out"), f.folder()};
    QCOMPARE(runCliWith(declaration).status, 0);
    const QList<QByteArray> presented =
        readAll(f.folder() + QStringLiteral("/Mod%1.txt").arg(model)).split('\n');
    QByteArray gone = presented[4].chopped(1);
    gone.replace(17, 9, "99999999R");
    const QString errors = f.folder() + QStringLiteral("/errores.txt");
    QVERIFY(writeAll(errors, presented[2].chopped(1) + ";E010330 Caracteres no v\xE1lidos\r\n" +
                                 presented[7].chopped(1) + ";E020180 Otro error\r\n" + gone +
                                 ";E020180 Otro error\r\n"));
    QDir(f.folder()).mkdir(QStringLiteral("c"));
    const CliRun run = runCliWith(
        QStringList{QStringLiteral("mod") + model, QStringLiteral("--db"), f.path(), QStringLiteral("--out"),
                    f.folder() + QStringLiteral("/c"), QStringLiteral("--number"), QStringLiteral("2"),
                    QStringLiteral("--complementaria"), model + QStringLiteral("0000000001"),
                    QStringLiteral("--solo-rechazados"), errors});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("no van en el fichero:\n\n99999999R")), qPrintable(run.err));
    const QList<QByteArray> written =
        readAll(f.folder() + QStringLiteral("/c/Mod%1.txt").arg(model)).split('\n');
    QCOMPARE(written.size(), 4);
    QCOMPARE(written[1], presented[2]);
    QCOMPARE(written[2], presented[7]);
    const QByteArray header = written[0];
    QCOMPARE(header.mid(107, 28), model.toLatin1() + "0000000002C " + model.toLatin1() + "0000000001");
    QCOMPARE(header.mid(135, 9), QByteArray("000000002"));
    const int amount = model == QLatin1String("190") ? 81 : 83;  // paid, or the yearly amount
    const int width = model == QLatin1String("190") ? 13 : 15;
    QCOMPARE(header.mid(145, 15).toLongLong(),
             written[1].mid(amount, width).toLongLong() + written[2].mid(amount, width).toLongLong());
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
