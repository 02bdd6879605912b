#pragma once

#include <QString>
#include <QStringList>

class Recordset;

/**
 * Writes a review file for the office: the heading lines, then one supplier
 * line (NIF, then the name at the next print zone) for each row of `rows`,
 * whose first two fields are the NIF and the name. Throws FileError.
 */
void writeReviewFile(const QString& path, const QStringList& heading, Recordset rows);

/** Where a review or declaration file of the given name lies in the output folder. */
QString outputFilePath(const QString& folder, const QString& name);
