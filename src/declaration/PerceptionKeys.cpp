#include "PerceptionKeys.h"

#include <QHash>

#include <cmath>

namespace {

// The design's headings of the keys ("CLAVE DE PERCEPCIÓN", position 78).
const QHash<QChar, QString>& keyDescriptions() {
    static const QHash<QChar, QString> descriptions{
        {QLatin1Char('F'),
         QStringLiteral(
             "Rendimientos del trabajo: Cursos, conferencias, seminarios y similares y elaboración de "
             "obras literarias, artísticas o científicas.")},
        {QLatin1Char('G'),
         QStringLiteral("Rendimientos de actividades económicas: Actividades profesionales.")},
        {QLatin1Char('H'),
         QStringLiteral(
             "Rendimientos de actividades económicas: actividades agrícolas, ganaderas y forestales y "
             "actividades en estimación objetiva a las que se refiere el artículo 95.6 del "
             "Reglamento del Impuesto.")},
        {QLatin1Char('I'),
         QStringLiteral("Rendimientos de actividades económicas: rendimientos a que se refiere el artículo "
                        "75.2, letra b), del Reglamento del Impuesto.")},
        {QLatin1Char('K'),
         QStringLiteral("Premios y ganancias patrimoniales de los vecinos derivadas de los aprovechamientos "
                        "forestales en montes públicos.")},
        {QLatin1Char('L'), QStringLiteral("Rentas exentas y dietas exceptuadas de gravamen.")},
    };
    return descriptions;
}

struct Subkey {
    const char* code;
    const char* shortDescription;
    const char* designWords;
    double legalRate = -1;  // none
};

// The design's words for the subkeys ("SUBCLAVE", 79-80), with the rates the regulation sets.
const QList<Subkey>& subkeys() {
    static const QList<Subkey> subkeys{
        {"F01", "Premios literarios, científicos o artísticos",
         "Premios literarios, científicos o artísticos no exentos del Impuesto a que se refiere el artículo "
         "12.1, letra g), del Reglamento del Impuesto."},
        {"F02", "Cursos, conferencias, coloquios y similares",
         "Rendimientos del trabajo derivados de impartir cursos, conferencias, coloquios y similares.", 15},
        {"F03", "Obras literarias, artísticas o científicas, tipo general",
         "Rendimientos del trabajo derivados de la elaboración de obras literarias, artísticas o científicas "
         "a los que resulte aplicable el tipo de retención establecido con carácter general en el artículo "
         "101.3 de la Ley del Impuesto.",
         15},
        {"F04", "Obras literarias, artísticas o científicas, tipo reducido",
         "Rendimientos del trabajo derivados de la elaboración de obras literarias, artísticas o científicas "
         "a los que resulte aplicable el tipo de retención reducido establecido en el artículo 101.3 de la "
         "Ley del Impuesto.",
         7},
        {"F05", "Propiedad intelectual, tipo general",
         "Rendimientos derivados de la propiedad intelectual, cuando tengan la consideración de rendimientos "
         "del trabajo, a los que sea aplicable el tipo general establecido en el artículo 101.9 de la Ley "
         "del Impuesto."},
        {"F06", "Propiedad intelectual, tipo reducido",
         "Rendimientos derivados de la propiedad intelectual, cuando tengan la consideración de rendimientos "
         "del trabajo, a los que sea aplicable el tipo de retención reducido establecido en el artículo "
         "101.9 de la Ley del Impuesto."},
        {"F07", "Anticipos por la cesión de derechos de autor",
         "Anticipos a cuenta derivados de la cesión de la explotación de los derechos de autor, cuando tales "
         "anticipos tengan la consideración de rendimientos del trabajo, que se vayan a devengar a lo largo "
         "de varios años."},
        {"G01", "Actividades profesionales, tipo general",
         "Percepciones a las que resulte aplicable el tipo de retención establecido con carácter general en "
         "el artículo 95.1 del Reglamento del Impuesto.",
         15},
        {"G02", "Recaudadores, mediadores de seguros, delegados de Loterías",
         "Percepciones a las que resulte aplicable el tipo de retención específico establecido en el citado "
         "artículo del Reglamento del Impuesto para los rendimientos satisfechos a recaudadores municipales, "
         "mediadores de seguros que utilicen los servicios de auxiliares externos y delegados comerciales de "
         "la entidad pública empresarial «Loterías y Apuestas del Estado».",
         7},
        {"G03", "Profesionales que inician la actividad, tipo reducido",
         "Percepciones a las que resulte aplicable el tipo de retención reducido establecido en el artículo "
         "95.1 del Reglamento del Impuesto para los rendimientos satisfechos a contribuyentes que inicien el "
         "ejercicio de actividades profesionales, tanto en el período impositivo en que se produzca dicho "
         "inicio como en los dos siguientes.",
         7},
        {"G04", "Tipo específico del artículo 95.1.d) del Reglamento",
         "Percepciones a las que resulte aplicable el tipo de retención específico establecido en la letra "
         "d) del artículo 95.1 del Reglamento del Impuesto."},
        {"G05", "Propiedad intelectual, tipo general",
         "Rendimientos derivados de la propiedad intelectual, a los que resulte aplicable el tipo general de "
         "retención previsto en el artículo 101.9 de la Ley del Impuesto."},
        {"G06", "Propiedad intelectual, tipo reducido",
         "Rendimientos derivados de la propiedad intelectual, a los que resulte aplicable el tipo de "
         "retención reducido previsto en el artículo 101.9 de la Ley del Impuesto."},
        {"G07", "Anticipos por la cesión de derechos de autor",
         "Anticipos a cuenta derivados de la cesión de la explotación de derechos de autor, cuando tales "
         "anticipos tengan la consideración de rendimientos de actividades profesionales, que se vayan a "
         "devengar a lo largo de varios años."},
        {"G08", "Cesión del derecho de imagen, actividad profesional",
         "Rendimientos derivados de la cesión del derecho a la explotación de la imagen, cuando las "
         "percepciones satisfechas por dicha cesión tengan para su perceptor la calificación de rendimientos "
         "derivados de su actividad profesional."},
        {"H01", "Agrícolas, ganaderas y forestales, tipo general",
         "Percepciones a las que resulte aplicable el tipo de retención establecido con carácter general en "
         "el artículo 95.4.2.º del Reglamento del Impuesto.",
         2},
        {"H02", "Engorde de porcino y avicultura",
         "Percepciones a las que resulte aplicable el tipo de retención específico establecido en el "
         "artículo 95.4.1.º del Reglamento del Impuesto para los rendimientos que sean contraprestación de "
         "actividades ganaderas de engorde de porcino y avicultura.",
         1},
        {"H03", "Actividades forestales",
         "Percepciones satisfechas que sean contraprestación de las actividades forestales a que se refiere "
         "el artículo 95.5 del Reglamento del Impuesto.",
         2},
        {"H04", "Actividades en estimación objetiva",
         "Percepciones satisfechas que sean contraprestación de las actividades económicas en estimación "
         "objetiva recogidas en el artículo 95.6.2.º del Reglamento del Impuesto.",
         1},
        {"I01", "Cesión del derecho de imagen",
         "Percepciones satisfechas en concepto de rendimientos procedentes de la cesión del derecho a la "
         "explotación del derecho de imagen."},
        {"I02", "Propiedad intelectual, tipo general",
         "Percepciones derivadas de la propiedad intelectual, a las que sea aplicable el tipo de retención "
         "establecido con carácter general en el artículo 101.9 de la Ley del Impuesto."},
        {"I03", "Otros rendimientos del artículo 75.2.b) del Reglamento",
         "Percepciones satisfechas por cualquier otro de los conceptos a que se refiere el artículo 75.2, "
         "letra b) del Reglamento del Impuesto."},
        {"K01", "Premios con retención, sin fines publicitarios",
         "Premios que, por su importe, se encuentren sometidos a retención, derivados de la participación en "
         "juegos, rifas o combinaciones aleatorias sin fines publicitarios …",
         19},
        {"K02", "Aprovechamientos forestales de los vecinos en montes públicos",
         "Ganancias patrimoniales obtenidas por los vecinos como consecuencia de aprovechamientos forestales "
         "en montes públicos."},
        {"K03", "Premios con retención, con fines publicitarios",
         "Premios que, por su importe, se encuentren sometidos a retención, derivados de la participación en "
         "concursos o combinaciones aleatorias con fines publicitarios, en los que no se realice un "
         "desembolso económico por su participación en ellos …",
         19},
        {"K04", "Premios sin retención, sin fines publicitarios",
         "Premios que, por su importe, no se encuentren sometidos a retención, derivados de la participación "
         "en juegos, rifas o combinaciones aleatorias sin fines publicitarios …"},
        {"K05", "Premios sin retención, con fines publicitarios",
         "Premios que, por su importe, no se encuentren sometidos a retención, derivados de la participación "
         "en concursos o combinaciones aleatorias con fines publicitarios …"},
        {"L01", "Dietas y gastos de viaje exceptuados de gravamen",
         "Dietas y asignaciones para gastos de viaje exceptuadas de gravamen conforme a lo previsto en el "
         "artículo 9 del Reglamento del Impuesto."},
    };
    return subkeys;
}

const Subkey* subkey(const QString& code) {
    for (const Subkey& known : subkeys())
        if (code == QLatin1String(known.code))
            return &known;
    return nullptr;
}

}  // namespace

