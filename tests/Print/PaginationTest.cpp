// Pagination of the table report over many page sizes, resolutions and row
// counts: the count in every footer is the number of pages that came out,
// every row comes out once and in order, the foot row stays with the last
// row, no page takes less than it could, and the shading restarts under
// every head row.

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "tests/Print/PrintReportFixture.h"

namespace vk::test {
namespace {

// The smallest page height that holds the page header, head, one row, foot
// row and the footer at this resolution.
int SmallestPageHeight(const TPageGeometry& g) {
  return g.BodyTop() + g.HeadHeight + g.RowHeight + g.HeadHeight + g.HeaderHeight;
}

// Checks one printed report of rowCount goods rows; returns the pages.
int CheckReport(const PrinterLog& log, const TPageGeometry& g, int rowCount) {
  EXPECT_EQ(log.DocsBegun, 1);
  EXPECT_EQ(log.DocsEnded, 1);
  EXPECT_EQ(log.Aborts, 0);
  const int pages = static_cast<int>(log.Pages.size());
  std::vector<std::string> codes;
  int footPage = -1;
  for (int p = 0; p < pages; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1) + " of " + std::to_string(pages));
    PageRows page = ReadPage(log.Pages[static_cast<std::size_t>(p)], g);
    if (!page.Footer) {
      ADD_FAILURE() << "no footer";
      continue;
    }
    EXPECT_EQ(page.Footer->Text, "(page " + std::to_string(p + 1) + " of " + std::to_string(pages) + ")");
    EXPECT_EQ(page.Header.size(), 2u);
    if (page.Rows.empty() || TextsOf(page.Rows.front()) != kListCaptions) {
      ADD_FAILURE() << "no head row at the top";
      continue;
    }
    EXPECT_EQ(page.Rows.front().front()->Rect.Top, g.BodyTop());
    int dataRowsOnPage = 0;
    int y = g.BodyTop() + g.HeadHeight;
    for (std::size_t r = 1; r < page.Rows.size(); ++r) {
      const auto& row = page.Rows[r];
      EXPECT_EQ(row.front()->Rect.Top, y) << "rows leave no gap";
      bool isFoot = row.front()->Font.Bold;
      y += isFoot ? g.HeadHeight : g.RowHeight;
      EXPECT_LE(y, g.BodyBottom()) << "a row reaches into the footer";
      if (isFoot) {
        EXPECT_EQ(TextsOf(row), GoodsFoot(rowCount));
        EXPECT_EQ(r, page.Rows.size() - 1) << "the foot row ends the table";
        EXPECT_EQ(footPage, -1) << "a second foot row";
        footPage = p;
        continue;
      }
      codes.push_back(row.front()->Text);
      ++dataRowsOnPage;
    }
    if (rowCount > 0) {
      EXPECT_GT(dataRowsOnPage, 0) << "a page without rows";
    }
    // A page left before the end could not have taken the next row.
    if (p + 1 < pages) {
      int next = static_cast<int>(codes.size());
      bool nextIsLast = next == rowCount - 1;
      EXPECT_GT(y + g.RowHeight + (nextIsLast ? g.HeadHeight : 0), g.BodyBottom()) << "room left for row " << next;
    }
    // Shading: none on head and foot rows; data rows unshaded, shaded, ...
    const auto& fills = log.Pages[static_cast<std::size_t>(p)].Fills;
    std::size_t expectedFills = static_cast<std::size_t>(dataRowsOnPage / 2);
    EXPECT_EQ(fills.size(), expectedFills);
    for (std::size_t f = 0; f < fills.size() && f < expectedFills; ++f) {
      int rowTop = g.BodyTop() + g.HeadHeight + static_cast<int>(2 * f + 1) * g.RowHeight;
      EXPECT_EQ(fills[f].Rect, (TPrintRect{g.LeftMargin, rowTop, g.RightEdge, rowTop + g.RowHeight}));
      EXPECT_EQ(fills[f].Color, 0xF7F7F7u);
    }
  }
  EXPECT_EQ(footPage, pages - 1) << "the foot row is on the last page";
  std::vector<std::string> expected;
  for (int i = 0; i < rowCount; ++i) expected.push_back(GoodsRow(i).front());
  EXPECT_EQ(codes, expected) << "every row once, in order";
  return pages;
}

