#include "DocumentPage.h"

#include "base/NumberText.h"
#include "report/ReportPainting.h"

#include <QPainter>

namespace {

using ReportPainting::drawText;
using ReportPainting::drawWrappedText;
using ReportPainting::font;

constexpr int kTitleSize = 14;
constexpr int kHeadingSize = 11;
constexpr int kTextSize = 10;
constexpr int kLine = 300;
constexpr int kLabelWidth = 3600;
constexpr int kAmountWidth = 2600;
constexpr int kSignatureSpace = 1400;

}  // namespace

QString amountInEuros(qint64 cents) {
    return spanishAmount(cents) + QStringLiteral(" €");
}

DocumentPage::DocumentPage(QPainter& painter) : m_painter(painter) {
    m_painter.setPen(Qt::black);
}

void DocumentPage::title(const QString& text) {
    m_top += drawWrappedText(m_painter, QRect(0, m_top, kWidth, 2000), text, font(kTitleSize, true));
    m_top += kLine / 2;
}

void DocumentPage::heading(const QString& text) {
    m_top += kLine;
    drawText(m_painter, QRect(0, m_top, kWidth, kLine), text, font(kHeadingSize, true));
    m_top += kLine;
    m_painter.setPen(QPen(Qt::black, 15));
    m_painter.drawLine(0, m_top, kWidth, m_top);
    m_top += kLine / 3;
}

void DocumentPage::field(const QString& label, const QString& value) {
    drawText(m_painter, QRect(0, m_top, kLabelWidth, kLine), label, font(kTextSize));
    m_top += drawWrappedText(m_painter, QRect(kLabelWidth, m_top, kWidth - kLabelWidth, 2000), value,
                             font(kTextSize, true));
    m_top += kLine / 4;
}

void DocumentPage::paragraph(const QString& text) {
    m_top += drawWrappedText(m_painter, QRect(0, m_top, kWidth, 4000), text, font(kTextSize));
    m_top += kLine / 2;
}

void DocumentPage::amount(const QString& label, qint64 cents, bool bold) {
    drawText(m_painter, QRect(0, m_top, kWidth - kAmountWidth, kLine), label, font(kTextSize, bold));
    drawText(m_painter, QRect(kWidth - kAmountWidth, m_top, kAmountWidth, kLine), amountInEuros(cents),
             font(kTextSize, bold), Qt::AlignRight);
    m_top += kLine;
}

void DocumentPage::space(int twips) {
    m_top += twips;
}

void DocumentPage::placeAndDate(const DocumentSigning& signing) {
    m_top += kLine;
    const QString line =
        signing.place.isEmpty() || !signing.date.isValid()
            ? QStringLiteral("En ______________________________, a ____ de ____________________ de ________")
            : QStringLiteral("%1, %2").arg(signing.place, spanishDate(signing.date));
    drawText(m_painter, QRect(0, m_top, kWidth, kLine), line, font(kTextSize));
    m_top += kLine;
}

void DocumentPage::signature(const QString& label, const DocumentSigning& signing) {
    m_top += kLine;
    drawText(m_painter, QRect(0, m_top, kWidth, kLine), label, font(kTextSize));
    m_top += kSignatureSpace;
    m_painter.setPen(QPen(Qt::black, 10));
    m_painter.drawLine(0, m_top, kWidth / 2, m_top);
    m_top += kLine / 3;
    for (const QString& line : {signing.name, signing.post}) {
        if (line.isEmpty())
            continue;
        drawText(m_painter, QRect(0, m_top, kWidth / 2, kLine), line, font(kTextSize));
        m_top += kLine;
    }
}

DocumentSigning DocumentSigning::fromSigner(const QString& signer, const QString& place, const QDate& date) {
    const qsizetype comma = signer.lastIndexOf(QLatin1Char(','));
    DocumentSigning signing;
    signing.name = (comma < 0 ? signer : signer.left(comma)).trimmed();
    signing.post = comma < 0 ? QString() : signer.mid(comma + 1).trimmed();
    signing.place = place.trimmed();
    signing.date = date;
    return signing;
}

QString spanishDate(const QDate& date) {
    static const char* const kMonths[] = {"enero",      "febrero", "marzo",     "abril",
                                          "mayo",       "junio",   "julio",     "agosto",
                                          "septiembre", "octubre", "noviembre", "diciembre"};
    return QStringLiteral("%1 de %2 de %3")
        .arg(date.day())
        .arg(QString::fromLatin1(kMonths[date.month() - 1]))
        .arg(date.year());
}
