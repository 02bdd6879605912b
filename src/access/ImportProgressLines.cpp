#include "ImportProgressLines.h"

#include <QStringList>

namespace {

const QString kTable = QStringLiteral("TABLA");
const QString kRows = QStringLiteral("FILAS");
const QString kError = QStringLiteral("ERROR");
const QChar kSeparator = QLatin1Char('\t');

// Tabs and line breaks inside a name or message must not split its line.
QString oneLine(QString text) {
    for (QChar& c : text)
        if (c == kSeparator || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

}  // namespace

void ImportProgressLines::tableStarted(const QString&, const QString& table, int index, int count,
                                       qint64 rows) {
    m_out << kTable << kSeparator << index << kSeparator << count << kSeparator << rows << kSeparator
          << oneLine(table) << Qt::endl;
}

void ImportProgressLines::rowsRead(qint64 done) {
    m_out << kRows << kSeparator << done << Qt::endl;
}

void ImportProgressLines::finished() {
    m_out.flush();
}

void ImportProgressLines::failed(const QString& message) {
    m_out << kError << kSeparator << oneLine(message) << Qt::endl;
}

std::optional<QString> ImportProgressLines::replay(const QString& line, const QString& file,
                                                   ImportProgress* progress) {
    const QStringList parts = line.split(kSeparator);
    if (parts.size() == 2 && parts[0] == kError)
        return parts[1];
    if (!progress)
        return std::nullopt;
    if (parts.size() == 5 && parts[0] == kTable)
        progress->tableStarted(file, parts[4], parts[1].toInt(), parts[2].toInt(), parts[3].toLongLong());
    else if (parts.size() == 2 && parts[0] == kRows)
        progress->rowsRead(parts[1].toLongLong());
    return std::nullopt;
}
