#include "PerceptionKeys.h"

#include <QHash>

namespace {

// The record design's descriptions of the perception keys ("CLAVE DE
// PERCEPCIÓN", position 78) and of their subkeys ("SUBCLAVE", 79-80).
const QHash<QChar, QString>& keyDescriptions() {
    static const QHash<QChar, QString> descriptions{
        {QLatin1Char('F'),
         QStringLiteral(
             "Rendimientos del trabajo derivados de impartir cursos, conferencias, coloquios, seminarios y "
             "similares, o derivados de la elaboración de obras literarias, artísticas o científicas, "
             "siempre que se ceda el derecho a su explotación.")},
        {QLatin1Char('G'),
         QStringLiteral("Rendimientos de actividades económicas: actividades profesionales.")},
        {QLatin1Char('H'),
         QStringLiteral(
             "Rendimientos de actividades económicas: actividades agrícolas, ganaderas y forestales y "
             "actividades empresariales a que se refiere el artículo 95.6.2.º del Reglamento del "
             "Impuesto.")},
        {QLatin1Char('L'), QStringLiteral("Rentas exentas y dietas exceptuadas de gravamen.")},
    };
    return descriptions;
}

const QHash<QString, QString>& subkeyDescriptions() {
    static const QHash<QString, QString> descriptions{
        {QStringLiteral("F02"),
         QStringLiteral(
             "Percepciones derivadas de la elaboración de obras literarias, artísticas o científicas, "
             "siempre que se ceda el derecho a su explotación.")},
        {QStringLiteral("G03"),
         QStringLiteral(
             "Rendimientos de actividades profesionales a los que resulte aplicable el tipo de "
             "retención del 7 por 100 establecido en el artículo 95.1 del Reglamento del Impuesto.")},
        {QStringLiteral("H04"),
         QStringLiteral(
             "Rendimientos de actividades empresariales que determinen el rendimiento neto por el "
             "método de estimación objetiva, a los que resulte aplicable el porcentaje de retención "
             "del 1 por 100.")},
        {QStringLiteral("L01"),
         QStringLiteral(
             "Dietas y asignaciones para gastos de locomoción, manutención y estancia exceptuadas de "
             "gravamen.")},
    };
    return descriptions;
}

}  // namespace

PerceptionKeyText perceptionKeyText(const QString& keyAndSubkey) {
    const QChar key = keyAndSubkey.isEmpty() ? QChar() : keyAndSubkey[0];
    return {key, keyAndSubkey.mid(1), keyDescriptions().value(key), subkeyDescriptions().value(keyAndSubkey)};
}
