#include "Console.h"

#include <windows.h>

#include <io.h>
#include <cstdio>

void showUtf8InConsole() {
    SetConsoleOutputCP(CP_UTF8);
}

bool standardErrorIsATerminal() {
    return _isatty(_fileno(stderr)) != 0;
}
