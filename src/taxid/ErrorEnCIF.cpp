#include "ErrorEnCIF.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kTwipsPerPoint = 20;

// The size is given in twips, the painter's unit, so that the text keeps its
// size on every device whatever its resolution.
QFont reportFont(int pointSize, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pointSize * kTwipsPerPoint);
    font.setBold(bold);
    return font;
}

void drawText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font) {
    painter.setFont(font);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

ErrorEnCIF::ErrorEnCIF(QList<ReviewRow> rows)
    : m_rows(std::move(rows)), m_pages(ReportLayout::paginate(static_cast<int>(m_rows.size()))) {
    Q_INIT_RESOURCE(taxid);
}

QPageLayout ErrorEnCIF::pageLayout() {
    const double marginInches = ReportLayout::kMargin / 1440.0;
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(marginInches, marginInches, marginInches, marginInches), QPageLayout::Inch);
}

void ErrorEnCIF::paintPageHeader(QPainter& painter) const {
    using namespace ReportLayout;
    painter.drawImage(kImage1, QImage(QStringLiteral(":/taxid/images/informe.png")));
    drawText(painter, kLabel11, QStringLiteral("Proveedores con CIF/NIF aparentemente erróneo"),
             reportFont(kBaseFontSize, true));
    drawText(painter, kLabel12, QStringLiteral("CIF / NIF"), reportFont(kColumnTitleFontSize));
    drawText(painter, kLabel13, QStringLiteral("Nombre"), reportFont(kColumnTitleFontSize));
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
        drawText(painter, kField1.translated(0, top), row.nif, reportFont(kFieldFontSize));
        drawText(painter, kField2.translated(0, top), row.nombre, reportFont(kFieldFontSize));
    }
    painter.restore();
}

bool ErrorEnCIF::print(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / 1440.0;
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, page);
        painter.restore();
    }
    return painter.end();
}

bool ErrorEnCIF::exportPdf(const QString& path) const {
    QPdfWriter writer(path);
    writer.setResolution(1440);
    writer.setPageLayout(pageLayout());
    writer.setTitle(QStringLiteral("Proveedores con CIF/NIF aparentemente erróneo"));
    writer.setCreator(QStringLiteral("Datos de Ecorda para AEAT"));
    return print(writer);
}
