#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {
double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}
}  // namespace

int Twips::toPixels(int twips) {
    return static_cast<int>(std::lround(twips * logicalDpi() / kPerInch));
}

int Twips::fromPixels(int pixels) {
    return static_cast<int>(std::lround(pixels * kPerInch / logicalDpi()));
}

QRect Twips::toPixels(int left, int top, int width, int height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

void Twips::place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(toPixels(left, top, width, height));
}
