#include "ReportPainting.h"

#include "base/ApplicationTitle.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace ReportPainting {

namespace {
constexpr int kTwipsPerPoint = 20;
constexpr int kTwipsPerInch = 1440;
}  // namespace

QFont font(int pointSize, bool bold) {
    QFont face(QStringLiteral("Arial"));
    face.setPixelSize(pointSize * kTwipsPerPoint);
    face.setBold(bold);
    // Drawn at twenty times its size, for paper and PDF: hinting the outlines for the screen's pixels
    // would cost most of the time of a long run of documents and change nothing on paper.
    face.setHintingPreference(QFont::PreferNoHinting);
    return face;
}

void drawText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
              Qt::Alignment alignment) {
    painter.setFont(font);
    painter.drawText(rect, alignment | Qt::AlignTop | Qt::TextSingleLine, text);
}

void drawFittedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    Qt::Alignment alignment) {
    drawText(painter, rect, QFontMetrics(font).elidedText(text, Qt::ElideRight, rect.width()), font,
             alignment);
}

int drawWrappedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font) {
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    painter.setFont(font);
    QRect used;
    painter.drawText(rect, kFlags, text, &used);
    return used.height();
}

bool printPages(QPagedPaintDevice& device, int pageCount, const PagePainter& paintPage,
                const PageProgress& progress) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / static_cast<double>(kTwipsPerInch);
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, page);
        painter.restore();
        if (progress && !progress(page + 1))
            return false;
    }
    return painter.end();
}

std::optional<QByteArray> pdf(const QPageLayout& layout, const QString& title, int pageCount,
                              const PagePainter& paintPage, const PageProgress& progress) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kTwipsPerInch);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        writer.setCreator(kApplicationTitle);
        if (!printPages(writer, pageCount, paintPage, progress))
            return std::nullopt;
    }
    return bytes;
}

void paintHeading(QPainter& painter, int width, const QString& title, const QStringList& lines) {
    constexpr int kTitleSize = 12;
    constexpr int kTextSize = 9;
    drawFittedText(painter, QRect(0, 0, width, 320), title, font(kTitleSize, true));
    for (int i = 0; i < lines.size() && i < 2; ++i)
        drawFittedText(painter, QRect(0, 380 + 300 * i, width, 260), lines[i], font(kTextSize));
}

void paintFooter(QPainter& painter, int width, int top, const QString& printed, int pageIndex,
                 int pageCount) {
    constexpr int kFooterSize = 7;
    constexpr int kFooterHeight = 260;
    const QFont text = font(kFooterSize);
    drawFittedText(painter, QRect(0, top, width / 2, kFooterHeight),
                   QStringLiteral("Impreso el %1").arg(printed), text);
    drawFittedText(painter, QRect(width / 2, top, width / 2, kFooterHeight),
                   QStringLiteral("Página %1 de %2").arg(pageIndex + 1).arg(pageCount), text, Qt::AlignRight);
}

QPageLayout portrait(QPageSize::PageSizeId size, int marginTwips) {
    const double millimetres = marginTwips * 25.4 / kTwipsPerInch;
    return QPageLayout(QPageSize(size), QPageLayout::Portrait,
                       QMarginsF(millimetres, millimetres, millimetres, millimetres),
                       QPageLayout::Millimeter);
}

}  // namespace ReportPainting
