#include "ReportPreview.h"

#include "base/UserInterface.h"
#include "db/DbError.h"
#include "report/ErrorEnCIF.h"
#include "shell/StartupSettings.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/ScreenFit.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QString kReportTitle = QStringLiteral("PROVEEDORES");

constexpr double kTwipsPerPoint = 20;

// A page as the paper shows it, margins included, at the screen's resolution.
QImage pageImage(const PagedReport& report, int page, double dotsPerInch) {
    const double scale = dotsPerInch / 1440.0;
    const QPageLayout layout = report.pageLayout();
    const QSizeF paper = layout.fullRectPoints().size() * kTwipsPerPoint * scale;
    const QMarginsF margins = layout.marginsPoints() * kTwipsPerPoint;
    QImage image(paper.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.translate(margins.left(), margins.top());
    report.paintPage(painter, page);
    return image;
}

}  // namespace

ReportPreview* ReportPreview::create(const StartupSettings& settings, UserInterface& ui) {
    try {
        const QList<ReviewRow> rows = reviewSuppliers(settings.DbPath);
        return new ReportPreview(settings, ui, kReportTitle,
                                 std::make_unique<ErrorEnCIF>(rows, centreName(settings.DbPath)),
                                 QStringLiteral("Proveedores.pdf"));
    } catch (const DbError& error) {
        ui.showMessage(reviewFailureMessage(error), kReportTitle, MessageIcon::Critical, MessageButtons::Ok);
        return nullptr;
    }
}

ReportPreview::ReportPreview(const StartupSettings& settings, UserInterface& ui, const QString& windowTitle,
                             std::unique_ptr<PagedReport> report, const QString& pdfName)
    : m_settings(settings), m_ui(ui), m_report(std::move(report)), m_pdfName(pdfName) {
    setWindowTitle(windowTitle);
    onEscape(this);
    auto* first = new QPushButton(QStringLiteral("|<"), this);
    m_previous = new QPushButton(QStringLiteral("< Anterior"), this);
    m_pageNumber = new QLabel(this);
    m_next = new QPushButton(QStringLiteral("Siguiente >"), this);
    auto* last = new QPushButton(QStringLiteral(">|"), this);
    auto* print = new QPushButton(QStringLiteral("Imprimir..."), this);
    auto* pdf = new QPushButton(QStringLiteral("Exportar a PDF..."), this);
    first->setToolTip(QStringLiteral("Primera página"));
    last->setToolTip(QStringLiteral("Última página"));

    auto* toolbar = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{first, m_previous, m_pageNumber, m_next, last})
        toolbar->addWidget(control);
    toolbar->addStretch();
    toolbar->addWidget(print);
    toolbar->addWidget(pdf);

    m_pageView = new QLabel(this);
    m_pageView->setAlignment(Qt::AlignCenter);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_pageView);
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolbar);
    layout->addWidget(scroll);

    connect(first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(last, &QPushButton::clicked, this, [this] { showPage(m_report->pageCount() - 1); });
    connect(print, &QPushButton::clicked, this, &ReportPreview::printReport);
    connect(pdf, &QPushButton::clicked, this, &ReportPreview::exportReport);
    resize(900, 760);
    keepOnScreen(this);
    showPage(0);
}

void ReportPreview::showPage(int index) {
    m_page = std::clamp(index, 0, m_report->pageCount() - 1);
    m_pageView->setPixmap(QPixmap::fromImage(pageImage(*m_report, m_page, logicalDpiX())));
    m_pageNumber->setText(QStringLiteral("Página %1 de %2").arg(m_page + 1).arg(m_report->pageCount()));
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < m_report->pageCount());
}

void ReportPreview::printReport() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_report->pageLayout());
    printer.setDocName(m_report->fileTitle());  // the print dialog offers it as the name of a PDF
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!m_report->print(printer))
        m_ui.showMessage(QStringLiteral("No se ha podido imprimir el informe."), windowTitle(),
                         MessageIcon::Critical, MessageButtons::Ok);
}

void ReportPreview::exportReport() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportar a PDF"), m_settings.outputFolder() + QLatin1Char('/') + m_pdfName,
        QStringLiteral("Documentos PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    try {
        m_report->exportPdf(path);
    } catch (const FileError& error) {
        m_ui.showMessage(error.message(), windowTitle(), MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    m_ui.showMessage(QStringLiteral("Se ha guardado el PDF en\r\n") + QDir::toNativeSeparators(path),
                     windowTitle(), MessageIcon::Information, MessageButtons::Ok);
}
