#pragma once

#include <QIODevice>

#include <cstdio>
#include <memory>

/**
 * Where aeat-cli writes `stream` (stdout or stderr), whose text comes as
 * UTF-8: a file or a pipe takes the bytes as they are; a Windows console
 * takes the text as UTF-16 through WriteConsoleW, which shows every accent
 * whatever the console's code page (ConsoleWindows.cpp). A Linux terminal
 * reads UTF-8 itself (ConsolePosix.cpp).
 */
std::unique_ptr<QIODevice> openStandardStream(FILE* stream);

/** Whether standard error is a terminal that someone watches, where a long run may show its progress. */
bool standardErrorIsATerminal();
