#include <memory>

#include "Gui/Edits.h"
#include "Gui/StdCtrls.h"
#include "GuiTestSupport.h"

namespace vk::gui::test {
namespace {

using FormTest = GuiTest;

// A plain container between the form and its controls.
class TestPanel : public TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.WindowClass = L"TTestPanel";
  }
};

TEST_F(FormTest, FocusInsideNestedContainersIsTrackedByTheForm) {
  auto form = MakeForm<TestForm>();
  TestPanel outer(form.get());
  outer.SetBounds(0, 0, 200, 120);
  TestPanel inner(&outer);
  inner.SetBounds(10, 10, 180, 100);
  TEdit first(&inner);
  auto second = std::make_unique<TEdit>(&inner);
  second->SetTop(40);
  form->Show();
  ASSERT_TRUE(PumpUntil([&] {
    SetForegroundWindow(form->Handle());
    return form->Active();
  }));

  ::SetFocus(first.Handle());
  EXPECT_EQ(form->ActiveControl(), &first);
  second->SetFocus();
  EXPECT_EQ(form->ActiveControl(), second.get());
  EXPECT_EQ(GetFocus(), second->Handle());

  // A form that is not active only remembers where the focus goes; a control
  // that goes away is forgotten.
  form->Hide();
  first.SetFocus();
  EXPECT_EQ(form->ActiveControl(), &first);
  second->SetFocus();
  second.reset();
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(FormTest, WindowClassIsTheFormClassNameAndOwnerIsTheApplicationWindow) {
  for (const char* name : {"TMainFormStore", "TFormPass", "TFormMessageBox"}) {
    SCOPED_TRACE(name);
    auto form = MakeForm<TestForm>(name);
    HWND window = form->Handle();
    EXPECT_EQ(ClassNameOf(window), platform::Utf8ToWide(name));
    EXPECT_EQ(GetWindow(window, GW_OWNER), Application.Handle());
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(TWinControl::FindControl(window), form.get());
  }
}

TEST_F(FormTest, ClientSizeIsKeptWhenTheWindowIsMade) {
  struct Case {
    TFormBorderStyle style;
    int width, height;
  } cases[] = {
      {TFormBorderStyle::bsDialog, 364, 142},
      {TFormBorderStyle::bsSizeable, 780, 480},
      {TFormBorderStyle::bsSingle, 260, 110},
      {TFormBorderStyle::bsNone, 100, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    auto form = MakeForm<TestForm>();
    form->SetBorderStyle(c.style);
    form->SetClientSize(c.width, c.height);
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);
    EXPECT_EQ(form->ClientWidth(), c.width);
    // And after the window exists, a new client size is a new window size.
    form->SetClientSize(c.width + 10, c.height + 20);
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, c.width + 10);
    EXPECT_EQ(client.bottom, c.height + 20);
  }
}

TEST_F(FormTest, ControlsTakeTheFormFontTahomaHeightMinus11) {
  auto form = MakeForm<TestForm>();
  TButton button(form.get());
  TButton bold(form.get());
  bold.SetFont(TFont("Tahoma", -16, fsBold));
  form->HandleNeeded();

  struct Case {
    TButton* button;
    LONG height;
    LONG weight;
  } cases[] = {{&button, -11, FW_NORMAL}, {&bold, -16, FW_BOLD}};
  for (const Case& c : cases) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(c.button->Handle(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfHeight, c.height);
    EXPECT_EQ(lf.lfWeight, c.weight);
  }
}

TEST_F(FormTest, MinimumAndMaximumSizeAreAnsweredToGetMinMaxInfo) {
  auto form = MakeForm<TestForm>();
  form->Constraints.MinWidth = 780;
  form->Constraints.MinHeight = 514;
  form->Constraints.MaxWidth = 900;
  MINMAXINFO info{};
  info.ptMaxTrackSize = {5000, 5000};
  SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 780);
  EXPECT_EQ(info.ptMinTrackSize.y, 514);
  EXPECT_EQ(info.ptMaxTrackSize.x, 900);
  EXPECT_EQ(info.ptMaxTrackSize.y, 5000);
}

