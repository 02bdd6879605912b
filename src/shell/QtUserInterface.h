#pragma once

#include "base/UserInterface.h"

#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

/** The windows' side of the user interface: message boxes, the desktop shell and the mouse pointer. */
class QtUserInterface : public UserInterface {
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                              MessageButtons buttons) override;
    MessageAnswer askDefaultingToNo(const QString& text, const QString& title, MessageIcon icon,
                                    const QStringList& items) override;
    int shellOpen(const QString& target) override;
    void setBusyCursor(bool busy) override;
    void stillWorking() override;
    void showProgress(const QString& line) override;
    void endProgram(int status) override;

private:
    QWidget* ownerWindow();
    void prepare(QMessageBox& box, const QString& text, const QString& title, MessageIcon icon);
    MessageAnswer askYesNo(QMessageBox& box, bool noIsDefault);
    void exec(QMessageBox& box);

    // The window that last raised a message: the next one belongs to it too when, between two messages,
    // no window is active yet.
    QPointer<QWidget> m_owner;
    QPointer<QProgressDialog> m_progress;
};
