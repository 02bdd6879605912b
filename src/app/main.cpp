#include "access/WorkingCopy.h"
#include "base/QtMessages.h"
#include "documents/DocumentsWindow.h"
#include "mod190/Mod190.h"
#include "mod347/Mod347.h"
#include "shell/Aeat.h"
#include "shell/ProgramArguments.h"
#include "shell/QtUserInterface.h"
#include "shell/SpanishTranslations.h"
#include "widgets/ImportProgressDialog.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/ReportPreview.h"

#include <QApplication>

namespace {

// A window whose load failed is not shown: its load has told the user why.
template <class Window>
QWidget* loaded(Window* window) {
    if (window->Form_Load())
        return window;
    delete window;
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    keepQtChatterOff();
    QApplication app(argc, argv);
    installSpanishTranslations(app);
    EnterPressesButtons::install();
    QtUserInterface ui;
    ImportProgressDialog importProgress;
    WorkingCopy::setProgress(&importProgress);
    StartupSettings settings;
    auto* menu = new Aeat(settings, ui);
    menu->setWindowFactories({
        [&] { return loaded(new Mod347(settings, ui)); },
        [&] { return loaded(new Mod190(settings, ui)); },
        [&] { return ReportPreview::create(settings, ui); },
        [&] { return new DocumentsWindow(settings, ui); },
    });
    if (!menu->Form_Load(programArguments(argc, argv).join(QLatin1Char(' ')),
                         QCoreApplication::applicationDirPath())) {
        delete menu;
        return 1;
    }
    menu->show();
    return app.exec();
}
