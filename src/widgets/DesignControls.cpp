#include "DesignControls.h"

const QFont& designFont() {
    static const QFont font(QStringLiteral("MS Sans Serif"), 8);
    return font;
}

void fillWithWindowColour(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kWindowColour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
