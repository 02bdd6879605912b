#pragma once

#include "FontSettings.h"

class QWidget;

/** The kinds of control of a window, as the font settings tell them apart. */
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

/**
 * Pushes the font settings onto the controls of every open window, in each
 * window's control order: face, size, italic, bold, strikethrough, underline,
 * then the text colour (command buttons keep theirs). Only the eight kinds of
 * ControlKind other than Other take them. A value that cannot be applied (a
 * size that is no number, a missing face, an empty colour) ends the routine
 * there, silently: the controls done keep their new fonts.
 */
void ApplyFontSettings(const FontSettings& settings);

/** The controls of a window that the font settings and the layout see: its named controls, in order. */
QList<QWidget*> windowControls(QWidget* window);
