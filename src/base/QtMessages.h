#pragma once

/**
 * Keeps Qt's own debugging and warning messages («QStandardPaths:
 * XDG_RUNTIME_DIR not set…») off the programs' output, where the office reads
 * the program's own words; its critical and fatal messages still show. With
 * AEAT_QT_MESSAGES=1 in the environment every message shows, for whoever
 * debugs. Call it first thing in main.
 */
void keepQtChatterOff();
