#pragma once

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>

class Database;

/**
 * The Modelo 190 beside the four Modelo 111 of its year: each quarter's boxes
 * as last year's withholding entries give them, the year's sums beside the
 * 190's own totals, the perceptors that make the difference, and the figures
 * the office typed from the 111 it filed.
 */
namespace Reconciliation111 {

/** The sections of the 111 that a centre's supplier withholdings reach, by the key of the 190. */
enum Section {
    Work,        // I: keys F, boxes 01-03
    Activities,  // II: keys G, H and I, boxes 07-09
    Prizes,      // III: K01, K03, K04 and K05, boxes 13-15
    Forestry,    // IV: K02, boxes 19-21
    SectionCount,
};
Section sectionOf(const QString& key);

/** A section's boxes: how many perceptors, what they were paid and what was withheld, in cents. */
struct Boxes {
    QSet<QString> perceptors;
    qint64 paid = 0;
    qint64 withheld = 0;
};

struct Quarter {
    std::array<Boxes, SectionCount> sections;
    /** Box 28, the sum of the withholdings. */
    qint64 withheld() const;
    qint64 paid() const;
};

/** Entries that count in a quarter but not, or not all, in the 190, by perceptor, with why. */
struct Difference {
    QString nif;
    QString name;
    qint64 paid = 0;
    qint64 withheld = 0;
    QString reason;
};

/** The boxes of the filed 111 that the office may type, by quarter (1 to 4): 02, 03, 08, 09 and 28. */
using FiledFigures = QMap<std::pair<int, int>, qint64>;
inline const QList<int> kTypedBoxes = {28, 2, 3, 8, 9};

struct Result {
    int year = 0;
    /** The centre's NIF and name. */
    QString declarant;
    std::array<Quarter, 4> quarters;
    /** The totals of the 190's type 1 record: paid (146-160) and withheld (161-175). */
    qint64 declaredPaid = 0;
    qint64 declaredWithheld = 0;
    QList<Difference> differences;
    FiledFigures filed;

    qint64 entryFigure(int quarter, int box) const;
    /** Where a typed figure differs from the entries, one line each; empty when they all agree. */
    QStringList disagreements() const;
    /** One line for the end of a run: whether the typed figures agree, or the first difference. */
    QString agreement() const;
    /** «Cuadre del modelo 190 con los modelos 111, ejercicio 2025», and the two lines under it. */
    QString title() const;
    QStringList heading() const;
    /** The whole reconciliation in Spanish, as the report and the command line print it. */
    QStringList lines() const;
};

/**
 * Reads last year's entries of qryIRPF and what the 190 makes of them (its
 * work table, made and dropped again), with the figures typed for the year.
 * Throws DbError.
 */
Result reconcile(Database& db);

/** The figures typed for `year`, kept in the program's table Modelos111. Throws DbError. */
FiledFigures filedFigures(Database& db, int year);
/** Keeps `figures` as the year's, in place of the ones typed before. Throws DbError. */
void keepFiledFigures(Database& db, int year, const FiledFigures& figures);

/** «1.er trimestre», «2.º trimestre»… */
QString quarterName(int quarter);

}  // namespace Reconciliation111
