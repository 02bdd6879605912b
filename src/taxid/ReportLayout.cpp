#include "ReportLayout.h"

QList<ReportLayout::Page> ReportLayout::paginate(int rows) {
    QList<Page> pages;
    int first = 0;
    do {
        const int count = std::min(kRowsPerPage, rows - first);
        pages.append({first, count});
        first += count;
    } while (first < rows);
    return pages;
}
