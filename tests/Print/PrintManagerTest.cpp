// The print manager's jobs: refusals before anything reaches the printer,
// jobs that fail part-way, the printer a job goes to, wrong calling orders,
// and the page header.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Core/SysUtils.h"
#include "tests/Print/PrintReportFixture.h"

namespace vk::test {
namespace {

constexpr int kGoods = 200;  // several pages of A4

TEST_F(PrintReportTest, PageTooSmallForOneRowIsRefusedBeforeTheJobStarts) {
  MakeManager({PaperSpec{2480, 3508, 300}});
  const TPageGeometry line = manager_->Geometry();
  const int smallest = line.BodyTop() + 2 * line.HeadHeight + line.RowHeight + line.HeaderHeight;
  struct Case {
    int width, height;
    bool refused;
  } cases[] = {
      {2480, smallest - 1, true}, {2480, smallest, false}, {2480, 0, true}, {0, 3508, true}, {40, 3508, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    printers_->Current().Paper = {c.width, c.height, 300};
    printers_->Current().Log = {};
    if (!c.refused) {
      PrintGoods("Product rest in warehouse", 5);
      EXPECT_EQ(printers_->Current().Log.DocsEnded, 1);
      continue;
    }
    try {
      manager_->BeginReport("Product rest in warehouse");
      ADD_FAILURE() << "not refused";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), ProgTexts.PageTooSmall);
    }
    EXPECT_EQ(printers_->Current().Log.DocsBegun, 0) << "nothing may reach the printer";
    EXPECT_FALSE(manager_->Started());
  }
}

TEST_F(PrintReportTest, JobFailingPartWayIsAbortedAndTheNextStartsClean) {
  struct Case {
    const char* step;
    PrinterFaults faults;
  } cases[] = {
      {"first page", {.FailBeginDoc = 1}},
      {"third page", {.FailNewPage = 2}},
      {"end of job", {.FailEndDoc = 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    MakeManager({PaperSpec{2480, 3508, 300}});
    printers_->Current().Faults = c.faults;
    EXPECT_THROW(PrintGoods("Product rest in warehouse", kGoods), Exception);
    const PrinterLog& failed = printers_->Current().Log;
    EXPECT_EQ(failed.Aborts, 1);
    EXPECT_EQ(failed.DocsEnded, 0);
    EXPECT_FALSE(manager_->Started());
    // What the caller would do next in its loop is refused, not printed.
    EXPECT_THROW(manager_->AddRow(GoodsRow(0)), EAssertionFailed);
    EXPECT_EQ(failed.Aborts, 1);

    printers_->Current().Faults = {};
    printers_->Current().Log = {};
    PrintGoods("Second list", kGoods);
    const PrinterLog& next = printers_->Current().Log;
    EXPECT_EQ(next.Title, "Second list");
    EXPECT_EQ(next.DocsEnded, 1);
    ASSERT_GT(next.Pages.size(), 2u);
    PageRows first = ReadPage(next.Pages.front(), manager_->Geometry());
    ASSERT_NE(first.Footer, nullptr);
    EXPECT_EQ(first.Footer->Text, "(page 1 of " + std::to_string(next.Pages.size()) + ")");
    EXPECT_FALSE(next.Pages.front().Fills.empty());
    EXPECT_EQ(first.Rows.at(1).front()->Text, GoodsRow(0).front());
  }
}

TEST_F(PrintReportTest, ReportLeftOpenByItsCallerIsThrownAwayByTheNext) {
  MakeManager({PaperSpec{2480, 3508, 300}});
  manager_->BeginReport("Interrupted");
  manager_->AddTable(kListCaptions, GoodsFoot(kGoods), kGoods, kListAlignments, kListWeights);
  for (int i = 0; i < 120; ++i) manager_->AddRow(GoodsRow(i));
  // The caller's own walk failed here; the next report begins.
  PrintGoods("Product rest in warehouse", 3);
  const PrinterLog& log = printers_->Current().Log;
  EXPECT_EQ(log.Aborts, 1);
  EXPECT_EQ(log.DocsEnded, 1);
  ASSERT_EQ(log.Pages.size(), 1u);
  EXPECT_EQ(ReadPage(log.Pages[0], manager_->Geometry()).Footer->Text, "(page 1 of 1)");
}

TEST_F(PrintReportTest, LayoutIsMeasuredOnThePrinterTheJobGoesTo) {
  // Set up on an A4 printer at 300 dpi; the job goes to an A5 landscape one
  // at 600 dpi that was chosen without a new set-up.
  MakeManager({PaperSpec{2480, 3508, 300}, PaperSpec{4961, 3496, 600}});
  const TPageGeometry setUp = manager_->Geometry();
  printers_->Select(1);
  PrintGoods("Product rest in warehouse", kGoods);
  const TPageGeometry& g = manager_->Geometry();
  EXPECT_EQ(g.PageHeight, 3496);
  EXPECT_NEAR(g.RowHeight, 2 * setUp.RowHeight, 1) << "fonts scale with the resolution";
  const PrinterLog& log = printers_->At(1).Log;
  EXPECT_EQ(printers_->At(0).Log.DocsBegun, 0);
  ASSERT_EQ(log.DocsEnded, 1);
  for (const PrintedPage& page : log.Pages) {
    PageRows rows = ReadPage(page, g);
    ASSERT_NE(rows.Footer, nullptr);
    EXPECT_EQ(rows.Footer->Rect.Bottom, 3496);
    EXPECT_EQ(rows.Rows.front().back()->Rect.Right, 4961 - 4961 / 32 / 2);
  }
  EXPECT_EQ(ReadPage(log.Pages.front(), g).Footer->Text, "(page 1 of " + std::to_string(log.Pages.size()) + ")");
}

TEST_F(PrintReportTest, WithoutPrintersTheReportIsRefusedWithTheText) {
  MakeManager({});
  EXPECT_FALSE(manager_->PrintersExist());
  manager_->SetupPage();
  for (auto load : {LoadRussianTexts, LoadEnglishTexts}) {
    load();
    try {
      manager_->BeginReport("Product rest in warehouse");
      ADD_FAILURE() << "not refused";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), ProgTexts.NoPrintersInstalled);
    }
    EXPECT_FALSE(manager_->Started());
  }
}

TEST_F(PrintReportTest, WithoutDefaultPrinterTheReportIsRefusedWithThePrintersError) {
  MakeManager({PaperSpec{}});
  printers_->Select(-1);
  EXPECT_THROW(manager_->SetupPage(), Exception);
  try {
    manager_->BeginReport("Product rest in warehouse");
    ADD_FAILURE() << "not refused";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "There is no default printer currently selected");
  }
  EXPECT_FALSE(manager_->Started());
}

