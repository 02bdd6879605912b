#pragma once

#include "report/PagedReport.h"

#include <QStringList>

/**
 * A report of text lines on A4, with the heading and footer of the
 * declaration's summary: a title, two lines under it, then the lines, as many
 * pages as they take.
 */
class ListingReport : public PagedReport {
public:
    static constexpr int kLinesPerPage = 54;

    ListingReport(QString title, QStringList heading, QStringList lines);

    /** The title, the heading and the lines, as the command line prints them. */
    QStringList text() const { return QStringList{m_title} + m_heading + m_lines; }

    QString title() const override { return m_title; }
    QPageLayout pageLayout() const override;
    int pageCount() const override;
    void paintPage(QPainter& painter, int pageIndex) const override;

private:
    QString m_title;
    QStringList m_heading;
    QStringList m_lines;
    QString m_printed;
};
