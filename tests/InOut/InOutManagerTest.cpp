// The export, import and report framework over a real store in a temporary
// program folder: the commands it makes, the bracket around every run and
// where it leaves both tables, and the bridges to the store.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Source/InOut.h"
#include "Tools/Service/TextConst.h"
#include "tests/Platform/TempFolder.h"
#include "tests/Store/StoreFixture.h"
#include "vkNames/MessageBoxCall.h"

namespace vk {
namespace {

using platform::test::TempFolder;
using platform::test::ToUtf8;

// What a command object does when run: its own script, over the store.
using Script = std::function<void(bool& done)>;

// A command object whose caption and hint are rows 0 and 1 of its text table.
template <typename Base>
class Scripted : public Base {
 public:
  using TextTable = const std::string& (*)(std::uint8_t entry);
  explicit Scripted(TextTable texts) : texts_(texts) {}
  std::string GetCaption() override { return texts_(0); }
  std::string GetHint() override { return texts_(1); }
  void Execute(bool& done) override {
    if (script) script(done);
  }
  Script script;

 private:
  TextTable texts_;
};

class ScriptedExport : public Scripted<TExport> {
 public:
  using Scripted::Scripted;
  void FormatLine(const std::string& code, const std::string& name, const std::string& price, const std::string& date,
                  const std::string& quantity, const std::string& packs, const std::string& value) override {
    lines.push_back(code + "|" + name + "|" + price + "|" + date + "|" + quantity + "|" + packs + "|" + value);
  }
  std::vector<std::string> lines;
};

using ScriptedImport = Scripted<TImport>;

class ScriptedReport : public Scripted<TReport> {
 public:
  using Scripted::Scripted;
  void FormatLine(const std::string&, const std::string&, const std::string&, const std::string&, const std::string&,
                  const std::string&, const std::string&) override {}
};

struct ShownBox {
  std::string Text, Caption;
  int Flags;
  std::string Button, Hint;
  bool operator==(const ShownBox&) const = default;
};

// A file's bytes; the store must have closed it (it holds its files for itself).
std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << file.string();
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A program folder with a store of a few hundred products (Cyrillic names,
// one to three movements each), the main window's three menus and its action
// list, and the four standard kinds of command object.
class InOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadEnglishTexts();
    previousBox = SetProgramMessageBox([this](const std::string& text, const std::string& caption, int flags,
                                              const std::string& first, const std::string& firstHint,
                                              const std::string&, const std::string&) {
      boxes.push_back({text, caption, flags, first, firstHint});
      return 1;
    });
    store.SetProgramFolder(ToUtf8(temp.Folder()) + static_cast<char>(std::filesystem::path::preferred_separator));
    store.Open(true, "Data");
    statItem.SetCaption("Total...");
    line.SetCaption("-");
    reportMenu.Add(&line);
    reportMenu.Add(&statItem);
  }
  void TearDown() override {
    manager.reset();
    store.Close();
    SetProgramMessageBox(previousBox);
  }

  void Fill(int products) {
    static const char* const kNames[] = {"Молоко", "Хлеб", "Сыр", "Яблоки", "Гречка", "Чай", "Соль", "Мёд"};
    for (int i = 0; i < products; ++i) {
      const std::string code = std::to_string(1000 + i);
      store.AddGoods(code, std::string(kNames[i % 8]) + " " + std::to_string(i), std::to_string(1 + i % 17) + ".25",
                     std::to_string(10 + i % 5) + ".00", std::to_string(i % 4), "поставка " + code);
      if (i % 3 == 0) store.AddIncoming("2.50", "1", "приход");
      if (i % 5 == 0) store.AddOutgoing("1.00", "0", "расход");
    }
  }

  // The main window's manager; its begin and end fail when asked to.
  void MakeStandardManager() {
    manager = std::make_unique<TInOutManager>(
        actions, exportMenu, importMenu, reportMenu, std::vector<TInOut*>{&csv, &txt, &csvImport, &report},
        [this] {
          ++begins;
          busy = true;
          if (failBegin) throw Exception("Busy failed");
        },
        [this](bool done) {
          ends.push_back(done);
          busy = false;
          if (failEnd) throw Exception("End failed");
        },
        store);
  }

  // Puts the goods (sorted by name) and the moves on the given rows.
  void Select(int32_t goodsRow, int32_t movesRow) {
    store.Goods().SetIndex(&store.Goods().IndName);
    store.Goods().SetRecNo(goodsRow);
    store.Moves().SetRecNo(movesRow);
  }

  std::vector<std::string> Names(const gui::TMenuItem& menu) {
    std::vector<std::string> out;
    for (int i = 0; i < menu.Count(); ++i) out.push_back(menu.Items(i)->Name());
    return out;
  }

