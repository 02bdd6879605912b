#include "PdfText.h"

#include <QProcess>

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