PerceptionKeyText perceptionKeyText(const QString& keyAndSubkey) {
    const QChar key = keyAndSubkey.isEmpty() ? QChar() : keyAndSubkey[0];
    const Subkey* known = subkey(keyAndSubkey);
    return {key, keyAndSubkey.mid(1), keyDescriptions().value(key),
            known ? QString::fromUtf8(known->designWords) : QString()};
}

const QList<ChoosableKey>& choosableKeys() {
    static const QList<ChoosableKey> keys = [] {
        QList<ChoosableKey> choosable;
        for (const Subkey& known : subkeys())
            if (known.code[0] != 'L')
                choosable.append(
                    {QString::fromLatin1(known.code), QString::fromUtf8(known.shortDescription)});
        return choosable;
    }();
    return keys;
}

bool isChoosableKey(const QString& keyAndSubkey) {
    return isDeclaredKey(keyAndSubkey) && keyAndSubkey != QLatin1String("L01");
}

bool isDeclaredKey(const QString& keyAndSubkey) {
    return subkey(keyAndSubkey) != nullptr;
}

std::optional<double> legalRate(const QString& keyAndSubkey) {
    const Subkey* known = subkey(keyAndSubkey);
    if (!known || known->legalRate < 0)
        return std::nullopt;
    return known->legalRate;
}

QString rateRange(double paid, double withheld) {
    if (paid == 0)  // the statements' division by zero gives Null, which no range takes
        return QString();
    const double rate = withheld * 100 / paid;
    if (rate > 14.9)
        return QStringLiteral("F02");
    if (rate >= 6.9 && rate <= 9.1)
        return QStringLiteral("G03");
    if (rate >= 0.9 && rate <= 1.1)
        return QStringLiteral("H04");
    return QString();
}

QString keyByRates(double paid, double withheld) {
    const QString range = rateRange(paid, withheld);
    if (!range.isEmpty())
        return range;
    return std::abs(100 * withheld - paid) < 1 ? QStringLiteral("H04") : QStringLiteral("F02");
}
