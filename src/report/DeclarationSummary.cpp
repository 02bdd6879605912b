#include "DeclarationSummary.h"

#include "base/NumberText.h"
#include "db/Clock.h"
#include "report/ReportPainting.h"

#include <QPainter>

namespace {

using ReportPainting::drawFittedText;

using ReportPainting::kFooterTop;
using ReportPainting::kMargin;
using ReportPainting::kPrintableHeight;
using ReportPainting::kPrintableWidth;
constexpr int kHeaderHeight = 1700;
constexpr int kLineHeight = 260;
constexpr int kTableSize = 7;
static_assert(kHeaderHeight + DeclarationSummary::kLinesPerPage * kLineHeight <= kFooterTop,
              "the lines of a full page end above its footer");

// The columns of the table: NIF, name, province, key, then the amounts.
struct Column {
    int left;
    int width;
};
constexpr Column kNif{0, 1150};
constexpr Column kName{1200, 3000};
constexpr Column kProvince{4250, 450};
constexpr Column kKey{4700, 450};
constexpr int kAmountsLeft = 5200;

QStringList amountTitles(const QString& model) {
    if (model == QLatin1String("190"))
        return {QStringLiteral("Percepciones"), QStringLiteral("Retenciones")};
    return {QStringLiteral("Anual"), QStringLiteral("1T"), QStringLiteral("2T"),
            QStringLiteral("3T"),    QStringLiteral("4T"), QStringLiteral("Caja")};
}

QRect amountCell(int index, int count, int top) {
    const int width = (kPrintableWidth - kAmountsLeft) / count;
    return QRect(kAmountsLeft + index * width, top, width - 60, kLineHeight);
}

// The first `count` amounts of a record as Spaniards write them.
QStringList amountTexts(const QList<qint64>& amounts, qsizetype count) {
    QStringList texts;
    for (qsizetype i = 0; i < count && i < amounts.size(); ++i)
        texts.append(spanishAmount(amounts[i]));
    return texts;
}

QRect cell(const Column& column, int top) {
    return QRect(column.left, top, column.width, kLineHeight);
}

}  // namespace

DeclarationSummary::DeclarationSummary(CheckedDeclaration checked)
    : m_checked(std::move(checked)),
      m_printed(Clock::now().toString(QStringLiteral("dd/MM/yyyy HH:mm"))),
      m_tableFont(ReportPainting::font(kTableSize)),
      m_tableMetrics(m_tableFont) {}

void DeclarationSummary::setComparison(const DeclarationComparison& comparison) {
    using Kind = ComparisonLine::Kind;
    m_comparison.clear();
    m_comparison.append({Kind::Title, comparison.heading(), {}, {}});
    for (const QString& note : comparison.notes())
        m_comparison.append({Kind::Text, note, {}, {}});
    const auto list = [&](const QString& title, const QList<DeclaredRecord>& records) {
        m_comparison.append({Kind::Title, QStringLiteral("%1 (%2)").arg(title).arg(records.size()), {}, {}});
        m_comparison.append({Kind::Columns, {}, {}, comparison.amountNames});
        for (const DeclaredRecord& record : records)
            m_comparison.append(
                {Kind::Row, {}, record, amountTexts(record.amounts, comparison.amountNames.size())});
    };
    list(QStringLiteral("Nuevos"), comparison.added);
    list(QStringLiteral("Ya no figuran"), comparison.gone);
    m_comparison.append({Kind::Title,
                         QStringLiteral("Cambios de más del %1 % (%2)")
                             .arg(comparison.changePercentText())
                             .arg(comparison.changed.size()),
                         {},
                         {}});
    m_comparison.append({Kind::Columns,
                         {},
                         {},
                         {QStringLiteral("Importe"), QStringLiteral("Antes"), QStringLiteral("Ahora"),
                          QStringLiteral("Diferencia"), QStringLiteral("%")}});
    for (const AmountChange& change : comparison.changed)
        m_comparison.append({Kind::Row,
                             {},
                             change.record,
                             {change.amountName, spanishAmount(change.before), spanishAmount(change.after),
                              spanishAmount(change.difference()), change.percentText()}});
    m_comparison.append({Kind::Title, QStringLiteral("Totales"), {}, {}});
    for (const QString& line : comparison.totalLines())
        m_comparison.append({Kind::Text, line, {}, {}});
}

// The problems, or a line saying there are none.
int DeclarationSummary::problemLines() const {
    return std::max(1, static_cast<int>(m_checked.problems.size()));
}

// The declared records, a heading for the problems, the problems, then the comparison.
int DeclarationSummary::lineCount() const {
    return static_cast<int>(m_checked.declared.size()) + 1 + problemLines() +
           static_cast<int>(m_comparison.size());
}

int DeclarationSummary::pageCount() const {
    return (lineCount() + kLinesPerPage - 1) / kLinesPerPage;
}

QPageLayout DeclarationSummary::pageLayout() const {
    return ReportPainting::portrait(QPageSize::A4, kMargin);
}

