#pragma once

#include <QString>

/** A Modelo 190 key and subkey in the words of the agency's record design. */
struct PerceptionKeyText {
    QChar key;
    QString subkey;
    /** What the design says of the key, and of its subkey; empty for a key the program never writes. */
    QString keyDescription;
    QString subkeyDescription;
};

/**
 * The key of a perceptor record ("F02": the key F, subkey 02) with the
 * descriptions of the record design of Modelo 190 (Orden EHA/3127/2009 and
 * its amendments), for the keys the program writes: F02, G03, H04 and L01.
 */
PerceptionKeyText perceptionKeyText(const QString& keyAndSubkey);