  TempFolder temp;
  testing::FixedClock clock;
  TStore store{platform::DefaultFileSystem(), clock.Clock()};
  gui::TActionList actions;
  gui::TMenuItem exportMenu, importMenu, reportMenu, line, statItem;
  ScriptedExport csv{GetCsvExportText}, txt{GetTxtExportText};
  ScriptedImport csvImport{GetCsvImportText};
  ScriptedReport report{GetListReportText};
  std::unique_ptr<TInOutManager> manager;
  TMessageBoxCall previousBox;
  std::vector<ShownBox> boxes;
  int begins = 0;
  std::vector<bool> ends;
  bool busy = false;
  bool failBegin = false, failEnd = false;
};

TEST_F(InOutTest, EachObjectBecomesANamedCommandInItsMenuReportsAfterTheDesignedItems) {
  MakeStandardManager();
  ASSERT_EQ(actions.Actions().size(), 4u);
  for (int i = 0; i < 4; ++i) {
    gui::TAction& a = manager->Action(i);
    EXPECT_EQ(a.Name() + a.Category() + std::to_string(a.Tag()),
              "ActInOut" + std::to_string(i) + "Report" + std::to_string(i));
    EXPECT_EQ(manager->Item(i).Action(), &a);
  }
  EXPECT_EQ(Names(exportMenu), (std::vector<std::string>{"MenuInOut0", "MenuInOut1"}));
  EXPECT_EQ(Names(importMenu), (std::vector<std::string>{"MenuInOut2"}));
  EXPECT_EQ(Names(reportMenu), (std::vector<std::string>{"", "", "MenuInOut3"}));
  EXPECT_EQ(manager->Item(3).Caption(), GetListReportText(0));
  EXPECT_TRUE(exportMenu.Enabled() && importMenu.Enabled());

  // A switch of language relabels the four commands and their items at once.
  LoadRussianTexts();
  manager->UpdateTexts();
  EXPECT_EQ(manager->Action(0).Caption(), CsvExportTexts[kLangRussian][0]);
  EXPECT_EQ(manager->Item(2).Caption(), CsvImportTexts[kLangRussian][0]);
  EXPECT_EQ(manager->Item(3).Hint(), ListReportTexts[kLangRussian][1]);
  EXPECT_NE(manager->Item(3).Caption(), ListReportTexts[kLangEnglish][0]);

  manager->DisableAll();
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(manager->Item(i).Enabled());
  EXPECT_FALSE(exportMenu.Enabled() || importMenu.Enabled());
  EXPECT_TRUE(reportMenu.Enabled());
  EXPECT_FALSE(actions.IsShortCut(gui::scNone));
  manager->EnableAll();
  EXPECT_TRUE(manager->Action(3).Enabled() && exportMenu.Enabled() && importMenu.Enabled());

  // Freed with the main window: the commands leave the list and the menus.
  manager.reset();
  EXPECT_TRUE(actions.Actions().empty());
  EXPECT_EQ(exportMenu.Count(), 0);
  EXPECT_EQ(reportMenu.Count(), 2);
  // A menu left without commands is not offered.
  manager = std::make_unique<TInOutManager>(actions, exportMenu, importMenu, reportMenu, std::vector<TInOut*>{&report},
                                            nullptr, nullptr, store);
  EXPECT_FALSE(exportMenu.Enabled() || importMenu.Enabled());
}

TEST_F(InOutTest, ExportWalksTheUsersSortAndLeavesBothGridsOnTheirRowsByNumber) {
  Fill(240);
  MakeStandardManager();
  Select(137, 55);
  const std::string selected = store.Goods().Code.GetAsString();
  csv.script = [&](bool& done) {
    ExportStoreRecords(csv, store);
    store.Moves().SetRecNo(3);  // an export may move the other table as well
    done = false;
  };
  ASSERT_TRUE(manager->Action(0).Execute());

  ASSERT_EQ(csv.lines.size(), 240u);
  // The walk follows the name order: the row-137 product is the 138th line.
  EXPECT_EQ(csv.lines[137].substr(0, selected.size() + 1), selected + "|");
  EXPECT_LT(csv.lines[0].substr(5), csv.lines[239].substr(5));
  EXPECT_EQ(store.Goods().RecNo(), 137);
  EXPECT_EQ(store.Moves().RecNo(), 55);
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(ends, (std::vector<bool>{false}));
  EXPECT_FALSE(busy);

  // A cancelled report moves nothing and ends the same way.
  ASSERT_TRUE(manager->Action(3).Execute());
  EXPECT_EQ(store.Goods().RecNo(), 137);
  EXPECT_EQ(ends, (std::vector<bool>{false, false}));
}

TEST_F(InOutTest, ImportReselectsTheProductByFileOffsetThoughNewRowsCameBeforeIt) {
  Fill(240);
  MakeStandardManager();
  Select(200, 120);
  const std::string code = store.Goods().Code.GetAsString();
  const std::string moveNote = store.Moves().Note.GetAsString();
  const int32_t moveId = store.Moves().ID.Value();
  csvImport.script = [&](bool& done) {
    SaveImportSafetyCopy(store);
    done = true;
    // Names that sort before every existing one.
    for (int i = 0; i < 25; ++i) {
      ASSERT_TRUE(AppendImportedGoods("9" + std::to_string(i), "Абрикосы " + std::to_string(i), "3.10", "7.00", "2",
                                      "импорт", store));
    }
  };
  ASSERT_TRUE(manager->Action(2).Execute());

  EXPECT_EQ(GetGoodsCount(store), 265);
  EXPECT_EQ(store.Goods().Code.GetAsString(), code);
  EXPECT_EQ(store.Goods().RecNo(), 225);
  EXPECT_EQ(store.Moves().ID.Value(), moveId);
  EXPECT_EQ(store.Moves().Note.GetAsString(), moveNote);
  EXPECT_EQ(ends, (std::vector<bool>{true}));
}

TEST_F(InOutTest, ImportIntoEmptyTablesEndsOnTheFirstRows) {
  MakeStandardManager();
  csvImport.script = [&](bool& done) {
    done = true;
    for (const char* name : {"Чай", "Сахар", "Вафли"}) {
      ASSERT_TRUE(AppendImportedGoods(name, name, "1.00", "1.00", "1", "", store));
    }
  };
  ASSERT_TRUE(manager->Action(2).Execute());
  EXPECT_EQ(store.Goods().RecordCount(), 3);
  EXPECT_EQ(store.Goods().RecNo(), 0);
  EXPECT_EQ(store.Moves().RecNo(), 0);
  EXPECT_EQ(ends, (std::vector<bool>{true}));
}  // namespace vk

// Whatever fails inside a run, the tables go back, the window leaves its
// busy mode exactly once, and the first failure is the one raised.
TEST_F(InOutTest, FailureInsideARunStillRestoresAndEndsTheBusyModeOnce) {
  Fill(120);
  MakeStandardManager();
  struct Case {
    const char* Name;
    int Command;
    std::function<void(TStore&, bool& done)> Run;
    bool FailBegin, FailEnd;
    const char* Raised;  // empty: nothing passes on
    bool Done;
  };
  const Case cases[] = {
      {"export fails half-way through its walk", 0,
       [](TStore& s, bool&) {
         for (s.Goods().First(); s.Goods().RecNo() < 40;) s.Goods().Next();
         throw Exception("Disk full");
       },
       false, false, "Disk full", false},
      {"import fails after it added a product", 2,
       [](TStore& s, bool& done) {
         done = true;
         AppendImportedGoods("77", "Абрикосы", "1.00", "1.00", "1", "", s);
         throw Exception("Append Error");
       },
       false, false, "Append Error", true},
      {"the window's begin fails", 0, [](TStore&, bool&) { FAIL() << "must not run"; }, true, false, "Busy failed",
       false},
      {"the window's end fails", 1, [](TStore&, bool&) {}, false, true, "End failed", false},
      {"a report's failure is shown instead", 3, [](TStore&, bool&) { throw Exception("Paper jam"); }, false, false, "",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ends.clear();
    boxes.clear();
    failBegin = c.FailBegin;
    failEnd = c.FailEnd;
    csv.script = txt.script = csvImport.script = report.script = [&](bool& done) { c.Run(store, done); };
    Select(90, 30);
    const std::string code = store.Goods().Code.GetAsString();
    if (*c.Raised) {
      try {
        manager->Action(c.Command).Execute();
        ADD_FAILURE() << "nothing raised";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), c.Raised);
      }
    } else {
      EXPECT_TRUE(manager->Action(c.Command).Execute());
      EXPECT_EQ(boxes, (std::vector<ShownBox>{{"Paper jam", "Print", 64, "OK", "Close the print messages window"}}));
    }
    EXPECT_EQ(ends, (std::vector<bool>{c.Done}));
    EXPECT_FALSE(busy);
    EXPECT_EQ(store.Goods().Code.GetAsString(), code);
    if (!c.Done) {
      EXPECT_EQ(store.Goods().RecNo(), 90);
    }
    if (!c.Done) {
      EXPECT_EQ(store.Moves().RecNo(), 30);
    }
  }
}

