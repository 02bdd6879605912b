#include "TextUserInterface.h"

MessageAnswer TextUserInterface::showMessage(const QString& text, const QString& title, MessageIcon,
                                             MessageButtons buttons) {
    QString shown = text;
    m_err << title << ": " << shown.replace(QLatin1String("\r\n"), QLatin1String("\n")) << '\n';
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return m_answerYes ? MessageAnswer::Yes : MessageAnswer::No;
}
