#include "CliCommands.h"
#include "Console.h"
#include "base/QtMessages.h"
#include "shell/ProgramArguments.h"

#include <QGuiApplication>

#include <memory>

namespace {

// Only drawing PDFs (a report's, or the documents) needs Qt's painting, with
// no window: on Linux, where there may be no display, on the offscreen
// platform; on Windows on its own, which finds the system's fonts
// (AEAT_PDF_PLATFORM). Every other command runs without it.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--pdf") == 0 || (i == 1 && qstrcmp(argv[i], "documentos") == 0)) {
            if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", AEAT_PDF_PLATFORM);
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    keepQtChatterOff();
    const auto app = makeApplication(argc, argv);
    const std::unique_ptr<QIODevice> standardOutput = openStandardStream(stdout);
    const std::unique_ptr<QIODevice> standardError = openStandardStream(stderr);
    QTextStream out(standardOutput.get());
    QTextStream err(standardError.get());
    const int status = runCli(programArguments(argc, argv), {out, err, standardErrorIsATerminal()});
    out.flush();
    err.flush();
    return status;
}
