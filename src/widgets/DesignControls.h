#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

#include "Twips.h"

/** The background of the menu and of the Modelo 347 window and its frames. */
inline const QColor kWindowColour(255, 224, 192);

/** The font the windows are designed in, until the font settings replace it. */
const QFont& designFont();

/** Fills a window or frame with kWindowColour. */
void fillWithWindowColour(QWidget* widget);

/** Gives a control its design name and font and places it at its design position, in twips. */
template <class Control>
Control* designControl(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setFont(designFont());
    Twips::place(control, left, top, width, height);
    return control;
}