TEST_F(FormTest, PositionCentresOnScreenOrOnTheMainForm) {
  auto main = MakeForm<TestForm>("TMainFormStore");
  main->SetBounds(40, 60, 500, 400);
  main->HandleNeeded();
  Application.SetMainForm(main.get());
  POINT screenCentre{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  struct Case {
    TPosition position;
    POINT centre;
  } cases[] = {
      {TPosition::poScreenCenter, screenCentre},
      {TPosition::poMainFormCenter, {290, 260}},
      {TPosition::poDesigned, {7 + 100, 9 + 50}},
  };
  for (const Case& c : cases) {
    auto dialog = MakeForm<TestForm>();
    dialog->SetBounds(7, 9, 200, 100);
    dialog->SetPosition(c.position);
    dialog->Show();
    RECT r;
    GetWindowRect(dialog->Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, c.centre.x, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, c.centre.y, 1);
    EXPECT_EQ(dialog->Left(), r.left);
  }
  Application.SetMainForm(nullptr);
}

TEST_F(FormTest, EventsFireAroundCreationShowingResizeAndHiding) {
  std::vector<std::string> events;
  auto form = MakeForm<TestForm>();
  form->OnCreate = [&] { events.push_back("create"); };
  form->OnShow = [&] { events.push_back(IsWindowVisible(form->Handle()) ? "show:visible" : "show"); };
  form->OnHide = [&] { events.push_back(IsWindowVisible(form->Handle()) ? "hide:visible" : "hide"); };
  // Windows may report one change of size more than once.
  form->OnResize = [&] {
    if (events.empty() || events.back() != "resize") events.push_back("resize");
  };
  form->OnDestroy = [&] { events.push_back("destroy"); };
  form->HandleNeeded();
  events.clear();  // the first size of the window may or may not be reported

  form->Show();
  form->SetClientSize(300, 200);
  form->Hide();
  form.reset();
  EXPECT_EQ(events, (std::vector<std::string>{"show", "resize", "hide", "destroy"}));
}

TEST_F(FormTest, OnCreateFiresOnceWhenTheWindowIsMade) {
  int created = 0;
  auto form = MakeForm<TestForm>();
  form->OnCreate = [&] { ++created; };
  EXPECT_EQ(created, 0);
  form->HandleNeeded();
  form->HandleNeeded();
  EXPECT_EQ(created, 1);
}

TEST_F(FormTest, CloseBoxAsksOnCloseQueryAndOnCloseThenHides) {
  struct Case {
    bool canClose;
    TCloseAction action;
    bool visibleAfter;
  } cases[] = {
      {false, TCloseAction::caHide, true},
      {true, TCloseAction::caNone, true},
      {true, TCloseAction::caHide, false},
  };
  for (const Case& c : cases) {
    auto form = MakeForm<TestForm>();
    int closes = 0;
    form->OnCloseQuery = [&](bool& canClose) { canClose = c.canClose; };
    form->OnClose = [&](TCloseAction& action) {
      ++closes;
      EXPECT_EQ(action, TCloseAction::caHide);
      action = c.action;
    };
    form->Show();
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, c.canClose ? 1 : 0);
    EXPECT_EQ(form->Visible(), c.visibleAfter);
    EXPECT_EQ(IsWindowVisible(form->Handle()) != 0, c.visibleAfter);
    EXPECT_TRUE(IsWindow(form->Handle()));
  }
}

TEST_F(FormTest, ControlAddedAfterTheWindowGetsItsWindowWhenShown) {
  auto form = MakeForm<TestForm>();
  form->HandleNeeded();
  TButton late(form.get());
  EXPECT_FALSE(late.HandleAllocated());
  form->Show();
  ASSERT_TRUE(late.HandleAllocated());
  EXPECT_EQ(GetParent(late.Handle()), form->Handle());
}

}  // namespace
}  // namespace vk::gui::test
