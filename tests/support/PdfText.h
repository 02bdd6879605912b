#pragma once

#include <QString>

/** The text of a PDF file as pdftotext lays it out, pages parted by form feeds; empty when it cannot be read.
 */
QString pdfText(const QString& pdf);

/** The page size that pdfinfo reads, such as «595 x 842 pts (A4)»; empty when it cannot. */
QString pdfPageSize(const QString& pdf);

/** Whether Debian's pdftotext is on the PATH: a test that reads a PDF skips only when it is not. */
bool pdfToTextInstalled();
