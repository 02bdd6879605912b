#pragma once

#include <QList>

class QWidget;

/** The kinds of control of a window, as the font settings and the layout tell them apart. */
enum class ControlKind {
    CommandButton,
    Frame,
    TextBox,
    Label,
    ComboBox,
    CheckBox,
    OptionButton,
    ListBox,
    Other
};

ControlKind controlKind(const QWidget* control);

/** The controls of a window that the font settings and the layout see: its named controls, in order. */
QList<QWidget*> windowControls(QWidget* window);
