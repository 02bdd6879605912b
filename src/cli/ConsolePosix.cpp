#include "Console.h"

void showUtf8InConsole() {}
