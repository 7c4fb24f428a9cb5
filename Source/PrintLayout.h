#pragma once
// The arithmetic of a printed table report, apart from any printer: page
// geometry, column widths from weights, the page breaks and the page count
// known before the first page, and the texts of the page header and footer.
// All lengths are printer device units; every sum is overflow-checked.

#include <string>
#include <vector>

#include "Core/DateTime.h"

namespace vk {

// Where things go on every page.
struct TPageGeometry {
  int LeftMargin = 0;  // page width / 32
  int RightEdge = 0;   // page width - left margin / 2
  int PageHeight = 0;
  // Line heights of the page header and footer, of the head and foot rows,
  // and of the data rows.
  int HeaderHeight = 0;
  int HeadHeight = 0;
  int RowHeight = 0;

  // Top of the table under a page header.
  int BodyTop() const;
  // Top of the page footer: nothing of the table may reach below it.
  int BodyBottom() const;
  // Width the columns share.
  int TableWidth() const;

  bool operator==(const TPageGeometry&) const = default;
};

// Margins and height of a page of the given size; the line heights stay.
void SetPageSize(TPageGeometry& geometry, int pageWidth, int pageHeight);

// True when one page has room for the page header, the head row, one data
// row and the foot row side by side, and the columns have some width. Only
// then does every page take at least one row, so paginating ends.
bool PageHoldsOneRow(const TPageGeometry& geometry);

// Column widths from integer weights: whole rounds of the weights, then a
// part round from the first column, the column that overshoots giving the
// excess back; the widths add up to exactly available. Raises
// EAssertionFailed "Invalid column weights" for a negative weight or when no
// weight is positive (no rounds could ever fill the width).
std::vector<int> SpreadColumnWidths(const std::vector<int>& weights, int available);

// True when a data row at y must start a new page: it would reach into the
// footer, or, for the last row, the foot row under it would.
bool RowStartsNewPage(const TPageGeometry& geometry, int y, bool lastRow);

// Pages of a table of rowCount rows whose head row starts at y on the first
// page; equals the pages that placing the rows by RowStartsNewPage fills,
// foot row included. Requires PageHoldsOneRow (asserts it).
int CountPages(const TPageGeometry& geometry, int y, int rowCount);

// The page counter text: "%0:d" becomes the page, "%1:d" the page count.
std::string FormatPageCounter(const std::string& pattern, int page, int pageCount);

// The date and time of the page header: the long format of the current
// language without the seconds.
std::string HeaderDateTime(TDateTime now);

}  // namespace vk
