// The exports' runs: the save dialog and the file name, which program is
// started, the header's language, an empty stock, a file that cannot be
// written, and the grids left where they were.

#include <gtest/gtest.h>

#include <algorithm>

#include "Platform/fake/FaultyFileSystem.h"
#include "Source/EximRepExport.h"
#include "tests/InOut/ExImFixture.h"

namespace vk::testing {
namespace {

class ExportTest : public ExImTest {
 protected:
  void Run(TExport& exporter) {
    bool done = true;
    exporter.Execute(done);
    EXPECT_FALSE(done);
  }
};

TEST_F(ExportTest, SaveDialogProposesTodayInTheExportFolderAndTheExtensionIsEnforced) {
  Enter(store, MakeGoods(5));
  TCsvExport csv(host, store, fs);
  TTxtExport txt(host, store, fs);
  struct Case {
    TExport* Exporter;
    std::string Typed, Written;
  };
  const Case cases[] = {
      {&csv, "", "/vorkel/Export/2024-03-05.csv"},  {&csv, "/out/list.CSV", "/out/list.CSV"},
      {&csv, "/out/list.txt", "/out/list.txt.csv"}, {&csv, "/out.d/list", "/out.d/list.csv"},
      {&txt, "/out/list.TXT", "/out/list.TXT"},     {&txt, "/out/list.csv", "/out/list.csv.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Typed);
    host.chosen = c.Typed;
    Run(*c.Exporter);
    EXPECT_TRUE(fs.FileExists(c.Written));
    const DialogCall& dialog = host.dialogs.back();
    EXPECT_EQ(dialog.ProposedName, "2024-03-05");
    EXPECT_EQ(dialog.InitialDir, "/vorkel/Export");
    EXPECT_EQ(dialog.Title, GetCsvExportText(11));
    EXPECT_TRUE(dialog.Save);
    EXPECT_EQ(host.started.back().second, c.Written);
  }
  EXPECT_EQ(host.dialogs[0].Filter, "Table file (*.csv)|*.csv");
  EXPECT_EQ(host.dialogs[0].DefaultExt, "csv");
  EXPECT_EQ(host.dialogs[4].Filter, "Text file (*.txt)|*.txt");
  EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ExportTest, CancelledDialogWritesAndStartsNothing) {
  host.confirm = false;
  TCsvExport csv(host, store, fs);
  TTxtExport txt(host, store, fs);
  Run(csv);
  Run(txt);
  EXPECT_EQ(host.dialogs.size(), 2u);
  EXPECT_TRUE(host.started.empty());
  for (const std::string& path : fs.FilePaths()) EXPECT_EQ(path.find("/vorkel/Export/"), std::string::npos) << path;
}

// The spreadsheet reads a CSV file in the system's code page: it is started
// only when the data are in that code page. The editor reads UTF-16 always.
TEST_F(ExportTest, SpreadsheetStartsOnlyWhereTheSystemReadsTheDataCodePage) {
  TCsvExport csv(host, store, fs);
  host.chosen = "/out/a.csv";
  Run(csv);
  host.ansiCodePage = 65001;
  Run(csv);
  store.SetDataCodePage(65001);
  Run(csv);
  EXPECT_EQ(host.started,
            (std::vector<std::pair<std::string, std::string>>{{"excel", "/out/a.csv"}, {"excel", "/out/a.csv"}}));
}

TEST_F(ExportTest, HeaderIsInTheStoredLanguageAndAnEmptyStockGivesItAlone) {
  LoadEnglishTexts();
  host.language = kLangUkrainian;
  host.chosen = "/out/empty.csv";
  TCsvExport csv(host, store, fs);
  Run(csv);
  EXPECT_EQ(FileText("/out/empty.csv"),
            TCsvStr::ToFileBytes("Код;Найменування;Ціна;Дата;К-ть;Упк;Вартість;", 1251) + "\r\n");
  // The text list is in the current language: titles and two rules.
  host.chosen = "/out/empty.txt";
  TTxtExport txt(host, store, fs);
  Run(txt);
  EXPECT_EQ(FileText("/out/empty.txt").size(), 2 + 3 * 112 * 2u);
}

TEST_F(ExportTest, FileThatCannotBeWrittenIsReportedWithItsPath) {
  Enter(store, MakeGoods(400));
  for (auto op : {platform::FaultyFileSystem::Op::Open, platform::FaultyFileSystem::Op::Write}) {
    for (int kind = 0; kind < 2; ++kind) {
      recorder.boxes.clear();
      host.started.clear();
      host.chosen = kind == 0 ? "/out/failed.csv" : "/out/failed.txt";
      platform::FaultyFileSystem faulty(fs);
      faulty.FailNth(op, 1);
      TCsvExport csv(host, store, faulty);
      TTxtExport txt(host, store, faulty);
      Run(kind == 0 ? static_cast<TExport&>(csv) : static_cast<TExport&>(txt));
      ASSERT_EQ(recorder.boxes.size(), 1u);
      EXPECT_EQ(recorder.boxes[0].Text, "Error while executing export\r\n" + host.chosen);
      EXPECT_EQ(recorder.boxes[0].Caption, GetCsvExportText(11));
      EXPECT_EQ(recorder.boxes[0].Flags, kMbIconWarning);
      EXPECT_EQ(recorder.boxes[0].FirstHint, GetCsvExportText(12));
      EXPECT_TRUE(host.started.empty());
    }
  }
  // A long path is shortened to the box's text area.
  host.chosen = "/a/very/long/folder/name/that/does/not/fit/into/the/box/failed.csv";
  platform::FaultyFileSystem faulty(fs);
  faulty.FailNth(platform::FaultyFileSystem::Op::Open, 1);
  recorder.boxes.clear();
  TCsvExport csv(host, store, faulty);
  Run(csv);
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].Text,
            "Error while executing export\r\n/a/very/long/folder/name/that/does/n.../failed.csv");
}

TEST_F(ExportTest, RunThroughTheCommandLeavesTheGridsOnTheirRows) {
  Enter(store, MakeGoods(250));
  store.Goods().SetIndex(&store.Goods().IndName);
  store.Goods().SetRecNo(173);
  store.Moves().SetRecNo(88);
  const std::string code = store.Goods().Code.GetAsString();
  gui::TActionList actions;
  gui::TMenuItem exportMenu, importMenu, reportMenu;
  TCsvExport csv(host, store, fs);
  TInOutManager manager(actions, exportMenu, importMenu, reportMenu, {&csv}, nullptr, nullptr, store);
  host.chosen = "/out/all.csv";
  ASSERT_TRUE(manager.Action(0).Execute());
  EXPECT_EQ(store.Goods().RecNo(), 173);
  EXPECT_EQ(store.Goods().Code.GetAsString(), code);
  EXPECT_EQ(store.Moves().RecNo(), 88);
  // One header and 250 lines, the 174th the selected product's.
  const std::string text = FileText("/out/all.csv");
  size_t line = 0, at = 0;
  for (; line < 174; ++line) at = text.find("\r\n", at) + 2;
  EXPECT_EQ(text.substr(at, code.size() + 3), "=\"" + code + "\"");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 251);
}

}  // namespace
}  // namespace vk::testing
