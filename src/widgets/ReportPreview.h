#pragma once

#include "report/ErrorEnCIF.h"

#include <QWidget>

class QLabel;
class QPushButton;
class UserInterface;
struct StartupSettings;

/**
 * The window "PROVEEDORES": the report ErrorEnCIF page by page, with printing
 * and export to PDF.
 */
class ReportPreview : public QWidget {
    Q_OBJECT

public:
    /**
     * Runs the start of the supplier review and makes the window on its rows.
     * When the review has no answer the user is told why and no window is made.
     */
    static ReportPreview* create(const StartupSettings& settings, UserInterface& ui);
    ReportPreview(const StartupSettings& settings, UserInterface& ui, ErrorEnCIF report);

    int currentPage() const { return m_page; }
    const ErrorEnCIF& report() const { return m_report; }
    void showPage(int index);
    void printReport();
    void exportReport();

private:
    const StartupSettings& m_settings;
    UserInterface& m_ui;
    ErrorEnCIF m_report;
    int m_page = 0;
    QLabel* m_pageView;
    QLabel* m_pageNumber;
    QPushButton* m_previous;
    QPushButton* m_next;
};
