#include "shell/Aeat.h"
#include "shell/QtUserInterface.h"

#include <QApplication>

namespace {
// Stands in for the windows that are still to come.
QWidget* placeholderWindow(const QString& caption) {
    auto* window = new QWidget;
    window->setWindowTitle(caption);
    return window;
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtUserInterface ui;
    StartupSettings settings;
    auto* menu = new Aeat(settings, ui);
    menu->setWindowFactories({
        [] { return placeholderWindow(QStringLiteral("Obtención del fichero de proveedores para el modelo 347 de la A.E.A.T.")); },
        [] { return placeholderWindow(QStringLiteral("Obtención del fichero de perceptores para el modelo 190 de la A.E.A.T.")); },
        [] { return placeholderWindow(QStringLiteral("PROVEEDORES")); },
    });
    if (!menu->Form_Load(QCoreApplication::arguments().mid(1).join(QLatin1Char(' ')),
                         QCoreApplication::applicationDirPath())) {
        delete menu;
        return 1;
    }
    menu->show();
    return app.exec();
}
