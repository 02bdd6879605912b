#include "ReviewFile.h"

#include "OutputTextFile.h"
#include "db/Recordset.h"

void writeReviewFile(const QString& path, const QStringList& heading, Recordset rows) {
    OutputTextFile file(path);
    for (const QString& line : heading)
        file.writeLine(line);
    for (; !rows.eof(); rows.moveNext())
        file.writeRaw(OutputTextFile::supplierLine(rows.value(0).toString(), rows.value(1).toString()) +
                      "\r\n");
    file.close();
}

QString outputFilePath(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}
