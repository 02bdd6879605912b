#pragma once

#include <QRect>
#include <QSize>

class QWidget;

/** The part of the window's screen that windows may take: the screen less the desktop's panels. */
QRect availableArea(const QWidget* window);

/**
 * The frame and title bar around a window. Before the window manager has
 * framed it, the style's title bar and frame stand in for them.
 */
QSize frameDecorations(const QWidget* window);

/**
 * Keeps every control of a window on the screen: its outer size, frame
 * included, is made at most the available area, and a window that had to
 * shrink, or a shown one that runs past the area, is moved inside it. A
 * window that fits is left where the window manager puts it. Once the window
 * manager has framed the window, its real frame is fitted again, once; after
 * that the user may move it anywhere.
 */
void keepOnScreen(QWidget* window);
