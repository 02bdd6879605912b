#include "ExecuteLink.h"

#include "base/UserInterface.h"

void ExecuteLink(const QString& sLinkTo, UserInterface& ui) {
    ui.setBusyCursor(true);
    const int error = ui.shellOpen(sLinkTo);
    if (error != 0) {
        ui.setBusyCursor(false);
        ui.showMessage(QStringLiteral("error Opening Link to ") + sLinkTo + QStringLiteral("\r\n\r\n") +
                           QString::number(error),
                       QStringLiteral("ExecuteLink"), MessageIcon::None, MessageButtons::Ok);
    }
    ui.setBusyCursor(false);
}
