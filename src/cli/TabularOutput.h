#pragma once

#include <QString>

/**
 * A text as one field of a tab-separated line: a backslash, tab, carriage
 * return and line feed inside it print as \\, \t, \r and \n.
 */
QString tabularText(QString text);
