#include "Console.h"

#include <QFile>

#include <unistd.h>

std::unique_ptr<QIODevice> openStandardStream(FILE* stream) {
    auto file = std::make_unique<QFile>();
    file->open(stream, QIODevice::WriteOnly);
    return file;
}

bool standardErrorIsATerminal() {
    return isatty(STDERR_FILENO) != 0;
}
