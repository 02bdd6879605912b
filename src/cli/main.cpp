#include "CliCommands.h"
#include "shell/ProgramArguments.h"

#include <QGuiApplication>

#include <memory>

namespace {

// Only drawing the report for its PDF needs Qt's painting, on no display;
// every other command runs without it.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--pdf") == 0) {
            if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto app = makeApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runCli(programArguments(argc, argv), {out, err});
    out.flush();
    err.flush();
    return status;
}
