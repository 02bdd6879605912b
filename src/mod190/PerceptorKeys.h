#pragma once

#include <QHash>
#include <QList>
#include <QString>

class Database;

/** A perceptor of last year's withholdings as the office sees it to choose its key. */
struct PerceptorKeyRow {
    QString nif;
    QString name;
    double paid = 0;
    double withheld = 0;
    /** The key the rates give, and the one the office chose (empty when none). */
    QString keyByRates;
    QString chosenKey;
    /** The rates of its entries, in percent, one for each of the classification's ranges they fall in. */
    QList<double> rates;

    /** Withheld ÷ paid, in percent; 0 when nothing was paid. */
    double rate() const { return paid == 0 ? 0 : withheld * 100 / paid; }
    /** The key the record carries: the chosen one, else the rates'. */
    QString key() const { return chosenKey.isEmpty() ? keyByRates : chosenKey; }
    /** Entries withheld at rates of different ranges of the classification, summed into one record. */
    bool blended() const { return rates.size() > 1; }
};

/**
 * The keys the office chooses per perceptor, by NIF, kept in the accounting
 * database's table ClavesPercepcion, which the program adds (and the working
 * copy of an Access file carries across its refreshes): used by every later
 * run until changed or cleared. Throws DbError.
 */
namespace PerceptorKeys {

/** Last year's perceptors of qryIRPF, by NIF, in NIF order, with their chosen keys. */
QList<PerceptorKeyRow> lastYearPerceptors(Database& db);

/** The chosen keys by NIF. */
QHash<QString, QString> chosenKeys(Database& db);
/** Chooses a key of choosableKeys for the perceptor `nif`. */
void choose(Database& db, const QString& nif, const QString& key);
/** Goes back to the key the rates give. */
void clear(Database& db, const QString& nif);

/** Gives the rows of the work table tmptb190 their chosen keys; L01 rows keep theirs. */
void applyToWorkTable(Database& db);

/** «retenciones a tipos distintos (15 % y 7 %): revise su clave». */
QString blendedRatesWarning(const PerceptorKeyRow& perceptor);

}  // namespace PerceptorKeys
