#pragma once

#include <QLineEdit>

/** A text box that reports losing the focus, for the windows' LostFocus handlers. */
class LostFocusLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

Q_SIGNALS:
    void lostFocus();

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        Q_EMIT lostFocus();
    }
};
