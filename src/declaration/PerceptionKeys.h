#pragma once

#include <QList>
#include <QString>

#include <optional>

/** A Modelo 190 key and subkey in the words of the agency's record design of exercise 2025. */
struct PerceptionKeyText {
    QChar key;
    QString subkey;
    /** The design's heading of the key, and its words for the subkey; empty for a key the program never
     * writes. */
    QString keyDescription;
    QString subkeyDescription;
};

/** The key of a perceptor record ("F02": the key F, subkey 02) with the descriptions of the design. */
PerceptionKeyText perceptionKeyText(const QString& keyAndSubkey);

/** A key and subkey that the office may choose for a perceptor, with a few words for a list. */
struct ChoosableKey {
    QString code;
    QString shortDescription;
};

/** F01-F07, G01-G08, H01-H04, I01-I03 and K01-K05, in that order. */
const QList<ChoosableKey>& choosableKeys();
bool isChoosableKey(const QString& keyAndSubkey);

/** Whether the program writes the key: a choosable one, or L01. */
bool isDeclaredKey(const QString& keyAndSubkey);

/**
 * The withholding rate the income-tax regulation sets for a key, in percent,
 * where it sets one (G01 15, G03 7, H04 1…); nothing for the others.
 */
std::optional<double> legalRate(const QString& keyAndSubkey);

/**
 * The key the withholding rate gives, as the Modelo 190 run classifies a
 * perceptor's year: above 14.9 % F02, 6.9 to 9.1 % G03, 0.9 to 1.1 % H04,
 * otherwise H04 when 100 times the withholding is within one of the payment
 * and F02 when it is not.
 */
QString keyByRates(double paid, double withheld);

/** Which of the classification's ranges a rate falls in: the key it gives, or empty outside them all. */
QString rateRange(double paid, double withheld);
