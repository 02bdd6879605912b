#pragma once

#include "DeclarationFileCheck.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>

class QPainter;

/**
 * The printable summary of a checked declaration file, on A4: the model,
 * fiscal year and declarant, the number of records and the totals, a table
 * of the declared records with their amounts, the problems found, and on
 * every page its number and the date it was printed.
 */
class DeclarationSummary {
public:
    /** Lines of the table (a declared record or a problem) on one page. */
    static constexpr int kLinesPerPage = 51;

    explicit DeclarationSummary(CheckedDeclaration checked);

    int pageCount() const;
    /** Draws a page on a painter whose unit is the twip, with the origin at the printable area's corner. */
    void paintPage(QPainter& painter, int pageIndex) const;
    /** Writes the summary as a PDF file. Returns false when it cannot be written. */
    bool exportPdf(const QString& path) const;

    static QPageLayout pageLayout();

private:
    int lineCount() const;
    void paintHeader(QPainter& painter) const;
    void paintLine(QPainter& painter, int line, int top) const;
    void paintFooter(QPainter& painter, int pageIndex) const;

    CheckedDeclaration m_checked;
    QString m_printed;
    QFont m_tableFont;
    QFontMetrics m_tableMetrics;
};