TEST_F(PrintReportTest, FooterCountIsThePagesPrintedAndEveryRowComesOutOnce) {
  for (int dpi : {96, 300, 600}) {
    MakeManager({PaperSpec{8 * dpi, 11 * dpi, dpi}});
    const TPageGeometry line = manager_->Geometry();
    const int smallest = SmallestPageHeight(line);
    // From the smallest page that holds a row up to a letter page: one or
    // two rows a page, then pages where the foot row often misses the room.
    for (int height : {smallest, smallest + line.RowHeight - 1, smallest + 3 * line.RowHeight + line.RowHeight / 2,
                       smallest + 17 * line.RowHeight, 11 * dpi}) {
      printers_->Current().Paper.Height = height;
      int lastPages = 1;
      for (int rows = 0; rows <= 300; ++rows) {
        SCOPED_TRACE("dpi " + std::to_string(dpi) + ", height " + std::to_string(height) + ", rows " +
                     std::to_string(rows));
        printers_->Current().Log = {};
        PrintGoods("Product rest in warehouse", rows);
        int pages = CheckReport(printers_->Current().Log, manager_->Geometry(), rows);
        EXPECT_EQ(manager_->PageCount(), pages);
        EXPECT_GE(pages, lastPages) << "one more row never takes fewer pages";
        lastPages = pages;
        if (HasFailure()) return;
      }
    }
  }
}

TEST_F(PrintReportTest, LastRowMovesWithTheFootRowWhenOnlyTheRowFits) {
  MakeManager({PaperSpec{2480, 3508, 300}});
  const TPageGeometry line = manager_->Geometry();
  // Room for the head and exactly ten rows: the eleventh is the last one
  // and would fit alone, but not with the foot row under it.
  printers_->Current().Paper.Height = line.BodyTop() + line.HeadHeight + 11 * line.RowHeight + line.HeaderHeight;
  PrintGoods("Product rest in warehouse", 11);
  const PrinterLog& log = printers_->Current().Log;
  ASSERT_EQ(log.Pages.size(), 2u);
  PageRows second = ReadPage(log.Pages[1], manager_->Geometry());
  ASSERT_EQ(second.Rows.size(), 3u) << "head, the last row, foot";
  EXPECT_EQ(second.Rows[1].front()->Text, GoodsRow(10).front());
  EXPECT_EQ(second.Footer->Text, "(page 2 of 2)");
  EXPECT_EQ(second.Rows[1].front()->Rect.Top, line.BodyTop() + line.HeadHeight);
  EXPECT_TRUE(log.Pages[1].Fills.empty());
}

TEST_F(PrintReportTest, ColumnsOfEveryReportFillTheTableWidthExactly) {
  for (int width : {600, 2479, 2480, 4961, 7016}) {
    MakeManager({PaperSpec{width, 3508, 300}});
    PrintGoods("Product rest in warehouse", 3);
    const TPageGeometry& g = manager_->Geometry();
    const auto& widths = manager_->ColumnWidths();
    EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), g.TableWidth()) << width;
    // Every cell of a row sits next to the one before, from margin to edge.
    PageRows page = ReadPage(printers_->Current().Log.Pages.front(), g);
    for (const auto& row : page.Rows) {
      ASSERT_EQ(row.size(), 7u);
      EXPECT_EQ(row.front()->Rect.Left, g.LeftMargin);
      for (std::size_t c = 1; c < row.size(); ++c) EXPECT_EQ(row[c]->Rect.Left, row[c - 1]->Rect.Right);
      EXPECT_EQ(row.back()->Rect.Right, g.RightEdge);
    }
  }
}

}  // namespace
}  // namespace vk::test
