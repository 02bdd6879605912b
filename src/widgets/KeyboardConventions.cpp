#include "KeyboardConventions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool isKey(const QEvent* event, std::initializer_list<int> keys) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           std::find(keys.begin(), keys.end(), key->key()) != keys.end();
}

// Sees the key presses that reach the window: those that the control with the focus left alone.
class EscapeFilter : public QObject {
public:
    EscapeFilter(QWidget* window, std::function<void()> action)
        : QObject(window), m_window(window), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || !isKey(event, {Qt::Key_Escape}))
            return false;
        if (m_action)
            m_action();
        else
            m_window->close();
        return true;
    }

private:
    QWidget* m_window;
    std::function<void()> m_action;
};

}  // namespace

void EnterPressesButtons::install() {
    qApp->installEventFilter(new EnterPressesButtons(qApp));
}

bool EnterPressesButtons::eventFilter(QObject* watched, QEvent* event) {
    if (!isKey(event, {Qt::Key_Return, Qt::Key_Enter}))
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !button->isEnabled() || !button->hasFocus())
        return false;
    button->click();
    return true;
}

void onEscape(QWidget* window, std::function<void()> action) {
    window->installEventFilter(new EscapeFilter(window, std::move(action)));
}
