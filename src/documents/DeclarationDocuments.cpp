#include "DeclarationDocuments.h"

#include "DocumentPage.h"
#include "SupplierLetter.h"
#include "WithholdingCertificate.h"
#include "base/ReplacingFile.h"
#include "declaration/DeclarationMessages.h"
#include "report/ReportPainting.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

namespace {

constexpr int kFileNameLength = 120;

// A party's own pages of the documents, as a report of their own.
class PartyDocuments : public PagedReport {
public:
    PartyDocuments(const DeclarationDocuments& all, const QList<int>& pages) : m_all(all), m_pages(pages) {}

    QString title() const override { return m_all.title(); }
    QPageLayout pageLayout() const override { return m_all.pageLayout(); }
    int pageCount() const override { return static_cast<int>(m_pages.size()); }
    void paintPage(QPainter& painter, int pageIndex) const override {
        m_all.paintPage(painter, m_pages[pageIndex]);
    }

private:
    const DeclarationDocuments& m_all;
    QList<int> m_pages;
};

QString refusal(const QString& path, const CheckedDeclaration& checked) {
    QStringList errors;
    for (const FileProblem& problem : checked.problems)
        if (problem.severity == FileProblem::Severity::Error)
            errors.append(problem.text());
    return QStringLiteral("No se hacen documentos de %1: la Agencia rechazaría el fichero por estos errores.")
               .arg(QDir::toNativeSeparators(path)) +
           QStringLiteral("\r\n") + DeclarationMessages::firstLines(errors) + QStringLiteral("\r\n") +
           checked.summaryLine();
}

[[noreturn]] void cannotWriteIn(const QString& folder, const QString& reason) {
    throw FileError(QStringLiteral("No se puede escribir en la carpeta %1: %2")
                        .arg(QDir::toNativeSeparators(folder), reason));
}

// Puts each party's new PDFs in their folder in place of the earlier ones; other files there stay.
void moveInto(const QDir& staged, const QString& folder) {
    QDir own(folder);
    if (!QDir().mkpath(folder))
        cannotWriteIn(folder, QStringLiteral("no se puede crear"));
    for (const QString& name : own.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        if (!own.remove(name))
            cannotWriteIn(folder, QStringLiteral("no se puede borrar el fichero anterior %1").arg(name));
    for (const QString& name : staged.entryList(QDir::Files))
        if (!QFile::rename(staged.filePath(name), own.filePath(name)))
            cannotWriteIn(folder, QStringLiteral("no se puede poner en ella el fichero %1").arg(name));
}

}  // namespace

QString safeFileName(const QString& name) {
    static const QString kForbidden = QStringLiteral("<>:\"/\\|?*");
    QString safe;
    for (const QChar c : name)
        safe.append(c.unicode() < 0x20 || kForbidden.contains(c) ? QLatin1Char('_') : c);
    safe = safe.simplified().left(kFileNameLength);
    while (safe.endsWith(QLatin1Char('.')) || safe.endsWith(QLatin1Char(' ')))
        safe.chop(1);
    return safe.isEmpty() ? QStringLiteral("SIN NOMBRE") : safe;
}

std::optional<DeclarationDocuments> DeclarationDocuments::fromFile(const QString& path, QString& failure) {
    std::optional<CheckedDeclaration> checked = checkDeclarationFileAt(path, failure);
    if (!checked)
        return std::nullopt;
    if (checked->errorCount() > 0) {
        failure = refusal(path, *checked);
        return std::nullopt;
    }
    return DeclarationDocuments(std::move(*checked));
}

DeclarationDocuments::DeclarationDocuments(CheckedDeclaration checked) : m_checked(std::move(checked)) {}

QString DeclarationDocuments::baseName() const {
    return isModel190() ? QStringLiteral("Certificados190") : QStringLiteral("Cartas347");
}

QString DeclarationDocuments::pathIn(const QString& folder) const {
    return folder + QLatin1Char('/') + baseName();
}

QString DeclarationDocuments::documentsName() const {
    return isModel190() ? QStringLiteral("certificados") : QStringLiteral("cartas");
}

QString DeclarationDocuments::partyName() const {
    return isModel190() ? QStringLiteral("perceptor") : QStringLiteral("proveedor");
}

QString DeclarationDocuments::title() const {
    return isModel190()
               ? QStringLiteral("Certificados de retenciones del ejercicio %1").arg(m_checked.fiscalYear)
               : QStringLiteral("Cartas del modelo 347 del ejercicio %1").arg(m_checked.fiscalYear);
}

QPageLayout DeclarationDocuments::pageLayout() const {
    return ReportPainting::portrait(QPageSize::A4, DocumentPage::kMargin);
}

int DeclarationDocuments::pageCount() const {
    return static_cast<int>(m_checked.declared.size());
}

void DeclarationDocuments::paintPage(QPainter& painter, int pageIndex) const {
    const DeclaredRecord& party = m_checked.declared[pageIndex];
    if (isModel190())
        paintWithholdingCertificate(painter, m_checked, party);
    else
        paintSupplierLetter(painter, m_checked, party);
}

// A perceptor with several keys has one file with a page for each; a party
// without a Spanish NIF is known by its name.
QList<DeclarationDocuments::Party> DeclarationDocuments::parties() const {
    QList<Party> parties;
    QHash<QString, qsizetype> byParty;
    for (int page = 0; page < pageCount(); ++page) {
        const DeclaredRecord& record = m_checked.declared[page];
        const QString key = record.nif.isEmpty() ? record.name : record.nif;
        auto known = byParty.constFind(key);
        if (known == byParty.constEnd()) {
            known = byParty.insert(key, parties.size());
            parties.append(
                {safeFileName(record.nif + QLatin1Char(' ') + record.name) + QStringLiteral(".pdf"), {}});
        }
        parties[*known].pages.append(page);
    }
    return parties;
}

// Each party's PDF is first written into a folder of its own beside the documents', so that a failure
// leaves the earlier documents as they were.
bool DeclarationDocuments::writeTo(const QString& folder, QString& failure) const {
    const QString path = pathIn(folder);
    try {
        QTemporaryDir staged(folder + QStringLiteral("/.") + baseName() + QStringLiteral("-XXXXXX"));
        if (!staged.isValid())
            cannotWriteIn(folder, staged.errorString());
        for (const Party& party : parties())
            PartyDocuments(*this, party.pages).exportPdf(staged.filePath(party.fileName));
        exportPdf(path + QStringLiteral(".pdf"));
        moveInto(QDir(staged.path()), path);
    } catch (const FileError& error) {
        failure = error.message();
        return false;
    }
    return true;
}
