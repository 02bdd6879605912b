#pragma once

/**
 * Makes the terminal show aeat-cli's output, which is UTF-8, as such: a
 * Windows console reads it in its own code page unless told (ConsoleWindows.cpp);
 * Linux terminals need nothing (ConsolePosix.cpp).
 */
void showUtf8InConsole();

/** Whether standard error is a terminal that someone watches, where a long run may show its progress. */
bool standardErrorIsATerminal();
