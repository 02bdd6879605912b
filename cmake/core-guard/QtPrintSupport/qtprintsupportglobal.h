// Every header of Qt PrintSupport starts by including this one. The core library finds
// this stand-in first, so that a core file reaching for Qt PrintSupport does not build.
#error "the core library uses no Qt PrintSupport: this file belongs in the GUI library"
