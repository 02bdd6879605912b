#include "DocumentsWindow.h"

#include "DeclarationDocuments.h"
#include "access/AccountingDatabase.h"
#include "base/UserInterface.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "filecheck/AgencyErrors.h"
#include "report/ListingReport.h"
#include "shell/StartupSettings.h"
#include "widgets/DataFolderSettings.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/ReportPreview.h"
#include "widgets/ScreenFit.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Certificados y cartas");
const QString kSignerKey = QStringLiteral("firma");
const QString kPlaceKey = QStringLiteral("lugar");

}  // namespace

DocumentsWindow::DocumentsWindow(const StartupSettings& settings, UserInterface& ui)
    : m_settings(settings), m_ui(ui) {
    setWindowTitle(kTitle);
    onEscape(this);
    auto* about = new QLabel(
        QStringLiteral(
            "Aquí se preparan, a partir del fichero que se presenta a la Agencia, los certificados de "
            "retenciones de los perceptores (Mod190.txt) o las cartas a los proveedores con sus importes "
            "(Mod347.txt). Se escriben en la carpeta de datos: un PDF con todos y una carpeta con el de cada "
            "uno, para enviarlo por correo. Los nombres van como los escribe la contabilidad."),
        this);
    about->setWordWrap(true);
    m_file = new QComboBox(this);
    m_file->setMinimumContentsLength(40);
    auto* browse = new QPushButton(QStringLiteral("Examinar..."), this);
    m_make = new QPushButton(QStringLiteral("Preparar los documentos"), this);
    auto* agencyErrors = new QPushButton(QStringLiteral("Leer los errores de la Agencia..."), this);
    agencyErrors->setObjectName(QStringLiteral("agencyErrors"));
    agencyErrors->setToolTip(QStringLiteral(
        "Tras presentar la declaración, la Agencia ofrece «descargar los mensajes de error». Ábralo aquí: "
        "dice de cada registro rechazado quién es, qué le falta y qué hacer. Corregidos los datos en la "
        "contabilidad, preséntelos en una declaración complementaria con «Sólo los registros que rechazó "
        "la Agencia»."));
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    m_signer = new QLineEdit(this);
    m_signer->setObjectName(QStringLiteral("Firma"));
    m_signer->setPlaceholderText(QStringLiteral("María José Muñoz Peña, Secretaria"));
    m_place = new QLineEdit(this);
    m_place->setObjectName(QStringLiteral("Lugar"));
    m_place->setPlaceholderText(QStringLiteral("Córdoba"));
    auto* signing = new QFormLayout;
    signing->addRow(QStringLiteral("&Firma (nombre, cargo):"), m_signer);
    signing->addRow(QStringLiteral("&Lugar de la firma:"), m_place);
    const DataFolderSettings remembered(m_settings.DbPath);
    m_signer->setText(remembered.value(kSignerKey));
    m_place->setText(remembered.value(kPlaceKey));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(agencyErrors);
    buttons->addStretch();
    buttons->addWidget(m_make);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(new QLabel(QStringLiteral("Fichero de la declaración:"), this));
    layout->addLayout(fileRow);
    layout->addLayout(signing);
    layout->addStretch();
    layout->addLayout(buttons);

    listDataFolderDeclarations();
    m_make->setFocus();  // Enter prepares the documents at once

    connect(browse, &QPushButton::clicked, this, &DocumentsWindow::chooseFile);
    connect(m_make, &QPushButton::clicked, this, &DocumentsWindow::makeDocuments);
    connect(agencyErrors, &QPushButton::clicked, this, &DocumentsWindow::chooseAgencyErrors);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(600, 300);
    keepOnScreen(this);
}

// The data folder's declaration files, when the runs have written them.
void DocumentsWindow::listDataFolderDeclarations() {
    for (const char* name : {"Mod190.txt", "Mod347.txt"}) {
        const QString path = m_settings.outputFolder() + QLatin1Char('/') + QLatin1String(name);
        if (QFileInfo::exists(path))
            m_file->addItem(QDir::toNativeSeparators(path), path);
    }
    m_file->setPlaceholderText(
        QStringLiteral("No hay Mod190.txt ni Mod347.txt en la carpeta de datos: "
                       "búsquelo con Examinar..."));
    m_make->setEnabled(m_file->count() > 0);
}

QString DocumentsWindow::declarationPath() const {
    return m_file->currentData().toString();
}

