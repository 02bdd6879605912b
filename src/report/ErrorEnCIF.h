#pragma once

#include "taxid/ReportLayout.h"
#include "taxid/SupplierReview.h"

#include <QPageLayout>

class QPagedPaintDevice;
class QPainter;

/**
 * The printable report of the suppliers whose CIF/NIF looks wrong: its
 * records laid out on pages by ReportLayout and drawn with the report's own
 * fonts, which the font settings never touch.
 */
class ErrorEnCIF {
public:
    explicit ErrorEnCIF(QList<ReviewRow> rows);

    int pageCount() const { return static_cast<int>(m_pages.size()); }

    /** Draws a page on a painter whose unit is the twip, with the origin at the printable area's corner. */
    void paintPage(QPainter& painter, int pageIndex) const;

    /** Prints every page on a device laid out with pageLayout(). Returns false when the device fails. */
    bool print(QPagedPaintDevice& device) const;

    /** Writes the report as a PDF file. Returns false when it cannot be written. */
    bool exportPdf(const QString& path) const;

    /** Letter paper, portrait, with the report's margins. */
    static QPageLayout pageLayout();

private:
    void paintPageHeader(QPainter& painter) const;

    QList<ReviewRow> m_rows;
    QList<ReportLayout::Page> m_pages;
};
