#pragma once

#include "base/UserInterface.h"

#include <QList>
#include <QStringList>

/** A user who answers as the test tells and remembers everything shown. */
class ScriptedUserInterface : public UserInterface {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
        MessageButtons buttons;
        bool shownWhileBusy;
        /** For a question that defaults to No: that it does, and what it is about. */
        bool defaultsToNo = false;
        QStringList items;
    };

    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.append({text, title, icon, buttons, busy, false, {}});
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return answers.isEmpty() ? MessageAnswer::No : answers.takeFirst();
    }

    MessageAnswer askDefaultingToNo(const QString& text, const QString& title, MessageIcon icon,
                                    const QStringList& items) override {
        messages.append({text, title, icon, MessageButtons::YesNo, busy, true, items});
        return answers.isEmpty() ? MessageAnswer::No : answers.takeFirst();
    }

    int shellOpen(const QString& target) override {
        opened.append(target);
        return shellError;
    }

    void setBusyCursor(bool isBusy) override { busy = isBusy; }

    void showProgress(const QString& line) override { progressLines.append(line); }

    void endProgram(int status) override { endedWith.append(status); }

    /** Answers to Yes/No questions, in order; a question without one is answered No. */
    QList<MessageAnswer> answers;
    /** What shellOpen reports: 0 for success. */
    int shellError = 0;

    QList<Message> messages;
    QStringList opened;
    bool busy = false;
    /** Every progress line shown, an empty one where it was hidden. */
    QStringList progressLines;
    QList<int> endedWith;
};