TEST_F(InOutTest, RecordRemovedDuringAnImportIsReportedAfterTheRunEnded) {
  Fill(30);
  MakeStandardManager();
  Select(12, 4);
  csvImport.script = [&](bool& done) {
    done = true;
    store.DeleteGoods();  // the remembered record is gone
  };
  EXPECT_THROW(manager->Action(2).Execute(), Exception);
  EXPECT_EQ(ends, (std::vector<bool>{true}));
  EXPECT_FALSE(busy);
}

TEST_F(InOutTest, MissingDefaultPrinterIsShownInTheCurrentLanguage) {
  Fill(10);
  MakeStandardManager();
  LoadRussianTexts();
  report.script = [](bool&) { throw Exception("THERE IS NO DEFAULT PRINTER currently selected"); };
  EXPECT_TRUE(manager->Action(3).Execute());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, ProgTexts.NoDefaultPrinter);
  EXPECT_NE(boxes[0].Text, "There is no default printer currently selected");
  EXPECT_EQ(boxes[0].Caption, ProgTexts.PrintCaption);
  EXPECT_EQ(boxes[0].Flags, 64);
  EXPECT_EQ(boxes[0].Hint, ProgTexts.ClosePrintMessageHint);
  EXPECT_EQ(ends, (std::vector<bool>{false}));

  // The same text from an export is not the report's to show.
  boxes.clear();
  csv.script = report.script;
  EXPECT_THROW(manager->Action(0).Execute(), Exception);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(InOutTest, TotalsThatDoNotFitAreReportedOnceAndLeaveEmptyTexts) {
  Fill(5);
  std::string count = "x", weight = "x", sum = "x", goods = "x";
  GetStoreTotals(count, weight, sum, goods, store);
  EXPECT_EQ(goods, "5");
  EXPECT_FALSE(sum.empty());
  EXPECT_TRUE(boxes.empty());

  // Two products worth 30 million each: more than the totals can hold.
  ASSERT_TRUE(AppendImportedGoods("B1", "Бриллианты", "300000.00", "100.00", "1", "", store));
  ASSERT_TRUE(AppendImportedGoods("B2", "Бриллианты", "300000.00", "100.00", "1", "", store));
  store.Goods().SetRecNo(3);
  GetStoreTotals(count, weight, sum, goods, store);
  EXPECT_EQ(count + weight + sum + goods, "");
  EXPECT_EQ(boxes,
            (std::vector<ShownBox>{{ProgTexts.TotalTooHigh, "Sum calculation", 16, "OK", "Close message window"}}));
  EXPECT_EQ(store.Goods().RecNo(), 3);
}

