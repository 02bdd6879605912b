#include "SpanishTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installSpanishTranslations(QCoreApplication& app) {
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    QLocale::setDefault(spanish);
    auto* qt = new QTranslator(&app);
    const bool qtInstalled = qt->load(spanish, QStringLiteral("qtbase"), QStringLiteral("_"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                             QCoreApplication::installTranslator(qt);
    // Installed last, it is asked first: it mends what Qt's catalogue lacks.
    auto* own = new QTranslator(&app);
    const bool ownInstalled =
        own->load(QStringLiteral(":/translations/aeat_es.qm")) && QCoreApplication::installTranslator(own);
    return qtInstalled && ownInstalled;
}
