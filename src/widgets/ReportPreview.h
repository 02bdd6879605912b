#pragma once

#include "report/PagedReport.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class UserInterface;
struct StartupSettings;

/**
 * A report page by page, with printing and export to PDF: the window
 * "PROVEEDORES" of the report ErrorEnCIF, and the preview of the documents
 * made from a declaration file.
 */
class ReportPreview : public QWidget {
    Q_OBJECT

public:
    /**
     * Runs the start of the supplier review and makes the window on its rows.
     * When the review has no answer the user is told why and no window is made.
     */
    static ReportPreview* create(const StartupSettings& settings, UserInterface& ui);
    /** `pdfName` is the file that the export offers first, in the data folder. */
    ReportPreview(const StartupSettings& settings, UserInterface& ui, const QString& windowTitle,
                  std::unique_ptr<PagedReport> report, const QString& pdfName);

    int currentPage() const { return m_page; }
    const PagedReport& report() const { return *m_report; }
    void showPage(int index);
    void printReport();
    void exportReport();

private:
    const StartupSettings& m_settings;
    UserInterface& m_ui;
    std::unique_ptr<PagedReport> m_report;
    QString m_pdfName;
    int m_page = 0;
    QLabel* m_pageView;
    QLabel* m_pageNumber;
    QPushButton* m_previous;
    QPushButton* m_next;
};
