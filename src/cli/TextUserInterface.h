#pragma once

#include "base/UserInterface.h"

#include <QTextStream>

/**
 * The command line's side of the user interface: every message is printed as
 * "TITLE: text" on the error stream, and a Yes/No question is answered as the
 * --yes flag says. Nothing is opened on a desktop.
 */
class TextUserInterface : public UserInterface {
public:
    TextUserInterface(QTextStream& err, bool answerYes) : m_err(err), m_answerYes(answerYes) {}

    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                              MessageButtons buttons) override;
    int shellOpen(const QString&) override { return 0; }
    void setBusyCursor(bool) override {}
    void endProgram(int) override {}

private:
    QTextStream& m_err;
    bool m_answerYes;
};
