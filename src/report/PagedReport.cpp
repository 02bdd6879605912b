#include "PagedReport.h"

#include "base/SafeFileName.h"
#include "declaration/TextNormalization.h"

QString PagedReport::fileTitle() const {
    return safeFileName(withoutAccents(title()), QLatin1Char('-'));
}

bool PagedReport::print(QPagedPaintDevice& device) const {
    return ReportPainting::printPages(device, pageCount(),
                                      [this](QPainter& painter, int page) { paintPage(painter, page); });
}

void PagedReport::exportPdf(const QString& path, const ReportPainting::PageProgress& progress) const {
    ReplacingFile file(path);
    const std::optional<QByteArray> bytes = pdf(progress);
    if (!bytes)
        file.giveUp(QStringLiteral("no se han dibujado todas sus páginas"));
    file.write(*bytes);
    file.commit();
}

std::optional<QByteArray> PagedReport::pdf(const ReportPainting::PageProgress& progress) const {
    return ReportPainting::pdf(
        pageLayout(), title(), pageCount(), [this](QPainter& painter, int page) { paintPage(painter, page); },
        progress);
}
