#include "ErrorEnCIF.h"

#include "db/Clock.h"
#include "report/ReportPainting.h"

#include <QImage>
#include <QPainter>

namespace {
using ReportPainting::drawText;
using ReportPainting::font;
}  // namespace

ErrorEnCIF::ErrorEnCIF(QList<ReviewRow> rows, QString centre)
    : m_rows(std::move(rows)),
      m_centre(std::move(centre)),
      m_date(Clock::now().toString(QStringLiteral("dd/MM/yyyy"))),
      m_pages(ReportLayout::paginate(static_cast<int>(m_rows.size()))) {
    Q_INIT_RESOURCE(report);
}

QString ErrorEnCIF::title() const {
    return QStringLiteral("Proveedores con CIF/NIF aparentemente erróneo");
}

QPageLayout ErrorEnCIF::pageLayout() const {
    return ReportPainting::portrait(QPageSize::A4, ReportLayout::kMargin);
}

void ErrorEnCIF::paintPageHeader(QPainter& painter) const {
    using namespace ReportLayout;
    painter.drawImage(kImage1, QImage(QStringLiteral(":/report/images/informe.png")));
    drawText(painter, kLabel11, title(), font(kBaseFontSize, true));
    ReportPainting::drawFittedText(painter, kCentre, m_centre, font(kFieldFontSize));
    drawText(painter, kDate, QStringLiteral("Fecha: %1").arg(m_date), font(kFieldFontSize), Qt::AlignRight);
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
    if (m_rows.isEmpty())
        drawText(painter, kField2.united(kField1).translated(0, detailTop(0)),
                 QStringLiteral("Todos los CIF/NIF de los proveedores son válidos."), font(kFieldFontSize));
    paintPageFooter(painter, pageIndex);
    painter.restore();
}

void ErrorEnCIF::paintPageFooter(QPainter& painter, int pageIndex) const {
    using namespace ReportLayout;
    drawText(painter, QRect(0, pageFooterTop(), kLine1.x2(), kPageFooterHeight),
             QStringLiteral("Página %1 de %2").arg(pageIndex + 1).arg(pageCount()), font(kFieldFontSize),
             Qt::AlignRight);
}
