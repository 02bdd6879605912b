#include "QtMessages.h"

#include <QtGlobal>

namespace {

QtMessageHandler qtHandler = nullptr;

// The program writes its words to its own streams, never through qDebug or qWarning: whatever comes here
// below critical is Qt's.
void onlyWhatMatters(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtHandler(type, context, message);
}

}  // namespace

void keepQtChatterOff() {
    if (qEnvironmentVariableIntValue("AEAT_QT_MESSAGES") == 0)
        qtHandler = qInstallMessageHandler(onlyWhatMatters);
}
