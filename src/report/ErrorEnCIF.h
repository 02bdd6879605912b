#pragma once

#include "taxid/ReportLayout.h"
#include "taxid/SupplierReview.h"

#include <QPageLayout>

class QPagedPaintDevice;
class QPainter;

/**
 * The printable report of the suppliers whose CIF/NIF looks wrong: its
 * records laid out on A4 pages by ReportLayout, under a heading with the
 * centre's name and the date of the report, and drawn with the report's own
 * fonts, which the font settings never touch.
 */
class ErrorEnCIF {
public:
    ErrorEnCIF(QList<ReviewRow> rows, QString centre);

    int pageCount() const { return static_cast<int>(m_pages.size()); }

    /** Draws a page on a painter whose unit is the twip, with the origin at the printable area's corner. */
    void paintPage(QPainter& painter, int pageIndex) const;

    /** Prints every page on a device laid out with pageLayout(). Returns false when the device fails. */
    bool print(QPagedPaintDevice& device) const;

    /** Writes the report as a PDF file. Returns false when it cannot be written. */
    bool exportPdf(const QString& path) const;

    /** A4 paper, portrait, with the report's margins, in millimetres. */
    static QPageLayout pageLayout();

private:
    void paintPageHeader(QPainter& painter) const;
    void paintPageFooter(QPainter& painter, int pageIndex) const;

    QList<ReviewRow> m_rows;
    QString m_centre;
    QString m_date;
    QList<ReportLayout::Page> m_pages;
};
