// A system without printers (the test's Wine reaches no CUPS server): the
// report is refused with the text before any job, and the printer command
// shows its box, in the language loaded.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Gui/Printers.h"
#include "Source/Print.h"
#include "Source/PrintWin32.h"
#include "Tools/Service/TextConst.h"
#include "tests/Gui/GuiTestSupport.h"
#include "tests/MessageBox/WindowCapture.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxForm.h"

namespace vk::test {
namespace {

using gui::Application;

constexpr UINT kInspect = WM_APP + 41;

class NoPrinterTest : public gui::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (!gui::Printer().Printers().empty()) GTEST_SKIP() << "this Wine prefix has printers";
    if (!FormMessageBox) Application.CreateForm<TFormMessageBox>();
    previousBox_ = SetProgramMessageBox(ShowMessageBox);
    CreateSystemPrintManager();
  }
  void TearDown() override {
    SetProgramMessageBox(previousBox_);
    FreePrintManager();
    UnloadTexts();
    GuiTest::TearDown();
  }

  TMessageBoxCall previousBox_;
};

TEST_F(NoPrinterTest, ReportIsRefusedAndThePrinterCommandShowsTheBox) {
  struct Case {
    void (*load)();
    const char* name;
  } cases[] = {{LoadEnglishTexts, "English"}, {LoadRussianTexts, "Russian"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.load();
    EXPECT_FALSE(PrintManager().PrintersExist());
    try {
      PrintManager().BeginReport(GetListReportText(3));
      ADD_FAILURE() << "not refused";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), ProgTexts.NoPrintersInstalled);
    }
    EXPECT_FALSE(PrintManager().Started());

    bool inspected = false;
    Application.OnMessage = [&](MSG& message, bool& handled) {
      if (message.hwnd != Application.Handle() || message.message != kInspect) return;
      handled = true;
      inspected = true;
      HWND box = FormMessageBox->Handle();
      ASSERT_TRUE(IsWindowVisible(box));
      EXPECT_EQ(gui::test::TextOf(box), platform::Utf8ToWide(ProgTexts.PrintCaption));
      EXPECT_EQ(FormMessageBox->LbQuery.Caption(), ProgTexts.NoPrintersInstalled);
      EXPECT_EQ(FormMessageBox->ImageIcon.Icon(), LoadIconW(nullptr, IDI_ASTERISK));
      EXPECT_EQ(gui::test::TextOf(FormMessageBox->Btn2.Handle()), L"OK");
      EXPECT_EQ(FormMessageBox->Btn2.Hint(), ProgTexts.ClosePrintMessageHint);
      EXPECT_TRUE(SaveWindowScreenshot(box, ArtifactPath(std::string("NoPrinters-") + c.name + ".bmp")));
      gui::test::PostKey(box, VK_RETURN);
    };
    PostMessageW(Application.Handle(), kInspect, 0, 0);
    RunPrinterSetup(nullptr);
    EXPECT_TRUE(inspected);
    EXPECT_FALSE(IsWindowVisible(FormMessageBox->Handle()));
  }
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::test
