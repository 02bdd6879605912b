#include "ErrorEnCIF.h"

#include "report/ReportPainting.h"

#include <QImage>
#include <QPainter>

namespace {
using ReportPainting::drawText;
using ReportPainting::font;
}  // namespace

ErrorEnCIF::ErrorEnCIF(QList<ReviewRow> rows)
    : m_rows(std::move(rows)), m_pages(ReportLayout::paginate(static_cast<int>(m_rows.size()))) {
    Q_INIT_RESOURCE(report);
}

QPageLayout ErrorEnCIF::pageLayout() {
    return ReportPainting::portrait(QPageSize::Letter, ReportLayout::kMargin);
}

void ErrorEnCIF::paintPageHeader(QPainter& painter) const {
    using namespace ReportLayout;
    painter.drawImage(kImage1, QImage(QStringLiteral(":/report/images/informe.png")));
    drawText(painter, kLabel11, QStringLiteral("Proveedores con CIF/NIF aparentemente erróneo"),
             font(kBaseFontSize, true));
    drawText(painter, kLabel12, QStringLiteral("CIF / NIF"), font(kColumnTitleFontSize));
    drawText(painter, kLabel13, QStringLiteral("Nombre"), font(kColumnTitleFontSize));
    painter.setPen(QPen(Qt::black, 15));
    painter.drawLine(kLine1);
}

void ErrorEnCIF::paintPage(QPainter& painter, int pageIndex) const {
    using namespace ReportLayout;
    painter.save();
    painter.setClipRect(QRect(0, 0, kPrintableWidth, kPrintableHeight));
    paintPageHeader(painter);
    const Page& page = m_pages[pageIndex];
    painter.setPen(Qt::black);
    for (int n = 0; n < page.rowCount; ++n) {
        const ReviewRow& row = m_rows[page.firstRow + n];
        const int top = detailTop(n);
        drawText(painter, kField1.translated(0, top), row.nif, font(kFieldFontSize));
        drawText(painter, kField2.translated(0, top), row.nombre, font(kFieldFontSize));
    }
    painter.restore();
}

bool ErrorEnCIF::print(QPagedPaintDevice& device) const {
    return ReportPainting::printPages(device, pageCount(),
                                      [this](QPainter& painter, int page) { paintPage(painter, page); });
}

bool ErrorEnCIF::exportPdf(const QString& path) const {
    return ReportPainting::exportPdf(
        path, pageLayout(), QStringLiteral("Proveedores con CIF/NIF aparentemente erróneo"), pageCount(),
        [this](QPainter& painter, int page) { paintPage(painter, page); });
}
