#include <windows.h>
// The theme functions need the window types first.
#include <uxtheme.h>

#include <functional>
#include <string>
#include <vector>

#include "Gui/ExtCtrls.h"
#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienter.h"
#include "WindowCapture.h"
#include "tests/Gui/GuiTestSupport.h"
#include "vkNames/MessageBoxForm.h"

namespace vk::test {
namespace {

using gui::Application;
using gui::test::PostKey;
using gui::test::TextOf;

// Posted to the application window: the hook runs the next inspection.
constexpr UINT kInspect = WM_APP + 40;

const std::wstring kBoxClass = L"TFormMessageBox";

class MessageBoxTest : public gui::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (!FormMessageBox) Application.CreateForm<TFormMessageBox>();
    Application.OnMessage = [this](MSG& message, bool& handled) {
      if (message.hwnd != Application.Handle() || message.message != kInspect) return;
      handled = true;
      if (inspections.empty()) return;
      auto next = std::move(inspections.front());
      inspections.erase(inspections.begin());
      next();
    };
  }

  // Runs the inspection once the box (or the next one) is showing.
  void WhenShowing(std::function<void()> inspection) {
    inspections.push_back(std::move(inspection));
    PostMessageW(Application.Handle(), kInspect, 0, 0);
  }

  // The box on top: a second box while there is one, else the program's box.
  // (Not the focus or the active window: Wine may set those a little later.)
  static HWND ShownBox() {
    HWND shown = nullptr;
    for (HWND box : VisibleThreadWindowsOfClass(kBoxClass)) {
      if (box != FormMessageBox->Handle() || !shown) shown = box;
    }
    return shown;
  }
  // The form hands the key to its active control, as it does a key typed on it.
  static void PressOnShownBox(WORD key) { PostKey(ShownBox(), key); }

  std::vector<std::function<void()>> inspections;
};

int ShowOkBox(const std::string& text, const std::string& caption, int flags) {
  return ShowMessageBox(text, caption, flags, "OK", "Close message window", "Cancel", "");
}

