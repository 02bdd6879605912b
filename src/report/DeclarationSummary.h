#pragma once

#include "filecheck/DeclarationComparison.h"
#include "filecheck/DeclarationFileCheck.h"
#include "report/PagedReport.h"

#include <QFont>
#include <QFontMetrics>

/**
 * The printable summary of a checked declaration file, on A4: the model,
 * fiscal year and declarant, the number of records and the totals, a table
 * of the declared records with their amounts, the problems found, the
 * comparison with an earlier file when there is one, and on every page its
 * number and the date it was printed.
 */
class DeclarationSummary : public PagedReport {
public:
    /** Lines of the table (a declared record or a problem) on one page. */
    static constexpr int kLinesPerPage = 51;

    explicit DeclarationSummary(CheckedDeclaration checked);

    /** Adds the comparison with an earlier file, after the problems: its three lists as tables and the
     * totals. */
    void setComparison(const DeclarationComparison& comparison);

    QString title() const override;
    QPageLayout pageLayout() const override;
    int pageCount() const override;
    void paintPage(QPainter& painter, int pageIndex) const override;

private:
    // A line of the comparison: a title, a text, the column titles of a table, or a row of one.
    struct ComparisonLine {
        enum class Kind { Title, Text, Columns, Row };
        Kind kind;
        QString text;
        DeclaredRecord record;
        QStringList amounts;
    };

    int lineCount() const;
    int problemLines() const;
    void paintRecordCells(QPainter& painter, const DeclaredRecord& record, const QStringList& amounts,
                          int top) const;
    void paintComparisonLine(QPainter& painter, const ComparisonLine& line, int top) const;
    void paintHeader(QPainter& painter) const;
    void paintLine(QPainter& painter, int line, int top) const;

    CheckedDeclaration m_checked;
    QList<ComparisonLine> m_comparison;
    QString m_printed;
    QFont m_tableFont;
    QFontMetrics m_tableMetrics;
};
