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
        {QStringLiteral("Á"), QStringLiteral("A")},
        {QStringLiteral("É"), QStringLiteral("E")},
        {QStringLiteral("Í"), QStringLiteral("I")},
        {QStringLiteral("Ó"), QStringLiteral("O")},
        {QStringLiteral("Ú"), QStringLiteral("U")},
        {QStringLiteral("ª"), QStringLiteral(".")},
        {QStringLiteral("º"), QStringLiteral(".")},
        {QStringLiteral("("), QString()},
        {QStringLiteral(")"), QString()},
        {QStringLiteral("{"), QString()},
        {QStringLiteral("}"), QString()},
        {QStringLiteral("["), QString()},
        {QStringLiteral("]"), QString()},
        {QStringLiteral("\""), QString()},
        // The other accented vowels, which the agency refuses as much as the acute ones.
        {QStringLiteral("À"), QStringLiteral("A")},
        {QStringLiteral("Â"), QStringLiteral("A")},
        {QStringLiteral("Ã"), QStringLiteral("A")},
        {QStringLiteral("Ä"), QStringLiteral("A")},
        {QStringLiteral("Å"), QStringLiteral("A")},
        {QStringLiteral("È"), QStringLiteral("E")},
        {QStringLiteral("Ê"), QStringLiteral("E")},
        {QStringLiteral("Ë"), QStringLiteral("E")},
        {QStringLiteral("Ì"), QStringLiteral("I")},
        {QStringLiteral("Î"), QStringLiteral("I")},
        {QStringLiteral("Ï"), QStringLiteral("I")},
        {QStringLiteral("Ò"), QStringLiteral("O")},
        {QStringLiteral("Ô"), QStringLiteral("O")},
        {QStringLiteral("Õ"), QStringLiteral("O")},
        {QStringLiteral("Ö"), QStringLiteral("O")},
        {QStringLiteral("Ù"), QStringLiteral("U")},
        {QStringLiteral("Û"), QStringLiteral("U")},
        {QStringLiteral("Ü"), QStringLiteral("U")},
        {QStringLiteral("Ý"), QStringLiteral("Y")},
        {QStringLiteral("Ÿ"), QStringLiteral("Y")},
    };
    QString result = text;
    for (const auto& [find, replace] : kTable)
        result = ReplaceAll(result, find, replace);
    return result;
}

bool isAccentedVowel(QChar c) {
    static const QString kVowels = QStringLiteral("AEIOUYaeiouy");
    return c.decompositionTag() == QChar::Canonical && kVowels.contains(c.decomposition().front());
}

QString withoutAccents(const QString& text) {
    QString bare;
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            bare.append(c);
    return bare;
}

QString foldedForSearch(const QString& text) {
    return withoutAccents(text).toCaseFolded();
}
