#pragma once

#include <QStringList>

/**
 * The program's arguments after its name, each character as it was typed.
 * Qt's own list drops a byte order mark that starts an argument, so an
 * identifier typed with one would be judged without it.
 */
QStringList programArguments(int argc, const char* const* argv);
