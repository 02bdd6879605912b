#include "WrittenDeclarationCheck.h"

#include "DeclarationFileCheck.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The check's lines, and its closing line; a file that cannot be read back, or that is no declaration,
// is one error of its own.
struct Findings {
    QStringList problems;
    QString closingLine;
    int errors = 0;
    int warnings = 0;
};

Findings check(const QString& path) {
    QString failure;
    const std::optional<CheckedDeclaration> checked = checkDeclarationFileAt(path, failure);
    if (!checked)
        return {{failure + QLatin1Char('.')}, QString(), 1, 0};
    Findings findings{{}, checked->summaryLine(), checked->errorCount(), checked->warningCount()};
    for (const FileProblem& problem : checked->problems)
        findings.problems.append(problem.text());
    return findings;
}

// Returns why the list could not be written, or nothing.
QString writeList(const QString& listPath, const Findings& findings) {
    try {
        OutputTextFile list(listPath);
        for (const QString& line : findings.problems)
            list.writeLine(line);
        if (!findings.closingLine.isEmpty())
            list.writeLine(findings.closingLine);
        list.close();
    } catch (const FileError& error) {
        return error.message();
    }
    return QString();
}

}  // namespace

QString fileCheckListName(const QString& model) {
    return QStringLiteral("Comprobacion") + model + QStringLiteral(".txt");
}

bool checkWrittenDeclaration(const QString& path, const QString& model, UserInterface& ui) {
    const QString listPath = outputFilePath(QFileInfo(path).path(), fileCheckListName(model));
    QFile::remove(listPath);  // a list never outlives the file it was made for
    const Findings findings = check(path);
    if (findings.problems.isEmpty())
        return true;
    const QString listFailure = writeList(listPath, findings);
    DeclarationMessages::tellFileCheckFindings(
        ui, {findings.errors, findings.warnings, findings.problems, listPath, listFailure});
    return listFailure.isEmpty();
}
