#pragma once

#include <QLine>
#include <QList>
#include <QRect>

/**
 * The banded layout of the report ErrorEnCIF, in twips: a page header
 * repeated on every page, one detail band per row, and a page footer, on
 * A4 paper (210 by 297 mm) with margins of 720 (12.7 mm). Positions are
 * relative to the printable area; detail positions to their band.
 */
namespace ReportLayout {

inline constexpr int kPageWidth = 11906;
inline constexpr int kPageHeight = 16838;
inline constexpr int kMargin = 720;
inline constexpr int kPrintableWidth = kPageWidth - 2 * kMargin;
inline constexpr int kPrintableHeight = kPageHeight - 2 * kMargin;

inline constexpr int kPageHeaderHeight = 1812;
inline constexpr int kDetailHeight = 432;
inline constexpr int kPageFooterHeight = 360;

inline constexpr QRect kImage1(0, 0, 567, 1134);
inline constexpr QRect kLabel11(709, 283, 8645, 567);
inline constexpr QRect kCentre(709, 880, 6000, 283);
inline constexpr QRect kDate(6800, 880, 2554, 283);
inline constexpr QRect kLabel12(709, 1276, 1417, 283);
inline constexpr QRect kLabel13(2268, 1276, 6661, 283);
inline constexpr QLine kLine1(709, 1701, 9354, 1701);
inline constexpr QRect kField1(709, 0, 1417, 283);
inline constexpr QRect kField2(2268, 0, 6661, 283);

inline constexpr int kBaseFontSize = 10;
inline constexpr int kColumnTitleFontSize = 8;
inline constexpr int kFieldFontSize = 9;

/** How many detail bands fit between the page header and the page footer. */
inline constexpr int kRowsPerPage =
    (kPrintableHeight - kPageHeaderHeight - kPageFooterHeight) / kDetailHeight;

/** One page: the rows it prints, as positions into the record source. */
struct Page {
    int firstRow;
    int rowCount;
};

/** The pages of a report of `rows` records; a report without records still has its first page. */
QList<Page> paginate(int rows);

/** The top of the detail band of the n-th row of a page. */
constexpr int detailTop(int rowOnPage) {
    return kPageHeaderHeight + rowOnPage * kDetailHeight;
}

/** The top of the page footer. */
constexpr int pageFooterTop() {
    return kPrintableHeight - kPageFooterHeight;
}

}  // namespace ReportLayout
