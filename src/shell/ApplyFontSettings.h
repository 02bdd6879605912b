#pragma once

#include "FontSettings.h"

/**
 * Pushes the font settings onto the controls of every open window, in each
 * window's control order: face, size, italic, bold, strikethrough, underline,
 * then the text colour (command buttons keep theirs). Only the eight kinds of
 * ControlKind other than Other take them. A value that cannot be applied (a
 * size that is no number, a missing face, an empty colour) ends the routine
 * there, silently: the controls done keep their new fonts.
 */
void ApplyFontSettings(const FontSettings& settings);
