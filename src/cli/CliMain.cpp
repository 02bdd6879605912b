#include "CliCommands.h"

#include "db/DbError.h"
#include "report/ListingReport.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const QStringList&, CliStreams);
};

constexpr Command kCommands[] = {
    {"mod190", runMod190Command},
    {"mod347", runMod347Command},
    {"review-ids", runReviewIdsCommand},
    {"check-id", runCheckIdCommand},
    {"sample-db", runSampleDbCommand},
    {"query", runQueryCommand},
    {"import-mdb", runImportMdbCommand},
    {"read-mdb", runReadMdbCommand},
    {"check-file", runCheckFileCommand},
    {"documentos", runDocumentsCommand},
    {"errores-aeat", runAgencyErrorsCommand},
    {"claves", runKeysCommand},
    {"cuadre-111", runReconciliation111Command},
};

}  // namespace

void printDbError(QTextStream& err, const DbError& error) {
    err << error.message() << '\n';
    if (error.untranslated())
        err << QStringLiteral("(SQLite: %1)").arg(error.engineText()) << '\n';
}

void printListing(QTextStream& out, const ListingReport& listing, const QString& pdfPath) {
    for (const QString& line : listing.text())
        out << line << '\n';
    if (!pdfPath.isEmpty())
        listing.exportPdf(pdfPath);
}

QString cliUsage() {
    return QStringLiteral(
        "Uso:\n"
        "  aeat-cli mod190 --db FICHERO --out CARPETA [--phone T] [--contact T] [--number T] [--email T]\n"
        "                 [--complementaria NUMERO [--solo-rechazados FICHERO_DE_ERRORES]\n"
        "                  | --sustitutiva NUMERO]\n"
        "  aeat-cli mod347 --db FICHERO --out CARPETA [--threshold T] [--phone T] [--contact T]\n"
        "                 [--number T] [--yes] [--complementaria NUMERO [--solo-rechazados FICHERO]\n"
        "                  | --sustitutiva NUMERO]\n"
        "  aeat-cli errores-aeat FICHERO_DE_ERRORES [--pdf FICHERO]\n"
        "  aeat-cli claves --db FICHERO [--set NIF CLAVE]... [--unset NIF]...\n"
        "  aeat-cli cuadre-111 --db FICHERO [--presentado T=IMPORTE]... [--pdf FICHERO]\n"
        "  aeat-cli review-ids --db FICHERO [--pdf FICHERO]\n"
        "  aeat-cli check-id ID...\n"
        "  aeat-cli check-file Mod190.txt|Mod347.txt [--pdf FICHERO]\n"
        "                     [--compare FICHERO_ANTERIOR [--change PORCENTAJE]]\n"
        "  aeat-cli documentos Mod190.txt|Mod347.txt --out CARPETA [--db FICHERO]\n"
        "                     [--firma \"NOMBRE, CARGO\"] [--lugar LUGAR]\n"
        "  aeat-cli sample-db FICHERO [--suppliers N] [--entries N] [--seed N] [--years N] [--faults]\n"
        "  aeat-cli query --db FICHERO INSTRUCCIÓN\n"
        "  aeat-cli import-mdb FICHERO.mdb\n"
        "  aeat-cli read-mdb FICHERO.mdb NUEVA.sqlite   (el lector de la importación)\n"
        "\n"
        "FICHERO puede ser la base de datos de Access del programa de contabilidad o una SQLite.\n"
        "NUMERO es el de 13 cifras de la declaración que se presentó antes y que esta completa o\n"
        "sustituye. FICHERO_DE_ERRORES es el de los mensajes de error que da la Agencia al presentar.\n"
        "\n"
        "Estado de salida: 0 correcto; 1 error; 2 uso o datos de entrada incorrectos;\n"
        "3 nada que declarar; 4 datos que corregir (fichero de revisión escrito);\n"
        "5 detenido en la pregunta de CIF/NIF dudosos; 6 los modelos 111 presentados no cuadran con\n"
        "los apuntes.\n");
}

int runCli(const QStringList& arguments, CliStreams streams) {
    if (!arguments.isEmpty()) {
        for (const Command& command : kCommands)
            if (arguments.first() == QLatin1String(command.name))
                return command.run(arguments.mid(1), streams);
    }
    streams.err << cliUsage();
    return kExitUsage;
}
