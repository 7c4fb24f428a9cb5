// The exports and the import with the program's own host under Wine: the
// system's save and open dialogs typed into through the input queue, the
// program's message box asking about a bad line, and the files they leave on
// the disk. Screenshots of the dialog and the boxes go to artifacts/.

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "Core/Utf8.h"
#include "Gui/Application.h"
#include "Gui/Dialogs.h"
#include "Source/EximRepExport.h"
#include "Source/EximRepHostWin32.h"
#include "Source/EximRepImport.h"
#include "Tools/CfgFile/Options.h"
#include "tests/Gui/GuiTestSupport.h"
#include "tests/Gui/UserInput.h"
#include "tests/InOut/ExImFixture.h"
#include "tests/MessageBox/WindowCapture.h"
#include "tests/Platform/TempFolder.h"
#include "vkNames/MessageBoxForm.h"

namespace vk::testing {
namespace {

using gui::test::InputScript;
using gui::test::PressKey;
using gui::test::WaitFor;
using platform::test::TempFolder;

// Types the text as characters, whatever the keyboard layout.
void TypeText(const std::string& text) {
  for (char16_t unit : Utf8ToUtf16(text)) {
    INPUT press[2]{};
    for (INPUT& input : press) {
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = unit;
      input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    press[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
    Sleep(10);
  }
}

// The visible top-level window of the class with the caption, of any thread.
HWND FindShown(const wchar_t* className, const std::string& caption) {
  HWND window = FindWindowW(className, platform::Utf8ToWide(caption).c_str());
  return window && IsWindowVisible(window) ? window : nullptr;
}

// Waits for the window, keeps a screenshot of it, brings it to the front.
HWND AwaitAndCapture(const wchar_t* className, const std::string& caption, const std::string& screenshot) {
  HWND window = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (window = FindShown(className, caption)) != nullptr; }, 10000)) << caption;
  if (!window) return nullptr;
  Sleep(300);  // the dialog fills its lists after it shows
  SetForegroundWindow(window);
  EXPECT_TRUE(test::SaveWindowScreenshot(window, test::ArtifactPath(screenshot)));
  return window;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(platform::test::FromUtf8(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The real host, except that it records the programs instead of starting them.
class RecordingHost : public TExImHostWin32 {
 public:
  void StartProgram(const std::string& program, const std::string& file) override {
    started.emplace_back(program, file);
  }
  std::vector<std::pair<std::string, std::string>> started;
};

class ExImWin32Test : public gui::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    LoadEnglishTexts();
    if (!FormMessageBox) gui::Application.CreateForm<TFormMessageBox>();
    previousBox = SetProgramMessageBox(ShowMessageBox);
    CreateProgOptions(std::make_unique<TProgOptions>(temp.Path("vorkel.cfg"), "\\SOFTWARE\\VorkelTest\\ExIm"));
    store.SetProgramFolder(platform::test::ToUtf8(temp.Folder()) + "\\");
    store.Open(true, "Data");
  }
  void TearDown() override {
    store.Close();
    FreeProgOptions();
    SetProgramMessageBox(previousBox);
    GuiTest::TearDown();
  }

  TempFolder temp;
  FixedClock clock;
  TStore store{platform::DefaultFileSystem(), clock.Clock()};
  RecordingHost host;
  TMessageBoxCall previousBox;
};

TEST_F(ExImWin32Test, SaveDialogTakesATypedNameWithTheDefaultExtensionAndEscCancels) {
  const std::string dir = temp.Path("Export");
  ASSERT_TRUE(CreateDirectoryW(platform::Utf8ToWide(dir).c_str(), nullptr));
  std::string name = "2024-03-05";
  {
    InputScript script([] {
      if (!AwaitAndCapture(L"#32770", "Export rests on warehouse", "export-save-dialog.bmp")) return;
      PressKey('A', {VK_CONTROL});
      TypeText("остатки");
      PressKey(VK_RETURN);
    });
    EXPECT_TRUE(gui::PromptForFileName(name, GetCsvExportText(10), "csv", GetCsvExportText(11), dir, true));
  }
  EXPECT_EQ(name, dir + "\\остатки.csv");
  {
    InputScript script([] {
      if (AwaitAndCapture(L"#32770", "Export rests on warehouse", "export-save-dialog-cancel.bmp")) PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(gui::PromptForFileName(name, GetCsvExportText(10), "csv", GetCsvExportText(11), dir, true));
  }
  EXPECT_EQ(name, dir + "\\остатки.csv");
}

// Export through the dialog, then import that file through the open dialog
// with one bad line in it: the program's box asks, Continue goes on, and the
// summary closes the run.
TEST_F(ExImWin32Test, ExportAndImportThroughTheDialogsAndTheBoxes) {
  for (const Goods& g : MakeGoods(60)) store.AddGoods(g.Code, g.Name, g.Price, g.Quantity, g.Packs, "приход");
  TCsvExport csv(host, store);
  {
    InputScript script([] {
      if (!AwaitAndCapture(L"#32770", "Export rests on warehouse", "export-dialog.bmp")) return;
      PressKey('A', {VK_CONTROL});
      TypeText("goods");
      PressKey(VK_RETURN);
    });
    bool done = true;
    csv.Execute(done);
    EXPECT_FALSE(done);
  }
  const std::string exported = temp.Path("Export") + "\\goods.csv";
  std::string bytes = ReadFile(exported);
  ASSERT_FALSE(bytes.empty()) << exported;
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 61);

  // Into an empty program folder, from its Import folder, with a line added
  // that no convention reads.
  const std::string other = temp.Path("target");
  ASSERT_TRUE(CreateDirectoryW(platform::Utf8ToWide(other).c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(platform::Utf8ToWide(other + "\\Import").c_str(), nullptr));
  bytes += "42;" + std::string(150, 'w') + ";1,234;;1;1\r\n";
  std::ofstream(platform::test::FromUtf8(other + "\\Import\\again.csv"), std::ios::binary) << bytes;
  TStore target{platform::DefaultFileSystem(), clock.Clock()};
  target.SetProgramFolder(other + "\\");
  target.Open(true, "Data");
  {
    InputScript script([] {
      if (!AwaitAndCapture(L"#32770", "Import warehouse data", "import-open-dialog.bmp")) return;
      TypeText("again.csv");
      PressKey(VK_RETURN);
      HWND box = AwaitAndCapture(L"TFormMessageBox", "Import warehouse data", "import-bad-line.bmp");
      if (!box) return;
      PressKey(VK_RETURN);  // Continue
      WaitFor([&] { return !IsWindowVisible(box); });
      if (AwaitAndCapture(L"TFormMessageBox", "Import warehouse data", "import-summary.bmp")) PressKey(VK_RETURN);
    });
    TCsvImport import(host, target);
    bool done = false;
    import.Execute(done);
    EXPECT_TRUE(done);
  }
  EXPECT_EQ(GetGoodsCount(target), 60);
  EXPECT_EQ(Sorted(ReadGoods(target)), Sorted(ReadGoods(store)));
  target.Close();
}

}  // namespace
}  // namespace vk::testing
