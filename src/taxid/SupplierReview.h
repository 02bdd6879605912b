#pragma once

#include <QList>
#include <QString>

class DbError;

/** One line of the supplier review: an identifier that looks wrong and its supplier's name. */
struct ReviewRow {
    QString nif;
    QString nombre;
};

/**
 * The start of the supplier review: on a connection of its own, makes the
 * work table ErrorNIF the first time, empties it and fills it with every
 * supplier whose CIF/NIF cCifNif rejects. A supplier that cannot be listed is
 * skipped alone. Throws DbError when the review has no answer: the database
 * cannot be opened, ErrorNIF cannot be emptied, or the suppliers cannot be read.
 */
void ActiveReport_ReportStart(const QString& DbPath);

/** The report's rows: "select * from ErrorNIF", in the order it gives. Throws DbError. */
QList<ReviewRow> readReviewRows(const QString& DbPath);

/** Runs the start of the review and reads its rows. Throws DbError. */
QList<ReviewRow> reviewSuppliers(const QString& DbPath);

/** The centre's name, from the first row of Centro, for the report's heading; empty when it cannot be read.
 */
QString centreName(const QString& DbPath);

/** What the user is told when the review has no answer. */
QString reviewFailureMessage(const DbError& error);
