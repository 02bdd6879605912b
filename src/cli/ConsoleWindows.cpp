#include "Console.h"

#include <windows.h>

void showUtf8InConsole() {
    SetConsoleOutputCP(CP_UTF8);
}
