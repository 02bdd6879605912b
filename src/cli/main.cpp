#include "CliCommands.h"

#include <QGuiApplication>

int main(int argc, char* argv[]) {
    // No windows: the report is drawn for its PDF only, which needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runCli(app.arguments().mid(1), {out, err});
    out.flush();
    err.flush();
    return status;
}
