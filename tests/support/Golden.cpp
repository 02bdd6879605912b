#include "Golden.h"

#include <QDir>
#include <QFile>

bool writeAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList recordLines(const QByteArray& file) {
    QStringList lines;
    for (const QByteArray& line : file.split('\n'))
        if (!line.isEmpty())
            lines.append(QString::fromLatin1(line.endsWith('\r') ? line.chopped(1) : line));
    return lines;
}

bool matchesGolden(const QByteArray& actual, const QString& folder, const QString& name, QString* why) {
    const QString path = QStringLiteral(AEAT_TEST_DATA_DIR "/") + folder + QStringLiteral("/golden/") + name;
    if (qEnvironmentVariableIsSet("AEAT_UPDATE_GOLDEN") || !QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(actual);
        *why = QStringLiteral("golden file written, check it by hand: ") + path;
        return false;
    }
    const QByteArray expected = readAll(path);
    if (actual == expected)
        return true;
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    const qsizetype line = actual.left(at).count('\n') + 1;
    const qsizetype column = at - actual.left(at).lastIndexOf('\n');
    *why = QStringLiteral("%1 differs at line %2, column %3:\n  actual:   %4\n  expected: %5")
               .arg(path)
               .arg(line)
               .arg(column)
               .arg(QString::fromLatin1(actual.mid(at - column + 1, 120)),
                    QString::fromLatin1(expected.mid(at - column + 1, 120)));
    return false;
}
