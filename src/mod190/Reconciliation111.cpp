#include "Reconciliation111.h"

#include "Mod190Statements.h"
#include "PerceptorKeys.h"
#include "WithholdingExtraction.h"
#include "base/NumberText.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "db/SkipOnFailure.h"
#include "declaration/Amount.h"
#include "declaration/DeclarantHeader.h"
#include "declaration/PerceptionKeys.h"

#include <QHash>

namespace Reconciliation111 {

namespace {

struct SectionText {
    const char* title;
    int firstBox;
};
constexpr SectionText kSections[SectionCount] = {
    {"I. Rendimientos del trabajo (F)", 1},
    {"II. Actividades económicas (G, H, I)", 7},
    {"III. Premios (K01, K03, K04, K05)", 13},
    {"IV. Aprovechamientos forestales (K02)", 19},
};

QString boxNumber(int box) {
    return QStringLiteral("%1").arg(box, 2, 10, QLatin1Char('0'));
}

// What the 190 makes of the entries: its perceptors with their keys, and its totals.
struct Declared {
    QHash<QString, QString> keyByNif;
    qint64 paid = 0;
    qint64 withheld = 0;
};

Declared declaredBy190(Database& db) {
    Declared declared;
    if (extractWithholdings(db) > 0) {
        PerceptorKeys::applyToWorkTable(db);
        for (Recordset rows = db.openRecordset(Mod190Statements::kPerceptorKeys); !rows.eof();
             rows.moveNext())
            declared.keyByNif.insert(rows.value(0).toString().toUpper(), rows.value(1).toString());
        const Recordset totals = db.openRecordset(Mod190Statements::kTotals);
        declared.paid = roundToCents(totals.value(0).toDouble());
        declared.withheld = roundToCents(totals.value(1).toDouble());
    }
    dropWithholdingWorkObjects(db);
    return declared;
}

// One perceptor's year, summed from its entries.
struct PerceptorYear {
    QString name;
    double paid = 0;
    double withheld = 0;
    double withoutWithholding = 0;
    bool withoutPostalCode = false;
    QList<std::tuple<int, double, double>> entries;  // quarter, payment, withholding
};

QString leftOutReason(const PerceptorYear& year) {
    if (year.paid < 0)
        return QStringLiteral("el total pagado es negativo, y el 190 lo deja fuera");
    return QStringLiteral("no le queda retención en el año, y el 190 lo deja fuera");
}

void addDifferences(QList<Difference>& differences, const QString& nif, const PerceptorYear& year,
                    bool declared) {
    const qint64 paid = roundToCents(year.paid);
    const qint64 withheld = roundToCents(year.withheld);
    if (!declared && (paid != 0 || withheld != 0))
        differences.append({nif, year.name, paid, withheld, leftOutReason(year)});
    if (year.withoutPostalCode)
        differences.append({nif, year.name, paid, withheld,
                            QStringLiteral("no tiene código postal, sin el que el 190 no se genera")});
    if (year.withoutWithholding != 0)
        differences.append({nif, year.name, roundToCents(year.withoutWithholding), 0,
                            QStringLiteral("pagos sin retención, que el 190 no declara")});
}

}  // namespace

Section sectionOf(const QString& key) {
    if (key.startsWith(QLatin1Char('F')))
        return Work;
    if (key == QLatin1String("K02"))
        return Forestry;
    if (key.startsWith(QLatin1Char('K')))
        return Prizes;
    return Activities;
}

qint64 Quarter::withheld() const {
    qint64 sum = 0;
    for (const Boxes& boxes : sections)
        sum += boxes.withheld;
    return sum;
}

qint64 Quarter::paid() const {
    qint64 sum = 0;
    for (const Boxes& boxes : sections)
        sum += boxes.paid;
    return sum;
}

QString Result::title() const {
    return QStringLiteral("Cuadre del modelo 190 con los modelos 111, ejercicio %1").arg(year);
}

QStringList Result::heading() const {
    return {QStringLiteral("Declarante: %1").arg(declarant),
            QStringLiteral(
                "Retenciones de los apuntes del año (qryIRPF), por trimestre y casilla del modelo 111, "
                "con la clave de cada perceptor en el 190.")};
}

QString Result::agreement() const {
    const QStringList differing = disagreements();
    if (differing.isEmpty())
        return QStringLiteral(
            "Los apuntes del año cuadran con las cifras escritas de los modelos 111 presentados.");
    return QStringLiteral("Los apuntes del año no cuadran con los modelos 111 presentados: %1%2")
        .arg(differing.first(), differing.size() > 1
                                    ? QStringLiteral(" (y %1 diferencias más)").arg(differing.size() - 1)
                                    : QString());
}

QString quarterName(int quarter) {
    static const char* const kNames[] = {"1.er trimestre", "2.º trimestre", "3.er trimestre",
                                         "4.º trimestre"};
    return QString::fromUtf8(kNames[quarter - 1]);
}

Result reconcile(Database& db) {
    Result result;
    result.year = Clock::declarationYear();
    const Centre centre = readCentre(db);
    result.declarant = (centre.nif + QLatin1Char(' ') + centre.name).trimmed();
    result.filed = filedFigures(db, result.year);
    const Declared declared = declaredBy190(db);
    result.declaredPaid = declared.paid;
    result.declaredWithheld = declared.withheld;

    QMap<QString, PerceptorYear> byNif;
    for (Recordset entries = db.openRecordset(Mod190Statements::kReconciliationEntries); !entries.eof();
         entries.moveNext()) {
        PerceptorYear& year = byNif[entries.value(0).toString().toUpper()];
        year.name = entries.value(1).toString();
        const double paid = entries.value(3).toDouble();
        const double withheld = entries.value(4).toDouble();
        year.paid += paid;
        year.withheld += withheld;
        year.withoutWithholding += entries.value(5).toDouble();
        year.withoutPostalCode = year.withoutPostalCode || entries.value(6).toString().trimmed().isEmpty();
        year.entries.append({(entries.value(2).toInt() - 1) / 3, paid, withheld});
    }
    for (auto it = byNif.cbegin(); it != byNif.cend(); ++it) {
        const PerceptorYear& year = it.value();
        // A perceptor the 190 leaves out goes by the key its rates would give.
        const QString key = declared.keyByNif.value(it.key(), keyByRates(year.paid, year.withheld));
        for (const auto& [quarter, paid, withheld] : year.entries) {
            Boxes& boxes = result.quarters[quarter].sections[sectionOf(key)];
            boxes.perceptors.insert(it.key());
            boxes.paid += roundToCents(paid);
            boxes.withheld += roundToCents(withheld);
        }
        addDifferences(result.differences, it.key(), year, declared.keyByNif.contains(it.key()));
    }
    return result;
}

qint64 Result::entryFigure(int quarter, int box) const {
    const Quarter& figures = quarters[quarter - 1];
    if (box == 28)
        return figures.withheld();
    const Boxes& boxes = figures.sections[box < 7 ? Work : Activities];
    return box == 2 || box == 8 ? boxes.paid : boxes.withheld;
}

QStringList Result::disagreements() const {
    QStringList lines;
    for (auto it = filed.cbegin(); it != filed.cend(); ++it) {
        const auto [quarter, box] = it.key();
        const qint64 entries = entryFigure(quarter, box);
        if (entries != it.value())
            lines.append(QStringLiteral("%1: la casilla %2 del 111 presentado dice %3 y los apuntes dan %4: "
                                        "diferencia de %5.")
                             .arg(quarterName(quarter), boxNumber(box), spanishAmount(it.value()),
                                  spanishAmount(entries), spanishAmount(entries - it.value())));
    }
    return lines;
}

QStringList Result::lines() const {
    QStringList lines;
    Quarter wholeYear;
    for (int quarter = 1; quarter <= 4; ++quarter) {
        const Quarter& figures = quarters[quarter - 1];
        lines.append(quarterName(quarter));
        for (int section = 0; section < SectionCount; ++section) {
            const Boxes& boxes = figures.sections[section];
            Boxes& inTheYear = wholeYear.sections[section];
            inTheYear.perceptors.unite(boxes.perceptors);
            inTheYear.paid += boxes.paid;
            inTheYear.withheld += boxes.withheld;
            if (boxes.perceptors.isEmpty())
                continue;
            const int first = kSections[section].firstBox;
            lines.append(QStringLiteral("   %1: %2 perceptores %3; %4 importe %5; %6 retenciones %7")
                             .arg(QString::fromUtf8(kSections[section].title), boxNumber(first))
                             .arg(boxes.perceptors.size())
                             .arg(boxNumber(first + 1), spanishAmount(boxes.paid), boxNumber(first + 2),
                                  spanishAmount(boxes.withheld)));
        }
        QString box28 =
            QStringLiteral("   28 Suma de retenciones: %1").arg(spanishAmount(figures.withheld()));
        if (filed.contains({quarter, 28}))
            box28 += QStringLiteral("; presentado: %1").arg(spanishAmount(filed.value({quarter, 28})));
        lines.append(box28);
    }
    lines.append(QString());
    lines.append(QStringLiteral("Año, de los apuntes: importes %1; retenciones %2.")
                     .arg(spanishAmount(wholeYear.paid()), spanishAmount(wholeYear.withheld())));
    lines.append(QStringLiteral("Modelo 190, de los mismos apuntes: percepciones %1; retenciones %2.")
                     .arg(spanishAmount(declaredPaid), spanishAmount(declaredWithheld)));
    lines.append(QStringLiteral("Diferencia: importes %1; retenciones %2.")
                     .arg(spanishAmount(wholeYear.paid() - declaredPaid),
                          spanishAmount(wholeYear.withheld() - declaredWithheld)));
    lines.append(QString());
    lines.append(QStringLiteral("Lo que hace la diferencia:"));
    if (differences.isEmpty())
        lines.append(QStringLiteral("   Nada: todos los apuntes llegan al 190."));
    for (const Difference& difference : differences)
        lines.append(QStringLiteral("   %1 %2: importe %3, retenciones %4: %5.")
                         .arg(difference.nif, difference.name, spanishAmount(difference.paid),
                              spanishAmount(difference.withheld), difference.reason));
    if (!filed.isEmpty()) {
        lines.append(QString());
        lines.append(QStringLiteral("Los modelos 111 presentados:"));
        const QStringList differing = disagreements();
        if (differing.isEmpty())
            lines.append(QStringLiteral("   Las cifras escritas coinciden con los apuntes."));
        for (const QString& line : differing)
            lines.append(QStringLiteral("   ") + line);
    }
    return lines;
}

FiledFigures filedFigures(Database& db, int year) {
    skipOnFailure([&] { db.execute(Mod190Statements::kMakeFiled111); });
    FiledFigures figures;
    for (Recordset rows = db.openRecordset(Mod190Statements::kFiled111, {year}); !rows.eof(); rows.moveNext())
        figures.insert({rows.value(0).toInt(), rows.value(1).toInt()}, rows.value(2).toLongLong());
    return figures;
}

void keepFiledFigures(Database& db, int year, const FiledFigures& figures) {
    skipOnFailure([&] { db.execute(Mod190Statements::kMakeFiled111); });
    db.execute(Mod190Statements::kForgetFiled111, {year});
    for (auto it = figures.cbegin(); it != figures.cend(); ++it)
        db.execute(Mod190Statements::kKeepFiled111, {year, it.key().first, it.key().second, it.value()});
}

}  // namespace Reconciliation111