void DeclarationSummary::paintHeader(QPainter& painter) const {
    QStringList totals;
    const QStringList titles =
        m_checked.model == QLatin1String("190")
            ? QStringList{QStringLiteral("percepciones"), QStringLiteral("retenciones")}
            : QStringList{QStringLiteral("importe total")};
    for (int i = 0; i < m_checked.totals.size() && i < titles.size(); ++i)
        totals.append(QStringLiteral("%1 %2 €").arg(titles[i], spanishAmount(m_checked.totals[i])));
    ReportPainting::paintHeading(
        painter, kPrintableWidth,
        QStringLiteral("Resumen de la declaración del modelo %1, ejercicio %2")
            .arg(m_checked.model, m_checked.fiscalYear),
        {QStringLiteral("Declarante: %1  %2").arg(m_checked.declarantNif, m_checked.declarantName),
         QStringLiteral("Registros: %1 (%2 declarados). Totales: %3. Errores: %4; avisos: %5.")
             .arg(m_checked.recordsRead)
             .arg(m_checked.declared.size())
             .arg(totals.join(QStringLiteral("; ")))
             .arg(m_checked.errorCount())
             .arg(m_checked.warningCount())});
    const QFont head = ReportPainting::font(kTableSize, true);
    const int top = kHeaderHeight - kLineHeight - 60;
    drawFittedText(painter, cell(kNif, top), QStringLiteral("NIF"), head);
    drawFittedText(painter, cell(kName, top), QStringLiteral("Nombre"), head);
    drawFittedText(painter, cell(kProvince, top), QStringLiteral("Prov."), head);
    drawFittedText(painter, cell(kKey, top), QStringLiteral("Clave"), head);
    const QStringList amounts = amountTitles(m_checked.model);
    for (int i = 0; i < amounts.size(); ++i)
        drawFittedText(painter, amountCell(i, static_cast<int>(amounts.size()), top), amounts[i], head,
                       Qt::AlignRight);
    painter.setPen(QPen(Qt::black, 15));
    painter.drawLine(0, kHeaderHeight - 40, kPrintableWidth, kHeaderHeight - 40);
}

void DeclarationSummary::paintLine(QPainter& painter, int line, int top) const {
    const QFont& text = m_tableFont;
    const int records = static_cast<int>(m_checked.declared.size());
    if (line < records) {
        // Only the name can be too long for its cell; the other values fit theirs. Drawn at a
        // point rather than in a box, which lays the text out once: a summary may have 50,000 rows.
        const DeclaredRecord& record = m_checked.declared[line];
        paintRecordCells(painter, record, amountTexts(record.amounts, record.amounts.size()), top);
        return;
    }
    const QRect whole(0, top, kPrintableWidth, kLineHeight);
    if (line == records) {
        drawFittedText(painter, whole.translated(0, 40), QStringLiteral("Problemas encontrados"),
                       ReportPainting::font(kTableSize, true));
        return;
    }
    const int problem = line - records - 1;
    if (problem >= problemLines()) {
        paintComparisonLine(painter, m_comparison[problem - problemLines()], top);
        return;
    }
    drawFittedText(
        painter, whole,
        m_checked.problems.isEmpty() ? QStringLiteral("Ninguno.") : m_checked.problems[problem].text(), text);
}

// Only the name can be too long for its cell; the other values fit theirs. Drawn at a point rather
// than in a box, which lays the text out once: a summary may have 50,000 rows.
void DeclarationSummary::paintRecordCells(QPainter& painter, const DeclaredRecord& record,
                                          const QStringList& amounts, int top) const {
    painter.setFont(m_tableFont);
    const int baseline = top + m_tableMetrics.ascent();
    painter.drawText(kNif.left, baseline, record.nif);
    painter.drawText(kName.left, baseline,
                     m_tableMetrics.elidedText(record.name, Qt::ElideRight, kName.width));
    painter.drawText(kProvince.left, baseline, record.province);
    painter.drawText(kKey.left, baseline, record.key);
    for (int i = 0; i < amounts.size(); ++i) {
        const QRect box = amountCell(i, static_cast<int>(amounts.size()), top);
        painter.drawText(box.right() - m_tableMetrics.horizontalAdvance(amounts[i]), baseline, amounts[i]);
    }
}

void DeclarationSummary::paintComparisonLine(QPainter& painter, const ComparisonLine& line, int top) const {
    const QRect whole(0, top, kPrintableWidth, kLineHeight);
    const QFont bold = ReportPainting::font(kTableSize, true);
    switch (line.kind) {
        case ComparisonLine::Kind::Title:
            drawFittedText(painter, whole.translated(0, 40), line.text, bold);
            break;
        case ComparisonLine::Kind::Text:
            drawFittedText(painter, whole, line.text, m_tableFont);
            break;
        case ComparisonLine::Kind::Columns:
            drawFittedText(painter, cell(kNif, top), QStringLiteral("NIF"), bold);
            drawFittedText(painter, cell(kName, top), QStringLiteral("Nombre"), bold);
            drawFittedText(painter, cell(kProvince, top), QStringLiteral("Prov."), bold);
            drawFittedText(painter, cell(kKey, top), QStringLiteral("Clave"), bold);
            for (int i = 0; i < line.amounts.size(); ++i)
                drawFittedText(painter, amountCell(i, static_cast<int>(line.amounts.size()), top),
                               line.amounts[i], bold, Qt::AlignRight);
            break;
        case ComparisonLine::Kind::Row:
            paintRecordCells(painter, line.record, line.amounts, top);
            break;
    }
}

void DeclarationSummary::paintPage(QPainter& painter, int pageIndex) const {
    painter.save();
    painter.setClipRect(QRect(0, 0, kPrintableWidth, kPrintableHeight));
    painter.setPen(Qt::black);
    paintHeader(painter);
    painter.setPen(Qt::black);
    const int first = pageIndex * kLinesPerPage;
    const int last = std::min(lineCount(), first + kLinesPerPage);
    for (int line = first; line < last; ++line)
        paintLine(painter, line, kHeaderHeight + (line - first) * kLineHeight);
    ReportPainting::paintFooter(painter, kPrintableWidth, kFooterTop, m_printed, pageIndex, pageCount());
    painter.restore();
}

QString DeclarationSummary::title() const {
    return QStringLiteral("Resumen de la declaración del modelo %1").arg(m_checked.model);
}
