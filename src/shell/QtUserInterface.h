#pragma once

#include "base/UserInterface.h"

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

/** The windows' side of the user interface: message boxes, the desktop shell and the mouse pointer. */
class QtUserInterface : public UserInterface {
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                              MessageButtons buttons) override;
    int shellOpen(const QString& target) override;
    void setBusyCursor(bool busy) override;
    void stillWorking() override;
    void showProgress(const QString& line) override;
    void endProgram(int status) override;

private:
    QWidget* ownerWindow();

    // The window that last raised a message: the next one belongs to it too when, between two messages,
    // no window is active yet.
    QPointer<QWidget> m_owner;
    QPointer<QProgressDialog> m_progress;
};
