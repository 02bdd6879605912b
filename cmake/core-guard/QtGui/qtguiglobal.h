// Every header of Qt Gui starts by including this one. The core library finds
// this stand-in first, so that a core file reaching for Qt Gui does not build.
#error "the core library uses no Qt Gui: this file belongs in the GUI library"
