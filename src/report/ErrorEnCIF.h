#pragma once

#include "report/PagedReport.h"
#include "taxid/ReportLayout.h"
#include "taxid/SupplierReview.h"

/**
 * The printable report of the suppliers whose CIF/NIF looks wrong: its
 * records laid out on A4 pages by ReportLayout, under a heading with the
 * centre's name and the date of the report, and drawn with the report's own
 * fonts, which the font settings never touch.
 */
class ErrorEnCIF : public PagedReport {
public:
    ErrorEnCIF(QList<ReviewRow> rows, QString centre);

    QString title() const override;
    /** A4 paper, portrait, with the report's margins, in millimetres. */
    QPageLayout pageLayout() const override;
    int pageCount() const override { return static_cast<int>(m_pages.size()); }
    void paintPage(QPainter& painter, int pageIndex) const override;

private:
    void paintPageHeader(QPainter& painter) const;
    void paintPageFooter(QPainter& painter, int pageIndex) const;

    QList<ReviewRow> m_rows;
    QString m_centre;
    QString m_date;
    QList<ReportLayout::Page> m_pages;
};
