#include "DeclarationDocuments.h"

#include "DocumentPage.h"
#include "SupplierLetter.h"
#include "WithholdingCertificate.h"
#include "base/NumberText.h"
#include "base/ReplacingFile.h"
#include "base/SafeFileName.h"
#include "db/Database.h"
#include "declaration/DeclarantHeader.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/FieldRules.h"
#include "report/PdfPages.h"
#include "report/ReportPainting.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QTemporaryDir>

namespace {

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

bool cancelled(QString& failure) {
    failure = QStringLiteral(
        "Se ha cancelado: no se ha escrito ningún documento, y los de antes siguen como estaban.");
    return false;
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

std::optional<DeclarationDocuments> DeclarationDocuments::fromFile(const QString& path, QString& failure) {
    std::optional<CheckedDeclaration> checked = checkDeclarationFileAt(path, failure);
    if (!checked)
        return std::nullopt;
    if (checked->errorCount() > 0) {
        failure = refusal(path, *checked);
        return std::nullopt;
    }
    // The papers go to people, who would call the example's telephone.
    if (checked->contactTelephone == kExampleTelephone ||
        checked->contactPerson == recordName(kExampleContactPerson)) {
        failure = QStringLiteral(
            "La declaración tiene los datos de contacto de ejemplo; escriba los suyos y vuelva a "
            "generarla");
        return std::nullopt;
    }
    return DeclarationDocuments(std::move(*checked));
}

int DeclarationDocuments::takeNamesFrom(Database& accounts) {
    const QString centre = readCentre(accounts).name.trimmed();
    if (!centre.isEmpty())
        m_checked.declarantName = centre;
    QHash<QString, QString> byNif;
    QHash<QString, QString> byRecordName;
    for (Recordset rows = accounts.openRecordset(QStringLiteral("select nif, nombre from provedores"));
         !rows.eof(); rows.moveNext()) {
        const QString name = rows.value(1).toString().simplified();
        byNif.insert(QString::fromLatin1(FieldRules::digits(rows.value(0).toString().trimmed(), 9)).toUpper(),
                     name);
        byRecordName.insert(recordName(name).left(40).trimmed(), name);
    }
    int lacking = 0;
    for (DeclaredRecord& party : m_checked.declared) {
        const auto found = byNif.constFind(party.nif.toUpper());
        const auto named = byRecordName.constFind(party.name);
        if (found != byNif.cend())
            party.name = *found;
        else if (named != byRecordName.cend())
            party.name = *named;
        else
            ++lacking;
    }
    return lacking;
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

QString DeclarationDocuments::progressText(Stage stage, int written, int total) const {
    if (stage == Stage::All)
        return QStringLiteral("Preparando %1: página %2 de %3")
            .arg(documentsName(), spanishCount(written), spanishCount(total));
    return QStringLiteral("%1 %2 de %3")
        .arg(isModel190() ? QStringLiteral("Perceptor") : QStringLiteral("Carta"), spanishCount(written),
             spanishCount(total));
}

QString DeclarationDocuments::namesFromTheFileLine(int parties) const {
    return QStringLiteral("%1 %2 no %3 en la contabilidad: %4 el nombre del fichero.")
        .arg(spanishCount(parties), parties == 1 ? partyName() : partyName() + QStringLiteral("es"),
             parties == 1 ? QStringLiteral("está") : QStringLiteral("están"),
             parties == 1 ? QStringLiteral("lleva") : QStringLiteral("llevan"));
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
        paintWithholdingCertificate(painter, m_checked, party, m_signing);
    else
        paintSupplierLetter(painter, m_checked, party, m_signing);
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

// The PDF of all is drawn once, and each party's PDF is made of its pages, in a folder of its own beside the
// documents', so that a failure or a stop leaves the earlier documents as they were.
bool DeclarationDocuments::writeTo(const QString& folder, QString& failure, const Progress& progress) const {
    const QString path = pathIn(folder);
    const auto goesOn = [&](Stage stage, int written, int total) {
        return !progress || progress(stage, written, total);
    };
    try {
        QTemporaryDir staged(folder + QStringLiteral("/.") + baseName() + QStringLiteral("-XXXXXX"));
        if (!staged.isValid())
            cannotWriteIn(folder, staged.errorString());
        const std::optional<QByteArray> all =
            pdf([&](int pages) { return goesOn(Stage::All, pages, pageCount()); });
        if (!all)
            return cancelled(failure);
        const std::optional<PdfPages> pages = PdfPages::read(*all);
        if (!pages)
            cannotWriteIn(folder,
                          QStringLiteral("no se ha podido separar el documento de cada %1").arg(partyName()));
        const QList<Party> each = parties();
        for (int written = 0; written < each.size(); ++written) {
            ReplacingFile file(QDir(staged.path()).filePath(each[written].fileName));
            file.write(pages->extract(each[written].pages));
            file.commit();
            if (!goesOn(Stage::EachParty, written + 1, static_cast<int>(each.size())))
                return cancelled(failure);
        }
        ReplacingFile whole(path + QStringLiteral(".pdf"));
        whole.write(*all);
        whole.commit();
        moveInto(QDir(staged.path()), path);
    } catch (const FileError& error) {
        failure = error.message();
        return false;
    }
    return true;
}