TEST_F(PrintReportTest, WrongCallsAreRefusedAndThrowTheJobAway) {
  using Step = std::function<void(TPrintManager&)>;
  auto table = [](int rows, std::vector<int> weights = kListWeights) {
    return [rows, weights](TPrintManager& m) {
      m.AddTable(kListCaptions, GoodsFoot(rows), rows, kListAlignments, weights);
    };
  };
  auto row = [](TPrintManager& m) { m.AddRow(GoodsRow(0)); };
  struct Case {
    const char* what;
    std::vector<Step> steps;  // after BeginReport; the last one is refused
    std::string message;
  } cases[] = {
      {"row before table", {row}, "Table not added"},
      {"second table", {table(1), table(1)}, "Table already added"},
      {"row of six texts",
       {table(1),
        [](TPrintManager& m) {
          m.AddRow({"1", "2", "3", "4", "5", "6"});
        }},
       "Invalid values count"},
      {"more rows than announced", {table(1), row, row}, "Invalid rows count"},
      {"fewer rows than announced", {table(2), row, [](TPrintManager& m) { m.EndReport(); }}, "Invalid rows count"},
      {"all weights zero", {table(1, {0, 0, 0, 0, 0, 0, 0})}, "Invalid column weights"},
      {"a negative weight", {table(1, {4, 16, 5, -5, 5, 3, 6})}, "Invalid column weights"},
      {"negative row count", {table(-1)}, "Invalid rows count"},
      {"fewer weights than captions", {table(1, {4, 16, 5})}, "Range check error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeManager({PaperSpec{}});
    manager_->BeginReport("Product rest in warehouse");
    for (std::size_t i = 0; i + 1 < c.steps.size(); ++i) c.steps[i](*manager_);
    try {
      c.steps.back()(*manager_);
      ADD_FAILURE() << "not refused";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message().rfind(c.message, 0), 0u) << e.Message();
    }
    EXPECT_EQ(printers_->Current().Log.Aborts, 1);
    EXPECT_EQ(printers_->Current().Log.DocsEnded, 0);
    EXPECT_FALSE(manager_->Started());
  }
}

TEST_F(PrintReportTest, HeaderCutsALongTitleAtTheMiddleAndShowsTheTimeWithoutSeconds) {
  MakeManager({PaperSpec{2480, 3508, 300}});
  const std::string longTitle =
      "Остатки товара на складе магазина «Гастроном» на Привокзальной площади, все отделы и подсобки";
  struct Case {
    std::string title;
    void (*load)();
    std::string date;
  } cases[] = {
      {"Product rest in warehouse", LoadEnglishTexts, " 03 May 2024, 14:35 "},
      {longTitle, LoadRussianTexts, " 03 мая 2024, 14:35 "},
  };
  for (const Case& c : cases) {
    c.load();
    printers_->Current().Log = {};
    PrintGoods(c.title, 0);
    const TPageGeometry& g = manager_->Geometry();
    PageRows page = ReadPage(printers_->Current().Log.Pages.at(0), g);
    ASSERT_EQ(page.Header.size(), 2u);
    const PrintedText& title = *page.Header[0];
    const PrintedText& date = *page.Header[1];
    EXPECT_EQ(title.Text, c.title);
    EXPECT_EQ(title.Rect.Left, g.LeftMargin);
    EXPECT_EQ(title.Rect.Top, 0);
    EXPECT_EQ(title.Rect.Bottom, g.HeaderHeight);
    EXPECT_LE(title.Rect.Right, g.RightEdge / 2);
    EXPECT_EQ(date.Text, c.date);
    EXPECT_GE(date.Rect.Left, g.RightEdge / 2);
    EXPECT_EQ(date.Rect.Right, g.RightEdge);
    EXPECT_EQ(date.Alignment, TPrintAlignment::Right);
  }
  // The long title takes the left half exactly, the short one its own width.
  const auto& g = manager_->Geometry();
  EXPECT_EQ(ReadPage(printers_->Current().Log.Pages.at(0), g).Header[0]->Rect.Right, g.RightEdge / 2);
}

}  // namespace
}  // namespace vk::test
