#include "CliCommands.h"

#include "CliArguments.h"
#include "TextUserInterface.h"
#include "access/AccountingDatabase.h"
#include "db/DbError.h"
#include "declaration/DeclarantHeader.h"
#include "mod190/Mod190Run.h"
#include "mod347/Mod347Run.h"
#include "mod347/OperationsExtraction.h"

#include <QFileInfo>

namespace {

const QString kComplementary = QStringLiteral("complementaria");
const QString kSubstitutive = QStringLiteral("sustitutiva");
const QString kOnlyRefused = QStringLiteral("solo-rechazados");

// The contact inputs as the window would hold them after the user typed them and left each box.
ContactInputs contactInputs(const CliArguments& args) {
    ContactInputs contact = initialContactInputs();
    contact.telephone = args.value(QStringLiteral("phone"), contact.telephone).trimmed();
    contact.contactPerson = args.value(QStringLiteral("contact"), contact.contactPerson).trimmed().left(40);
    contact.declarationNumber =
        args.value(QStringLiteral("number"), contact.declarationNumber).trimmed().left(40);
    contact.email = args.value(QStringLiteral("email"), contact.email).trimmed().left(50);
    if (args.has(kComplementary)) {
        contact.kind = DeclarationKind::Complementary;
        contact.previousNumber = args.value(kComplementary).trimmed();
    } else if (args.has(kSubstitutive)) {
        contact.kind = DeclarationKind::Substitutive;
        contact.previousNumber = args.value(kSubstitutive).trimmed();
    }
    contact.refusedRecordsFile = args.value(kOnlyRefused);
    return contact;
}

// What the windows ask about, a script's run reports and goes on with.
void warnOfContactProblems(const QString& model, const ContactInputs& contact, QTextStream& err) {
    for (const ContactProblem& problem : contactProblems(model, contact))
        err << QStringLiteral("AVISO: ") << problem.text << '\n';
}

const QStringList kDeclarationOptions = {
    QStringLiteral("db"),     QStringLiteral("out"), QStringLiteral("phone"), QStringLiteral("contact"),
    QStringLiteral("number"), kComplementary,        kSubstitutive,           kOnlyRefused};

std::optional<CliArguments> declarationArguments(const QStringList& arguments, CliStreams streams,
                                                 const QStringList& extraOptions, const QStringList& flags) {
    auto args = CliArguments::parse(arguments, kDeclarationOptions + extraOptions, flags);
    if (!args || !args->has(QStringLiteral("db")) || !args->has(QStringLiteral("out")) ||
        !args->positional().isEmpty()) {
        streams.err << cliUsage();
        return std::nullopt;
    }
    if (args->has(kComplementary) && args->has(kSubstitutive)) {
        streams.err << QStringLiteral(
            "Una declaración es complementaria o sustitutiva, no las dos cosas: use "
            "--complementaria o --sustitutiva.\n");
        return std::nullopt;
    }
    if (!QFileInfo(args->value(QStringLiteral("out"))).isDir()) {
        streams.err << QStringLiteral("La carpeta de salida '%1' no existe.\n")
                           .arg(args->value(QStringLiteral("out")));
        return std::nullopt;
    }
    return args;
}

}  // namespace

int runMod190Command(const QStringList& arguments, CliStreams streams) {
    const auto args = declarationArguments(arguments, streams, {QStringLiteral("email")}, {});
    if (!args)
        return kExitUsage;
    std::unique_ptr<Database> AccountsDb;
    try {
        AccountsDb = openAccountingDatabase(args->value(QStringLiteral("db")));
    } catch (const DbError& error) {
        printDbError(streams.err, error);
        return kExitFailure;
    }
    TextUserInterface ui(streams.err, false);
    ContactInputs contact = contactInputs(*args);
    warnOfContactProblems(QStringLiteral("190"), contact, streams.err);
    return exitStatusFor(runModelo190(*AccountsDb, args->value(QStringLiteral("out")), contact, ui).result);
}

int runMod347Command(const QStringList& arguments, CliStreams streams) {
    const auto args =
        declarationArguments(arguments, streams, {QStringLiteral("threshold")}, {QStringLiteral("yes")});
    if (!args)
        return kExitUsage;
    TextUserInterface ui(streams.err, args->has(QStringLiteral("yes")));
    const QString typedThreshold = args->value(QStringLiteral("threshold"), kInitialThreshold);
    const std::optional<QString> threshold = acceptThreshold(typedThreshold, ui);
    if (!threshold)
        return kExitUsage;
    std::unique_ptr<Database> AccountsDb;
    switch (loadModelo347(args->value(QStringLiteral("db")), *threshold, AccountsDb, ui)) {
        case Modelo347Load::OpenFailed:
            return kExitFailure;
        case Modelo347Load::NothingToDeclare:
            return kExitNothingToDeclare;
        case Modelo347Load::Ready:
            break;
    }
    Modelo347Session session{*AccountsDb, args->value(QStringLiteral("out")), *threshold};
    ContactInputs contact = contactInputs(*args);
    warnOfContactProblems(QStringLiteral("347"), contact, streams.err);
    return exitStatusFor(runModelo347(session, typedThreshold, contact, ui).result);
}
