#pragma once

#include "base/ReplacingFile.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;

/**
 * A printable report of pages drawn in twips: what the report preview shows,
 * prints and exports, and what the command line writes as a PDF.
 */
class PagedReport {
public:
    virtual ~PagedReport() = default;

    /** The title of the PDF and of the print job. */
    virtual QString title() const = 0;
    /** The paper and its margins. */
    virtual QPageLayout pageLayout() const = 0;
    virtual int pageCount() const = 0;
    /** Draws a page on a painter whose unit is the twip, with the origin at the printable area's corner. */
    virtual void paintPage(QPainter& painter, int pageIndex) const = 0;

    /** Prints every page on a device laid out with pageLayout(). Returns false when the device fails. */
    bool print(QPagedPaintDevice& device) const;
    /** Writes the report as a PDF file, put in place whole; throws FileError when it cannot. */
    void exportPdf(const QString& path) const;
};
