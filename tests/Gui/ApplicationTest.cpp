#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

using ApplicationTest = GuiTest;

TEST_F(ApplicationTest, WindowIsHiddenTopLevelOfClassTApplicationCaptionedWithTitle) {
  Application.SetTitle("Vorkel - C:\\Склад");
  HWND window = Application.Handle();
  EXPECT_EQ(ClassNameOf(window), L"TApplication");
  EXPECT_EQ(TextOf(window), L"Vorkel - C:\\\x0421\x043a\x043b\x0430\x0434");
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());

  Application.SetTitle("Vorkel - D:\\Shop");
  EXPECT_EQ(TextOf(window), L"Vorkel - D:\\Shop");
  // Another program finds it by class and caption.
  EXPECT_EQ(FindWindowW(L"TApplication", L"Vorkel - D:\\Shop"), window);
}

TEST_F(ApplicationTest, HookSeesEveryPostedMessageAndKeepsHandledOnesFromTheWindow) {
  auto form = MakeForm<TestForm>();
  std::vector<WPARAM> hooked, received;
  Application.OnMessage = [&](MSG& message, bool& handled) {
    if (message.message != WM_APP + 7) return;
    hooked.push_back(message.wParam);
    handled = message.wParam == 1;
  };
  form->OnPrivateMessage = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_APP + 7) received.push_back(wParam);
    return true;
  };
  PostMessageW(form->Handle(), WM_APP + 7, 1, 0);
  PostMessageW(form->Handle(), WM_APP + 7, 2, 0);
  Application.ProcessMessages();

  EXPECT_EQ(hooked, (std::vector<WPARAM>{1, 2}));
  EXPECT_EQ(received, (std::vector<WPARAM>{2}));
}

TEST_F(ApplicationTest, ExceptionInWindowProcedureReachesHandlerAndLoopGoesOn) {
  auto form = MakeForm<TestForm>();
  int handled = 0;
  form->OnPrivateMessage = [&](UINT message, WPARAM, LPARAM) -> bool {
    if (message == WM_APP + 1) throw ERangeError();
    if (message == WM_APP + 2) ++handled;
    return true;
  };
  // Sent: the procedure's barrier returns to SendMessageW, nothing unwinds here.
  EXPECT_EQ(SendMessageW(form->Handle(), WM_APP + 1, 0, 0), 0);
  PostMessageW(form->Handle(), WM_APP + 1, 0, 0);
  PostMessageW(form->Handle(), WM_APP + 2, 0, 0);
  Application.ProcessMessages();

  EXPECT_EQ(errors, (std::vector<std::string>{"ERangeError: Range check error", "ERangeError: Range check error"}));
  EXPECT_EQ(handled, 1);
}

TEST_F(ApplicationTest, ForeignExceptionIsReportedByItsText) {
  auto form = MakeForm<TestForm>();
  form->OnPrivateMessage = [](UINT, WPARAM, LPARAM) -> bool { throw std::runtime_error("disk gone"); };
  SendMessageW(form->Handle(), WM_APP + 1, 0, 0);
  EXPECT_EQ(errors, (std::vector<std::string>{"std::exception: disk gone"}));
}

TEST_F(ApplicationTest, CreateFormMakesTheWindowAndTheFirstFormTheMainForm) {
  ASSERT_EQ(Application.MainForm(), nullptr);
  auto* first = Application.CreateForm<TestForm>("TFormPass");
  auto* second = Application.CreateForm<TestForm>("TFormMessageBox");
  EXPECT_TRUE(first->HandleAllocated());
  EXPECT_TRUE(second->HandleAllocated());
  EXPECT_EQ(Application.MainForm(), first);

  // The first form goes; the next one made becomes the main form.
  Application.FreeForm(first);
  EXPECT_EQ(Application.MainForm(), nullptr);
  auto* third = Application.CreateForm<TestForm>("TMainFormStore");
  EXPECT_EQ(Application.MainForm(), third);
  Application.FreeForm(second);
  Application.FreeForm(third);
  EXPECT_EQ(Application.MainForm(), nullptr);
}

TEST_F(ApplicationTest, RestoreBringsBackTheMinimizedMainForm) {
  auto main = MakeForm<TestForm>("TMainFormStore");
  Application.SetMainForm(main.get());
  main->Show();
  ShowWindow(main->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(main->Handle()));
  Application.Restore();
  EXPECT_FALSE(IsIconic(main->Handle()));
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  Application.SetMainForm(nullptr);
}

}  // namespace
}  // namespace vk::gui::test
