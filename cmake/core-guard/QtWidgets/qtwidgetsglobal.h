// Every header of Qt Widgets starts by including this one. The core library finds
// this stand-in first, so that a core file reaching for Qt Widgets does not build.
#error "the core library uses no Qt Widgets: this file belongs in the GUI library"
