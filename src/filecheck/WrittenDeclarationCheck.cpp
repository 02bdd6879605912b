#include "WrittenDeclarationCheck.h"

#include "DeclarationFileCheck.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/OutputTextFile.h"
#include "declaration/ReviewFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The message shows this many problems; the list file holds them all.
constexpr int kProblemsShown = 10;

struct Findings {
    QStringList problems;
    QString closingLine;
    int errors = 0;
    int warnings = 0;
};

Findings findingsOf(const CheckedDeclaration& checked) {
    Findings findings;
    for (const FileProblem& problem : checked.problems)
        findings.problems.append(problem.text());
    findings.closingLine = checked.summaryLine();
    findings.errors = checked.errorCount();
    findings.warnings = checked.warningCount();
    return findings;
}

// A file that cannot be read back, or that is no declaration, is one error of its own.
Findings check(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {
            {QStringLiteral("No se puede leer el fichero %1: %2.").arg(path, file.errorString())}, {}, 1, 0};
    const std::optional<CheckedDeclaration> checked = checkDeclarationFile(file.readAll());
    if (!checked)
        return {{QStringLiteral("El fichero %1 no es una declaración del modelo 190 ni del 347.").arg(path)},
                {},
                1,
                0};
    return findingsOf(*checked);
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

void checkWrittenDeclaration(const QString& path, const QString& model, UserInterface& ui) {
    const QString listPath = outputFilePath(QFileInfo(path).path(), fileCheckListName(model));
    QFile::remove(listPath);  // a list never outlives the file it was made for
    const Findings findings = check(path);
    if (findings.problems.isEmpty())
        return;
    const QString listFailure = writeList(listPath, findings);
    DeclarationMessages::tellFileCheckFindings(
        ui, {findings.errors, findings.warnings, findings.problems.mid(0, kProblemsShown),
             static_cast<int>(findings.problems.size()), listPath, listFailure});
}