TEST_F(MessageBoxTest, EachKindShowsItsIconTextsAndButtons) {
  struct Case {
    int flags;
    LPCWSTR icon;
    bool twoButtons;
  } cases[] = {
      {16, IDI_HAND, false}, {33, IDI_QUESTION, true}, {48, IDI_EXCLAMATION, false}, {64, IDI_ASTERISK, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    std::string text = "Flags " + std::to_string(c.flags) + ": the warehouse files were saved to the folder";
    WhenShowing([&] {
      TFormMessageBox& box = *FormMessageBox;
      HWND window = ShownBox();
      ASSERT_EQ(window, box.Handle());
      EXPECT_EQ(TextOf(window), L"Caption " + std::to_wstring(c.flags));
      EXPECT_EQ(box.LbQuery.Caption(), text);
      EXPECT_EQ(box.ImageIcon.Icon(), LoadIconW(nullptr, c.icon));
      EXPECT_EQ(IsWindowVisible(box.Btn1.Handle()) != FALSE, c.twoButtons);
      EXPECT_TRUE(IsWindowVisible(box.Btn2.Handle()));
      if (c.twoButtons) {
        EXPECT_EQ(TextOf(box.Btn1.Handle()), L"Yes");
        EXPECT_EQ(box.Btn1.Hint(), "Remove the goods");
        EXPECT_EQ(TextOf(box.Btn2.Handle()), L"No");
        EXPECT_EQ(box.ActiveControl(), &box.Btn1);
      } else {
        EXPECT_EQ(TextOf(box.Btn2.Handle()), L"OK");
        EXPECT_EQ(box.Btn2.Hint(), "Close message window");
        EXPECT_EQ(box.ActiveControl(), &box.Btn2);
      }
      RECT client;
      GetClientRect(window, &client);
      EXPECT_EQ(client.right, 364);
      EXPECT_EQ(client.bottom, 142);
      EXPECT_TRUE(SaveWindowScreenshot(window, ArtifactPath("MessageBox-" + std::to_string(c.flags) + ".bmp")));
      PressOnShownBox(VK_RETURN);
    });
    std::string caption = "Caption " + std::to_string(c.flags);
    int result = c.twoButtons ? ShowMessageBox(text, caption, c.flags, "Yes", "Remove the goods", "No", "Keep")
                              : ShowOkBox(text, caption, c.flags);
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(IsWindowVisible(FormMessageBox->Handle()));
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(MessageBoxTest, UnthemedBoxShowsTheCaptionColourBand) {
  // Wine's light theme paints the caption (and so the band) white; without
  // the theme the band is the caption colours' gradient.
  SetThemeAppProperties(0);
  GlassGradienter().UpdateColors(&FormMessageBox->Image);
  COLORREF bandTop = 0;
  WhenShowing([&] {
    HWND window = ShownBox();
    EXPECT_TRUE(SaveWindowScreenshot(window, ArtifactPath("MessageBox-64-caption-colours.bmp")));
    gui::WindowDc dc(window);
    bandTop = GetPixel(dc.Dc(), 10, FormMessageBox->Image.Top());
    PressOnShownBox(VK_RETURN);
  });
  EXPECT_EQ(ShowOkBox("The warehouse files were saved.", "Saving", 64), 1);
  const TBandColors& colors = GlassGradienter().Colors();
  EXPECT_TRUE(bandTop == WithoutAlpha(colors.ActiveSecond) || bandTop == WithoutAlpha(colors.InactiveSecond))
      << std::hex << bandTop;
  EXPECT_NE(bandTop, RGB(255, 255, 255));
  SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
  GlassGradienter().UpdateColors(&FormMessageBox->Image);
}

TEST_F(MessageBoxTest, EnterEscAndTheCloseBoxGiveTheirResults) {
  enum class Way { Enter, Esc, CloseBox };
  struct Case {
    const char* name;
    int flags;
    Way way;
    int expected;
  } cases[] = {
      {"one button, Enter", 48, Way::Enter, 1},        {"one button, Esc", 48, Way::Esc, 1},
      {"one button, close box", 48, Way::CloseBox, 2}, {"two buttons, Enter", 33, Way::Enter, 1},
      {"two buttons, Esc", 33, Way::Esc, 2},           {"two buttons, close box", 33, Way::CloseBox, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WhenShowing([&] {
      HWND box = ShownBox();
      ASSERT_NE(box, nullptr);
      switch (c.way) {
        case Way::Enter: PressOnShownBox(VK_RETURN); break;
        case Way::Esc: PressOnShownBox(VK_ESCAPE); break;
        case Way::CloseBox: PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); break;
      }
    });
    EXPECT_EQ(ShowMessageBox("Remove the goods?", "Removal", c.flags, "Yes", "", "No", ""), c.expected);
  }
}

TEST_F(MessageBoxTest, ExceptionInAButtonHandlerIsShownInTheBoxAndTheLoopGoesOn) {
  std::vector<std::string> shown;
  Application.OnException = [&](const std::exception& e) {
    auto* own = dynamic_cast<const Exception*>(&e);
    std::string text = e.what() + std::string("\r\n") + (own ? own->ClassName() : "exception");
    shown.push_back(text);
    ShowOkBox(text, "Vorkel - Execution error", 16);
  };
  auto dialog = gui::MakeForm<gui::test::TestForm>("TFormStat");
  gui::TButton boom(dialog.get());
  boom.OnClick = [] { throw ERangeError(); };
  gui::TButton ok(dialog.get());
  ok.SetTop(40);
  ok.SetModalResult(gui::mrOk);
  std::string boxText;
  bool loopWentOn = false;
  WhenShowing([&] {
    // A real press: the button's notification reaches its parent.
    PostMessageW(boom.Handle(), BM_CLICK, 0, 0);
    WhenShowing([&] {
      boxText = FormMessageBox->LbQuery.Caption();
      EXPECT_EQ(ShownBox(), FormMessageBox->Handle());
      EXPECT_FALSE(IsWindowEnabled(dialog->Handle()));
      PressOnShownBox(VK_RETURN);
      WhenShowing([&] {
        loopWentOn = true;
        EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
        ok.Click();
      });
    });
  });
  EXPECT_EQ(dialog->ShowModal(), gui::mrOk);
  EXPECT_EQ(shown, (std::vector<std::string>{"Range check error\r\nERangeError"}));
  EXPECT_EQ(boxText, "Range check error\r\nERangeError");
  EXPECT_TRUE(loopWentOn);
}

TEST_F(MessageBoxTest, BoxAskedForWhileTheBoxShowsOpensASecondBox) {
  // A timer's error while a question is open: the handler shows it in a box
  // of its own, and the question keeps its text and gets its own answer.
  TFormMessageBox* single = FormMessageBox;
  gui::TTimer timer;
  timer.SetEnabled(false);
  timer.SetInterval(10);
  timer.OnTimer = [&] {
    timer.SetEnabled(false);
    throw Exception("Timer failed");
  };
  int errorResult = 0;
  size_t boxesWhileError = 0;
  HWND errorBox = nullptr;
  std::wstring errorCaption;
  std::string questionWhileError;
  Application.OnException = [&](const std::exception& e) {
    WhenShowing([&] {
      boxesWhileError = VisibleThreadWindowsOfClass(kBoxClass).size();
      errorBox = ShownBox();
      errorCaption = TextOf(errorBox);
      questionWhileError = FormMessageBox->LbQuery.Caption();
      PressOnShownBox(VK_RETURN);
    });
    errorResult = ShowOkBox(e.what(), "Vorkel - Execution error", 16);
    WhenShowing([&] {
      EXPECT_EQ(VisibleThreadWindowsOfClass(kBoxClass), std::vector<HWND>{FormMessageBox->Handle()});
      PressOnShownBox(VK_ESCAPE);
    });
  };
  WhenShowing([&] { timer.SetEnabled(true); });
  int questionResult = ShowMessageBox("Remove the goods?", "Removal", 33, "Yes", "", "No", "");

  EXPECT_EQ(boxesWhileError, 2u);
  EXPECT_NE(errorBox, single->Handle());
  EXPECT_EQ(errorCaption, L"Vorkel - Execution error");
  EXPECT_EQ(questionWhileError, "Remove the goods?");
  EXPECT_EQ(errorResult, 1);
  EXPECT_EQ(questionResult, 2);
  EXPECT_EQ(FormMessageBox, single);
  EXPECT_FALSE(IsWindow(errorBox));
  EXPECT_TRUE(inspections.empty());
}

TEST_F(MessageBoxTest, WrapPathLinesMeasuresWithTheBoxFont) {
  std::string path = "C:\\Documents and Settings\\Shop keeper\\Local Settings\\Application Data\\Vorkel\\Backup";
  std::string wrapped = WrapPathLines(path);
  EXPECT_NE(wrapped.find("\r\n"), std::string::npos);
  gui::WindowDc screen(nullptr);
  gui::TCanvas canvas(screen.Dc());
  canvas.Font = FormMessageBox->Font();
  std::string joined;
  size_t start = 0;
  for (;;) {
    size_t end = wrapped.find("\r\n", start);
    std::string line = wrapped.substr(start, end == std::string::npos ? std::string::npos : end - start);
    EXPECT_LT(canvas.TextWidth(line), 284) << line;
    joined += line;
    if (end == std::string::npos) break;
    start = end + 2;
  }
  EXPECT_EQ(joined, path);
}

}  // namespace
}  // namespace vk::test
