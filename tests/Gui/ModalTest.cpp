#include "Gui/StdCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

using ModalTest = GuiTest;

// A dialog as the program's small dialogs are: OK (default, mrOk) and Cancel
// (cancel, mrCancel) in the bottom band.
class TwoButtonDialog : public TestForm {
 public:
  TwoButtonDialog() : TestForm("TFormDateChange") {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientSize(264, 164);
    BtnOK.SetBounds(96, 132, 75, 25);
    BtnOK.SetCaption("OK");
    BtnOK.SetDefault(true);
    BtnOK.SetModalResult(mrOk);
    BtnCancel.SetBounds(180, 132, 75, 25);
    BtnCancel.SetCaption("Cancel");
    BtnCancel.SetCancel(true);
    BtnCancel.SetModalResult(mrCancel);
  }
  TButton BtnOK{this};
  TButton BtnCancel{this};
};

TEST_F(ModalTest, KeysAndCloseBoxEndTheDialogWithTheirModalResult) {
  enum class Focus { None, Ok, Cancel };
  struct Case {
    const char* name;
    Focus focus;
    UINT message;
    WPARAM key;
    int expected;
  } cases[] = {
      {"Enter presses the default button", Focus::None, WM_KEYDOWN, VK_RETURN, mrOk},
      {"Esc presses the cancel button", Focus::None, WM_KEYDOWN, VK_ESCAPE, mrCancel},
      {"Enter presses the focused button", Focus::Cancel, WM_KEYDOWN, VK_RETURN, mrCancel},
      {"Esc with OK focused still cancels", Focus::Ok, WM_KEYDOWN, VK_ESCAPE, mrCancel},
      {"close box", Focus::None, WM_CLOSE, 0, mrCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto dialog = MakeForm<TwoButtonDialog>();
    if (c.focus == Focus::Ok) dialog->SetActiveControl(&dialog->BtnOK);
    if (c.focus == Focus::Cancel) dialog->SetActiveControl(&dialog->BtnCancel);
    PostMessageW(dialog->Handle(), c.message, c.key, 0);
    EXPECT_EQ(dialog->ShowModal(), c.expected);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_TRUE(errors.empty());
  }
}

TEST_F(ModalTest, KeySentToTheFocusedButtonWindowIsHandledByTheForm) {
  auto dialog = MakeForm<TwoButtonDialog>();
  PostKey(dialog->BtnCancel.Handle(), VK_RETURN);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(ModalTest, EscWithoutCancelButtonEndsWithMrCancel) {
  auto dialog = MakeForm<TwoButtonDialog>();
  dialog->BtnCancel.SetCancel(false);
  PostKey(dialog->Handle(), VK_ESCAPE);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(ModalTest, OneButtonThatIsDefaultAndCancelAnswersBothKeysWithItsResult) {
  // The message box's one-button form: Enter and Esc both give 1.
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    auto dialog = MakeForm<TwoButtonDialog>();
    dialog->BtnOK.Hide();
    dialog->BtnCancel.SetDefault(true);
    dialog->BtnCancel.SetModalResult(mrOk);
    PostKey(dialog->Handle(), static_cast<WORD>(key));
    EXPECT_EQ(dialog->ShowModal(), mrOk);
  }
}

TEST_F(ModalTest, DialogIsTheLastActivePopupAndItsOwnersAreDisabledMeanwhile) {
  auto main = MakeForm<TestForm>("TMainFormStore");
  Application.SetMainForm(main.get());
  main->Show();
  auto dialog = MakeForm<TwoButtonDialog>();
  HWND popup = nullptr;
  bool mainEnabled = true;
  int level = 0;
  dialog->OnPrivateMessage = [&](UINT message, WPARAM, LPARAM) {
    if (message != WM_APP + 3) return false;
    popup = GetLastActivePopup(Application.Handle());
    mainEnabled = IsWindowEnabled(main->Handle());
    level = Application.ModalLevel();
    dialog->SetModalResult(mrOk);
    return true;
  };
  PostMessageW(dialog->Handle(), WM_APP + 3, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), mrOk);

  EXPECT_EQ(popup, dialog->Handle());
  EXPECT_FALSE(mainEnabled);
  EXPECT_EQ(level, 1);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_EQ(Application.ModalLevel(), 0);
  Application.SetMainForm(nullptr);
}

TEST_F(ModalTest, ExceptionInOnClickReachesTheHandlerAndTheDialogGoesOn) {
  auto dialog = MakeForm<TwoButtonDialog>();
  TButton boom(dialog.get());
  boom.OnClick = [] { throw EAssertionFailed("Not Assigned Message Box", "vkNames\\MessageBoxForm"); };
  int okClicks = 0;
  dialog->BtnOK.OnClick = [&] { ++okClicks; };
  // The button's click comes back to it from the form, as a real press does.
  PostMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(boom.Handle()), BN_CLICKED),
               reinterpret_cast<LPARAM>(boom.Handle()));
  PostKey(dialog->Handle(), VK_RETURN);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(errors, (std::vector<std::string>{"EAssertionFailed: Not Assigned Message Box (vkNames\\MessageBoxForm)"}));
  EXPECT_EQ(okClicks, 1);
}

