// The list report on recording printers: the rows in the goods grid's order
// with the dates cut to two year digits, the totals foot, an empty stock, a
// total too large for the foot, and a run through the command when no
// printer is installed.

#include <gtest/gtest.h>

#include "Core/DateTime.h"
#include "Source/EximRep.h"
#include "Source/EximRepReport.h"
#include "tests/InOut/ExImFixture.h"
#include "tests/Print/PrintReportFixture.h"

namespace vk::testing {
namespace {

using test::PageRows;
using test::RecordingPrinters;
using test::TextsOf;

class ListReportTest : public ExImTest {
 protected:
  void SetUp() override {
    ExImTest::SetUp();
    auto printers = std::make_unique<RecordingPrinters>();
    printers_ = printers.get();
    CreatePrintManager(std::make_unique<TPrintManager>(std::move(printers), test::FixedNow));
  }
  void TearDown() override {
    FreePrintManager();
    ExImTest::TearDown();
  }

  // The table rows of every page in order (head rows left out), and the
  // page headers' texts.
  std::vector<std::vector<std::string>> PrintedRows(std::vector<std::string>* headers = nullptr) {
    std::vector<std::vector<std::string>> rows;
    for (const test::PrintedPage& page : printers_->Current().Log.Pages) {
      const PageRows read = test::ReadPage(page, PrintManager().Geometry());
      if (headers) {
        for (const test::PrintedText* t : read.Header) headers->push_back(t->Text);
      }
      EXPECT_FALSE(read.Rows.empty());
      for (size_t i = 1; i < read.Rows.size(); ++i) rows.push_back(TextsOf(read.Rows[i]));
    }
    return rows;
  }

  std::vector<std::string> Foot(const std::string& names, const std::string& quantity, const std::string& packs,
                                const std::string& value) {
    return {"", GetListReportText(4) + names, "", "", quantity, packs, value};
  }

  RecordingPrinters* printers_ = nullptr;
};

TEST_F(ListReportTest, RowsFollowTheGridsSortWithShortDatesAndTheTotalsFoot) {
  Enter(store, MakeGoods(150));
  store.Goods().SetIndex(&store.Goods().IndCost);
  for (auto load : {LoadEnglishTexts, LoadRussianTexts}) {
    load();
    TListReport report(store);
    bool done = true;
    report.Execute(done);
    EXPECT_FALSE(done);
    std::vector<std::string> headers;
    const auto rows = PrintedRows(&headers);
    EXPECT_EQ(headers.front(), GetListReportText(3));
    EXPECT_GT(printers_->Current().Log.Pages.size(), 2u);
    ASSERT_EQ(rows.size(), 151u);
    size_t row = 0;
    TTableStore& g = store.Goods();
    for (g.First(); !g.Eof(); g.Next(), ++row) {
      // The short date of the language with two digits of the year.
      const std::string date = FormatDateTime(CurrentLanguage == kLangEnglish ? "mm/dd/yy" : "dd/mm/yy",
                                              g.LastDate.Value(), ProgFormatSettings);
      EXPECT_EQ(rows[row],
                (std::vector<std::string>{g.Code.GetAsString(), g.Name.GetAsString(), g.Cost.GetAsString(), date,
                                          g.Weight.GetAsString(), g.PCount.GetAsString(), g.Sum.GetAsString()}))
          << "row " << row;
    }
    std::string packs, quantity, value, names;
    store.GetTotals(packs, quantity, value, names);
    EXPECT_EQ(rows.back(), Foot("150", quantity, packs, value));
  }
  EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ListReportTest, EmptyStockPrintsTheHeadAndAFootOfZeros) {
  TListReport report(store);
  bool done = true;
  report.Execute(done);
  const auto rows = PrintedRows();
  ASSERT_EQ(printers_->Current().Log.Pages.size(), 1u);
  EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{Foot("0", "0.00", "0", "0.00")}));
  EXPECT_EQ(printers_->Current().Log.DocsEnded, 1);
}

TEST_F(ListReportTest, TotalTooLargeIsReportedAndTheFootKeepsOnlyItsLabel) {
  Enter(store, {{"1", "Станок", "30000000.00", "1.00", "1"}, {"2", "Пресс", "20000000.00", "1.00", "1"}});
  TListReport report(store);
  bool done = true;
  report.Execute(done);
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].Caption, ProgTexts.SumCalculationCaption);
  EXPECT_EQ(recorder.boxes[0].Flags, kMbIconError);
  const auto rows = PrintedRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows.back(), Foot("", "", "", ""));
}

TEST_F(ListReportTest, WithoutPrintersTheCommandShowsWhyAndTheGridsStay) {
  Enter(store, MakeGoods(40));
  store.Goods().SetIndex(&store.Goods().IndName);
  store.Goods().SetRecNo(17);
  printers_->RemoveAll();
  gui::TActionList actions;
  gui::TMenuItem exportMenu, importMenu, reportMenu;
  TListReport report(store);
  TInOutManager manager(actions, exportMenu, importMenu, reportMenu, {&report}, nullptr, nullptr, store);
  EXPECT_EQ(reportMenu.Count(), 1);
  ASSERT_TRUE(manager.Action(0).Execute());
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].Text, ProgTexts.NoPrintersInstalled);
  EXPECT_EQ(recorder.boxes[0].Caption, ProgTexts.PrintCaption);
  EXPECT_EQ(recorder.boxes[0].Flags, kMbIconInformation);
  EXPECT_EQ(store.Goods().RecNo(), 17);
}

}  // namespace
}  // namespace vk::testing

namespace vk::testing {
namespace {

// The program's four objects, made at start-up, become the commands of the
// export, import and report menus in their order.
TEST_F(ListReportTest, ProgramObjectsBecomeTheMenusCommandsInTheirOrder) {
  EXPECT_TRUE(EximRepObjects().empty());
  host.UseSeparators("|", "'");
  InitEximRep(host);
  EXPECT_EQ(TCsvStr::ListSeparator(), "|");
  const std::vector<TInOut*> objects = EximRepObjects();
  ASSERT_EQ(objects.size(), 4u);
  gui::TActionList actions;
  gui::TMenuItem exportMenu, importMenu, reportMenu;
  {
    TInOutManager manager(actions, exportMenu, importMenu, reportMenu, objects, nullptr, nullptr, store);
    std::vector<std::string> captions;
    for (int i = 0; i < manager.Count(); ++i) captions.push_back(manager.Action(i).Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"To .csv file", "To .txt file", "From .csv file", "Rests list"}));
    EXPECT_EQ(exportMenu.Count(), 2);
    EXPECT_EQ(importMenu.Count(), 1);
    EXPECT_EQ(reportMenu.Count(), 1);
  }
  FreeEximRep();
  EXPECT_TRUE(EximRepObjects().empty());
}

}  // namespace
}  // namespace vk::testing
