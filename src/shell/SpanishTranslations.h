#pragma once

class QCoreApplication;

/**
 * The program speaks only Spanish: Qt's own dialogs, menus and buttons (the
 * print and file dialogs, a text box's context menu) take Qt's Spanish
 * translations, whatever the machine's language, and the program's own
 * catalogue mends what Qt's lacks (the print dialog's "Pages", "Double Sided
 * Printing", "Advanced"...). Returns false when Qt's are not installed
 * (Debian's qt6-translations-l10n); the texts then stay in English.
 */
bool installSpanishTranslations(QCoreApplication& app);
