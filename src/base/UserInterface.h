#pragma once

#include <QString>
#include <QStringList>

enum class MessageIcon { None, Information, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

/**
 * Everything the program says to the user or asks of the desktop goes through
 * here: the windows answer with message boxes and the desktop shell, the
 * command line with its streams and flags, the tests with a scripted fake.
 */
class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                                      MessageButtons buttons) = 0;

    /**
     * A Yes/No question whose default answer, the one Enter gives, is No: for
     * a choice that may do harm. `items`, one a line, are what it is about: a
     * box shows the first ten under the text and all of them on request.
     */
    virtual MessageAnswer askDefaultingToNo(const QString& text, const QString& title, MessageIcon icon,
                                            const QStringList& items) {
        Q_UNUSED(items);
        return showMessage(text, title, icon, MessageButtons::YesNo);
    }

    /**
     * The desktop shell's "open" of an address or a file. Returns 0 when it
     * opened, otherwise the platform's error number.
     */
    virtual int shellOpen(const QString& target) = 0;

    /** The busy (hourglass) pointer on or off. */
    virtual void setBusyCursor(bool busy) = 0;

    /** Called now and then during a long piece of work, so that the windows repaint meanwhile. */
    virtual void stillWorking() {}

    /** A line that says what a long piece of work is doing, shown until the next one; empty hides it. */
    virtual void showProgress(const QString& /*line*/) {}

    /** Ends the program: every window closes and the process exits with `status`. */
    virtual void endProgram(int status) = 0;
};

/** The busy pointer, and the line that says what is being done, for as long as it lives. */
class BusyCursor {
public:
    explicit BusyCursor(UserInterface& ui, QString progressLine = {})
        : m_ui(ui), m_progressLine(std::move(progressLine)) {
        m_ui.setBusyCursor(true);
        if (!m_progressLine.isEmpty())
            m_ui.showProgress(m_progressLine);
    }
    ~BusyCursor() {
        if (!m_progressLine.isEmpty())
            m_ui.showProgress({});
        m_ui.setBusyCursor(false);
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UserInterface& m_ui;
    QString m_progressLine;
};
