#include "TextNormalization.h"

#include <utility>

QString ReplaceAll(const QString& source, const QString& searched, const QString& replacement) {
    QString result;
    qsizetype start = 0;
    for (qsizetype found = source.indexOf(searched, start); found >= 0;
         found = source.indexOf(searched, start)) {
        result += QStringView(source).mid(start, found - start);
        result += replacement;
        start = found + searched.size();
    }
    result += QStringView(source).mid(start);
    return result;
}

QString NormalizeText(const QString& text) {
    static const std::pair<QString, QString> kTable[] = {
        {QStringLiteral("Á"), QStringLiteral("A")}, {QStringLiteral("É"), QStringLiteral("E")},
        {QStringLiteral("Í"), QStringLiteral("I")}, {QStringLiteral("Ó"), QStringLiteral("O")},
        {QStringLiteral("Ú"), QStringLiteral("U")}, {QStringLiteral("ª"), QStringLiteral(".")},
        {QStringLiteral("º"), QStringLiteral(".")}, {QStringLiteral("("), QString()},
        {QStringLiteral(")"), QString()},           {QStringLiteral("{"), QString()},
        {QStringLiteral("}"), QString()},           {QStringLiteral("["), QString()},
        {QStringLiteral("]"), QString()},           {QStringLiteral("\""), QString()},
    };
    QString result = text;
    for (const auto& [find, replace] : kTable)
        result = ReplaceAll(result, find, replace);
    return result;
}
