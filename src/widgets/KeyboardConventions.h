#pragma once

#include <QObject>

#include <functional>

class QWidget;

/**
 * Enter or Return presses the focused button, in every window of the
 * application, as Space does: what the office expects of a desktop program.
 */
class EnterPressesButtons : public QObject {
    Q_OBJECT

public:
    /** Installs one for the whole application, owned by it. */
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

/**
 * Escape in `window`, when the control that has the focus does not take it
 * (an open edit of the grid does), runs `action`: by default the window
 * closes.
 */
void onEscape(QWidget* window, std::function<void()> action = {});
