#pragma once

#include "base/ReplacingFile.h"
#include "report/ReportPainting.h"

#include <QPageLayout>
#include <QString>

#include <optional>

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

    /**
     * The title as the name of a file, which a print to PDF offers: without
     * accents, and without what a file name cannot hold on Linux or Windows.
     */
    QString fileTitle() const;

    /** Prints every page on a device laid out with pageLayout(). Returns false when the device fails. */
    bool print(QPagedPaintDevice& device) const;
    /**
     * Writes the report as a PDF file, put in place whole; throws FileError
     * when it cannot, or when `progress` stops it (the earlier file stays).
     */
    void exportPdf(const QString& path, const ReportPainting::PageProgress& progress = {}) const;
    /** The report as a PDF, with `progress` told after each page; nothing when it stops it or drawing fails.
     */
    std::optional<QByteArray> pdf(const ReportPainting::PageProgress& progress = {}) const;
};
