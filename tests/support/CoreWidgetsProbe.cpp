// A core file that reaches for Qt Widgets: it must not build.
#include <QtWidgets/QWidget>
