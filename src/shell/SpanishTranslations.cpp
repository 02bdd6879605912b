#include "SpanishTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <functional>

namespace {

bool install(QCoreApplication& app, const std::function<bool(QTranslator&)>& load) {
    auto* translator = new QTranslator(&app);
    if (!load(*translator)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

bool installSpanishTranslations(QCoreApplication& app) {
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    QLocale::setDefault(spanish);
    const bool qt = install(app, [&](QTranslator& translator) {
        return translator.load(spanish, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    });
    // Installed last, it is asked first: it mends what Qt's catalogue lacks.
    const bool own = install(app, [](QTranslator& translator) {
        return translator.load(QStringLiteral(":/translations/aeat_es.qm"));
    });
    return qt && own;
}
