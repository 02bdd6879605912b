#include "Console.h"

#include <unistd.h>

void showUtf8InConsole() {}

bool standardErrorIsATerminal() {
    return isatty(STDERR_FILENO) != 0;
}