void DocumentsWindow::setDeclarationPath(const QString& path) {
    int index = m_file->findData(path);
    if (index < 0) {
        m_file->addItem(QDir::toNativeSeparators(path), path);
        index = m_file->count() - 1;
    }
    m_file->setCurrentIndex(index);
    m_make->setEnabled(true);
}

void DocumentsWindow::chooseFile() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Fichero de la declaración"),
                                                      m_settings.outputFolder(),
                                                      QStringLiteral("Declaraciones (*.txt);;Todos (*)"));
    if (!path.isEmpty())
        setDeclarationPath(path);
}

void DocumentsWindow::makeDocuments() {
    QString failure;
    std::optional<DeclarationDocuments> documents =
        DeclarationDocuments::fromFile(declarationPath(), failure);
    if (!documents) {
        m_ui.showMessage(failure, kTitle, MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    DataFolderSettings remembered(m_settings.DbPath);
    remembered.setValue(kSignerKey, m_signer->text().trimmed());
    remembered.setValue(kPlaceKey, m_place->text().trimmed());
    documents->setSigning(
        DocumentSigning::fromSigner(m_signer->text(), m_place->text(), Clock::now().date()));
    const QString names = takeNamesFromTheAccounts(*documents);
    if (!write(*documents, failure)) {
        m_ui.showMessage(failure, kTitle, MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    const QString written = QDir::toNativeSeparators(documents->pathIn(m_settings.outputFolder()));
    QString message =
        QStringLiteral("Se han escrito %1 %2 en\r\n%3.pdf\r\ny %4 de cada uno en la carpeta\r\n%3")
            .arg(documents->pageCount())
            .arg(documents->documentsName(), written, documents->documentsArticle());
    if (!names.isEmpty())
        message += QStringLiteral("\r\n\r\n") + names;
    const QString pdfName = documents->baseName() + QStringLiteral(".pdf");
    const QString previewTitle = documents->title();
    showPreview(previewTitle, std::make_unique<DeclarationDocuments>(std::move(*documents)), pdfName);
    m_ui.showMessage(message, kTitle, MessageIcon::Information, MessageButtons::Ok);
}

// The names as the data folder's accounts spell them; a line for the message when some, or all, keep the
// file's form.
QString DocumentsWindow::takeNamesFromTheAccounts(DeclarationDocuments& documents) const {
    try {
        const int fromTheFile = documents.takeNamesFrom(*openAccountingDatabase(m_settings.DbPath));
        return fromTheFile > 0 ? documents.namesFromTheFileLine(fromTheFile) : QString();
    } catch (const DbError& error) {
        return QStringLiteral(
                   "No se ha podido leer la contabilidad, y los nombres van como los lleva el fichero: ") +
               error.message();
    }
}

// A long run shows how far it has come, and can be cancelled; a cancelled one leaves the earlier
// documents as they were.
bool DocumentsWindow::write(const DeclarationDocuments& documents, QString& failure) {
    QProgressDialog progress(this);
    progress.setObjectName(QStringLiteral("progreso"));
    progress.setWindowTitle(kTitle);
    progress.setCancelButtonText(QStringLiteral("Cancelar"));
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumWidth(420);
    const bool written = documents.writeTo(
        m_settings.outputFolder(), failure, [&](DeclarationDocuments::Stage stage, int done, int total) {
            progress.setMaximum(total);
            progress.setLabelText(documents.progressText(stage, done, total));
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    progress.reset();
    return written;
}

void DocumentsWindow::chooseAgencyErrors() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Fichero de errores de la Agencia"), m_settings.outputFolder(),
        QStringLiteral("Ficheros de texto (*.txt);;Todos (*)"));
    if (!path.isEmpty())
        showAgencyErrors(path);
}

void DocumentsWindow::showAgencyErrors(const QString& path) {
    QString failure;
    const std::optional<AgencyErrorFile> errors = AgencyErrorFile::read(path, failure);
    if (!errors) {
        m_ui.showMessage(failure, kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    const AgencyErrorsListing listing(*errors, path);
    showPreview(listing.title, std::make_unique<ListingReport>(listing.title, listing.heading, listing.lines),
                QStringLiteral("ErroresAgencia.pdf"));
}

void DocumentsWindow::showPreview(const QString& title, std::unique_ptr<PagedReport> report,
                                  const QString& pdfName) {
    delete m_preview;
    m_preview = new ReportPreview(m_settings, m_ui, title, std::move(report), pdfName);
    m_preview->setAttribute(Qt::WA_DeleteOnClose);
    m_preview->show();
}