TEST_F(ModalTest, ExceptionInTheMessageHookReachesTheHandlerAndTheLoopGoesOn) {
  auto dialog = MakeForm<TwoButtonDialog>();
  Application.OnMessage = [](MSG& message, bool&) {
    if (message.message == WM_APP + 9) throw ERangeError();
  };
  PostMessageW(dialog->Handle(), WM_APP + 9, 0, 0);
  PostKey(dialog->Handle(), VK_ESCAPE);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(errors, (std::vector<std::string>{"ERangeError: Range check error"}));
}

TEST_F(ModalTest, HookSettingTheModalResultEndsTheDialog) {
  // As the password prompt does with Esc: the hook sees the key first.
  auto dialog = MakeForm<TwoButtonDialog>();
  dialog->BtnCancel.SetCancel(false);
  Application.OnMessage = [&](MSG& message, bool& handled) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      dialog->SetModalResult(333);
      handled = true;
    }
  };
  PostKey(dialog->Handle(), VK_ESCAPE);
  EXPECT_EQ(dialog->ShowModal(), 333);
}

TEST_F(ModalTest, RefusedCloseKeepsTheDialogOpen) {
  auto dialog = MakeForm<TwoButtonDialog>();
  int queries = 0;
  dialog->OnCloseQuery = [&](bool& canClose) { canClose = ++queries > 1; };
  PostKey(dialog->Handle(), VK_ESCAPE);
  PostKey(dialog->Handle(), VK_RETURN);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(queries, 2);
}

TEST_F(ModalTest, TabMovesTheFocusAlongTheTabOrder) {
  auto dialog = MakeForm<TwoButtonDialog>();
  TButton first(dialog.get());
  first.SetTabOrder(0);  // before OK and Cancel
  std::vector<HWND> focused;
  dialog->OnPrivateMessage = [&](UINT message, WPARAM, LPARAM) {
    if (message != WM_APP + 5) return false;
    focused.push_back(GetFocus());
    return true;
  };
  HWND window = dialog->Handle();
  for (int i = 0; i < 4; ++i) {
    PostMessageW(window, WM_APP + 5, 0, 0);
    PostKey(window, VK_TAB);
  }
  PostMessageW(window, WM_APP + 5, 0, 0);
  PostMessageW(window, WM_CLOSE, 0, 0);
  dialog->ShowModal();

  HWND a = first.Handle(), ok = dialog->BtnOK.Handle(), cancel = dialog->BtnCancel.Handle();
  EXPECT_EQ(focused, (std::vector<HWND>{a, ok, cancel, a, ok}));
}

TEST_F(ModalTest, DefaultLookFollowsTheFocusedButton) {
  auto dialog = MakeForm<TwoButtonDialog>();
  auto isDefaultLook = [](TButton& b) {
    return (GetWindowLongPtrW(b.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  };
  std::vector<std::pair<bool, bool>> looks;
  dialog->OnPrivateMessage = [&](UINT message, WPARAM, LPARAM) {
    if (message != WM_APP + 6) return false;
    looks.emplace_back(isDefaultLook(dialog->BtnOK), isDefaultLook(dialog->BtnCancel));
    return true;
  };
  HWND window = dialog->Handle();
  PostMessageW(window, WM_APP + 6, 0, 0);
  PostKey(window, VK_TAB);
  PostMessageW(window, WM_APP + 6, 0, 0);
  PostMessageW(window, WM_CLOSE, 0, 0);
  dialog->ShowModal();
  EXPECT_EQ(looks, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}));
}

TEST_F(ModalTest, VisibleFormCannotBeShownModally) {
  auto dialog = MakeForm<TwoButtonDialog>();
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

}  // namespace
}  // namespace vk::gui::test
