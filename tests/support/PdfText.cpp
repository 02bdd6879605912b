#include "PdfText.h"

#include <QProcess>
#include <QStandardPaths>

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool pdfToTextInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}
