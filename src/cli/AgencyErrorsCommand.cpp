#include "CliCommands.h"

#include "CliArguments.h"
#include "filecheck/AgencyErrors.h"
#include "report/ListingReport.h"

int runAgencyErrorsCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {QStringLiteral("pdf")});
    if (!args || args->positional().size() != 1) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    QString failure;
    const QString path = args->positional().first();
    const std::optional<AgencyErrorFile> errors = AgencyErrorFile::read(path, failure);
    if (!errors) {
        streams.err << failure << '\n';
        return kExitUsage;
    }
    const AgencyErrorsListing listing(*errors, path);
    try {
        printListing(streams.out, ListingReport(listing.title, listing.heading, listing.lines),
                     args->value(QStringLiteral("pdf")));
    } catch (const FileError& error) {
        streams.err << error.message() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}
