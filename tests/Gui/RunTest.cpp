// Terminate cannot be undone within a process, so every case runs in a child
// process of its own (a death test) and reports through its exit code.
#include "Gui/ExtCtrls.h"
#include "Gui/StdCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

constexpr int kPassed = 7;

TEST(RunTest, TerminateFromAHandlerEndsRun) {
  EXPECT_EXIT(
      {
        auto* main = Application.CreateForm<TestForm>("TMainFormStore");
        int handled = 0;
        main->OnPrivateMessage = [&](UINT message, WPARAM, LPARAM) {
          ++handled;
          if (message == WM_APP + 1) Application.Terminate();
          return true;
        };
        PostMessageW(main->Handle(), WM_APP + 1, 0, 0);
        PostMessageW(main->Handle(), WM_APP + 2, 0, 0);
        Application.Run();
        // The message queued before the end is still handled.
        bool ok = Application.Terminated() && handled == 2 && IsWindowVisible(main->Handle());
        std::exit(ok ? kPassed : 1);
      },
      testing::ExitedWithCode(kPassed), "");
}

TEST(RunTest, ClosingTheMainFormEndsRun) {
  EXPECT_EXIT(
      {
        auto* main = Application.CreateForm<TestForm>("TMainFormStore");
        auto* other = Application.CreateForm<TestForm>("TFormStat");
        int closes = 0;
        main->OnClose = [&](TCloseAction&) { ++closes; };
        PostMessageW(other->Handle(), WM_CLOSE, 0, 0);
        PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
        Application.Run();
        std::exit(Application.Terminated() && closes == 1 ? kPassed : 1);
      },
      testing::ExitedWithCode(kPassed), "");
}

TEST(RunTest, TerminateEndsAModalDialogWithMrCancelAndRunReturnsAtOnce) {
  EXPECT_EXIT(
      {
        Application.CreateForm<TestForm>("TMainFormStore");
        auto* dialog = Application.CreateForm<TestForm>("TFormPass");
        TButton ok(dialog);
        ok.SetDefault(true);
        ok.SetModalResult(mrOk);
        TTimer timer;
        timer.SetInterval(10);
        timer.OnTimer = [&] { Application.Terminate(); };
        int result = dialog->ShowModal();
        Application.Run();
        std::exit(result == mrCancel && Application.Terminated() ? kPassed : 1);
      },
      testing::ExitedWithCode(kPassed), "");
}

TEST(RunTest, RunWithoutAMainFormReturnsAtOnce) {
  EXPECT_EXIT(
      {
        Application.Run();
        std::exit(Application.Terminated() ? 1 : kPassed);
      },
      testing::ExitedWithCode(kPassed), "");
}

}  // namespace
}  // namespace vk::gui::test