TEST_F(InOutTest, RefusedImportedProductWritesNothing) {
  Fill(20);
  store.Close();
  const std::string goodsBefore = Bytes(temp.Folder() / "Data" / "store.dat");
  const std::string movesBefore = Bytes(temp.Folder() / "Data" / "moves.dat");
  store.Open(false, "Data");
  // Price times quantity beyond what a product's value can hold.
  EXPECT_FALSE(AppendImportedGoods("X1", "Золото", "40000000.00", "2.00", "1", "", store));
  EXPECT_FALSE(AppendImportedGoods("X2", "Золото", "1.00", "1.00", "-5", "", store));
  EXPECT_EQ(GetGoodsCount(store), 20);
  store.Close();
  EXPECT_EQ(Bytes(temp.Folder() / "Data" / "store.dat"), goodsBefore);
  EXPECT_EQ(Bytes(temp.Folder() / "Data" / "moves.dat"), movesBefore);
}

TEST_F(InOutTest, SafetyCopyBeforeAnImportOnlyWhereTheUserKeepsOne) {
  Fill(15);
  const std::filesystem::path safety = temp.Folder() / "Hist" / "0000-00-00";
  SaveImportSafetyCopy(store);
  EXPECT_FALSE(std::filesystem::exists(safety));
  EXPECT_EQ(GetGoodsCount(store), 15);

  std::filesystem::create_directories(safety);
  store.Goods().SetRecNo(7);
  const std::string code = store.Goods().Code.GetAsString();
  SaveImportSafetyCopy(store);
  // The tables are open again, on the same product.
  EXPECT_EQ(store.Goods().Code.GetAsString(), code);
  store.Close();
  EXPECT_EQ(Bytes(safety / "store.dat"), Bytes(temp.Folder() / "Data" / "store.dat"));
  EXPECT_EQ(Bytes(safety / "moves.dat"), Bytes(temp.Folder() / "Data" / "moves.dat"));
}

}  // namespace
}  // namespace vk
