#pragma once

#include <QList>
#include <QString>

/** One line of the supplier review: an identifier that looks wrong and its supplier's name. */
struct ReviewRow {
    QString nif;
    QString nombre;
};

/**
 * The start of the supplier review: on a connection of its own, makes the
 * work table ErrorNIF the first time, empties it and fills it with every
 * supplier whose CIF/NIF cCifNif rejects. Each statement that fails is
 * skipped alone; nothing is told to the user.
 */
void ActiveReport_ReportStart(const QString& DbPath);

/** The report's rows: "select * from ErrorNIF", in the order it gives; none when it cannot be read. */
QList<ReviewRow> readReviewRows(const QString& DbPath);
