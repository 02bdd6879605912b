#include "ListingReport.h"

#include "db/Clock.h"
#include "report/ReportPainting.h"

#include <QPainter>

namespace {

using ReportPainting::kFooterTop;
using ReportPainting::kMargin;
using ReportPainting::kPrintableHeight;
using ReportPainting::kPrintableWidth;
constexpr int kHeaderHeight = 1300;
constexpr int kLineHeight = 250;
constexpr int kTextSize = 8;
static_assert(kHeaderHeight + ListingReport::kLinesPerPage * kLineHeight <= kFooterTop,
              "the lines of a full page end above its footer");

}  // namespace

ListingReport::ListingReport(QString title, QStringList heading, QStringList lines)
    : m_title(std::move(title)),
      m_heading(std::move(heading)),
      m_lines(std::move(lines)),
      m_printed(Clock::now().toString(QStringLiteral("dd/MM/yyyy HH:mm"))) {}

QPageLayout ListingReport::pageLayout() const {
    return ReportPainting::portrait(QPageSize::A4, kMargin);
}

int ListingReport::pageCount() const {
    return std::max(1, static_cast<int>((m_lines.size() + kLinesPerPage - 1) / kLinesPerPage));
}

void ListingReport::paintPage(QPainter& painter, int pageIndex) const {
    painter.save();
    painter.setClipRect(QRect(0, 0, kPrintableWidth, kPrintableHeight));
    painter.setPen(Qt::black);
    ReportPainting::paintHeading(painter, kPrintableWidth, m_title, m_heading);
    painter.setPen(QPen(Qt::black, 15));
    painter.drawLine(0, kHeaderHeight - 80, kPrintableWidth, kHeaderHeight - 80);
    const QFont text = ReportPainting::font(kTextSize);
    const int first = pageIndex * kLinesPerPage;
    const int last = std::min(static_cast<int>(m_lines.size()), first + kLinesPerPage);
    for (int line = first; line < last; ++line)
        ReportPainting::drawFittedText(
            painter, QRect(0, kHeaderHeight + (line - first) * kLineHeight, kPrintableWidth, kLineHeight),
            m_lines[line], text);
    ReportPainting::paintFooter(painter, kPrintableWidth, kFooterTop, m_printed, pageIndex, pageCount());
    painter.restore();
}
