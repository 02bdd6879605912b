#pragma once

#include <QRect>

class QWidget;

/** Positions and sizes are designed in twips, 1440 to the inch; the screen's logical DPI gives pixels. */
namespace Twips {

inline constexpr double kPerInch = 1440.0;

int toPixels(int twips);
int fromPixels(int pixels);
QRect toPixels(int left, int top, int width, int height);
/** Places a control at its design position and size. */
void place(QWidget* control, int left, int top, int width, int height);

}  // namespace Twips
