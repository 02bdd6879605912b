#pragma once

#include <QString>

/**
 * Judges whether a text is a well-formed Spanish tax identifier: a personal
 * NIF (number and control letter), a foreigner's number with the prefix X, or
 * an organisation's CIF. Assign Entrada, then read Correcto.
 */
class cCifNif {
public:
    /** Checks `identifier`; a leading "X" or "x" is removed from the caller's text itself. */
    void Entrada(QString& identifier);
    /** The verdict of the last Entrada; false before the first. */
    bool Correcto() const { return m_correcto; }

private:
    static bool Comprobar(const QString& s);
    static QChar LetraDni(qint64 number);

    bool m_correcto = false;
};
