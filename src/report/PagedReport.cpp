#include "PagedReport.h"

#include "ReportPainting.h"

bool PagedReport::print(QPagedPaintDevice& device) const {
    return ReportPainting::printPages(device, pageCount(),
                                      [this](QPainter& painter, int page) { paintPage(painter, page); });
}

void PagedReport::exportPdf(const QString& path) const {
    ReportPainting::exportPdf(path, pageLayout(), title(), pageCount(),
                              [this](QPainter& painter, int page) { paintPage(painter, page); });
}
