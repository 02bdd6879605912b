#pragma once

#include <QFont>
#include <QPageLayout>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPainter;

/**
 * What the printable reports share: their fonts and texts drawn on a painter
 * whose unit is the twip, and the printing of their pages on paper or PDF.
 */
namespace ReportPainting {

/** The reports' A4 page in twips: the margin, the printable area within it, and the top of the footer. */
constexpr int kMargin = 720;
constexpr int kPrintableWidth = 11906 - 2 * kMargin;
constexpr int kPrintableHeight = 16838 - 2 * kMargin;
constexpr int kFooterTop = kPrintableHeight - 300;

/** A face at `pointSize` given in twips, so that it keeps its size on every device. */
QFont font(int pointSize, bool bold = false);

/** One line of text at the top of `rect`. */
void drawText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
              Qt::Alignment alignment = Qt::AlignLeft);
/** The same, cut with an ellipsis where it would leave `rect`. */
void drawFittedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    Qt::Alignment alignment = Qt::AlignLeft);

/** A text wrapped at word boundaries to the width of `rect`, from its top; returns the height it took. */
int drawWrappedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font);

/** Draws a page on a painter in twips, with the origin at the printable area's corner. */
using PagePainter = std::function<void(QPainter& painter, int page)>;

/** Told after each page: how many are printed; false stops the printing. */
using PageProgress = std::function<bool(int pages)>;

/**
 * Prints `pageCount` pages on a device laid out for the report. Returns false
 * when the device fails or `progress` stops it.
 */
bool printPages(QPagedPaintDevice& device, int pageCount, const PagePainter& paintPage,
                const PageProgress& progress = {});

/** The pages as a PDF; nothing when they cannot be drawn or `progress` stops it. */
std::optional<QByteArray> pdf(const QPageLayout& layout, const QString& title, int pageCount,
                              const PagePainter& paintPage, const PageProgress& progress = {});

/** The heading of a report page: its title in bold, then up to two lines of text, within `width`. */
void paintHeading(QPainter& painter, int width, const QString& title, const QStringList& lines);

/** The footer of a report page at `top`: when it was printed, and «Página N de M». */
void paintFooter(QPainter& painter, int width, int top, const QString& printed, int pageIndex, int pageCount);

/** A portrait page of `size` with margins of `marginTwips` all round. */
QPageLayout portrait(QPageSize::PageSizeId size, int marginTwips);

}  // namespace ReportPainting
