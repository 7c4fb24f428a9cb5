// Actions and menus driven as a user drives them: keys and clicks through the
// system's input queue, menus opened from the keyboard and the mouse, and
// their entries read back from the system's menus.

#include <algorithm>
#include <atomic>
#include <mutex>

#include "Gui/Edits.h"
#include "Gui/Menus.h"
#include "Gui/StdCtrls.h"
#include "GuiTestSupport.h"
#include "ShownMenus.h"
#include "UserInput.h"
#include "tests/MessageBox/WindowCapture.h"

namespace vk::gui::test {
namespace {

// A main window in small: a menu bar, an action list, an edit with a
// context menu.
class ActionForm : public TestForm {
 public:
  ActionForm() : TestForm("TActionTestForm") {
    SetClientSize(420, 160);
    SetPosition(TPosition::poScreenCenter);
    AddActionList(&ActionList);
    SetAction(ActOpen, "ActOpen", ShortCut(VK_F2));
    SetAction(ActDelete, "ActDelete", ShortCut(VK_DELETE));
    SetAction(ActLaptop, "ActLaptop", scNone);
    SetAction(ActSort, "ActSort", ShortCut(VK_F9));
    SetAction(ActRus, "ActRus", scNone);
    SetAction(ActEng, "ActEng", scNone);
    SetAction(ActHidden, "ActHidden", scNone);
    ActRus.SetGroupIndex(1);
    ActEng.SetGroupIndex(1);
    ActEng.SetChecked(true);
    ActLaptop.OnExecute = [this](TAction& a) {
      Ran(a);
      a.SetChecked(!a.Checked());
    };
    ActSort.OnUpdate = [this](TAction& a) { a.SetEnabled(SortAllowed); };
    ActHidden.SetVisible(false);
    ActDelete.SetSecondaryShortCuts({ShortCut(VK_F12)});

    Link(MainMenu.Items, MenuFile, "File");
    Link(MenuFile, ItemOpen, &ActOpen);
    Link(MenuFile, Line, "-");
    Link(MenuFile, ItemLaptop, &ActLaptop);
    Link(MenuFile, MenuLang, "Language");
    Link(MenuLang, ItemRus, &ActRus);
    Link(MenuLang, ItemEng, &ActEng);
    Link(MenuFile, ItemSort, &ActSort);
    Link(MenuFile, ItemHidden, &ActHidden);
    Link(MainMenu.Items, MenuProduct, "Product");
    Link(MenuProduct, ItemDelete, &ActDelete);
    ItemRus.SetRadioItem(true);
    ItemEng.SetRadioItem(true);
    SetMenu(&MainMenu);

    Link(PopupEdit.Items, PopOpen, &ActOpen);
    Link(PopupEdit.Items, PopHidden, &ActHidden);
    Link(PopupEdit.Items, PopDelete, &ActDelete);
    Edit.SetBounds(10, 10, 200, 21);
    Edit.SetPopupMenu(&PopupEdit);
  }

  void SetAction(TAction& action, const std::string& name, TShortCut shortCut) {
    action.SetName(name);
    action.SetCaption(name.substr(3));
    action.SetHint("Hint of " + name.substr(3));
    action.SetShortCut(shortCut);
    action.OnExecute = [this](TAction& a) { Ran(a); };
  }
  static void Link(TMenuItem& parent, TMenuItem& item, TAction* action) {
    item.SetAction(action);
    parent.Add(&item);
  }
  static void Link(TMenuItem& parent, TMenuItem& item, const std::string& caption) {
    item.SetCaption(caption);
    parent.Add(&item);
  }
  void Ran(TAction& action) {
    std::lock_guard lock(mutex);
    ran.push_back(action.Name());
  }
  std::vector<std::string> Ran() {
    std::lock_guard lock(mutex);
    return ran;
  }

  bool SortAllowed = false;
  std::mutex mutex;
  std::vector<std::string> ran;

  TActionList ActionList;
  TAction ActOpen{&ActionList}, ActDelete{&ActionList}, ActLaptop{&ActionList}, ActSort{&ActionList};
  TAction ActRus{&ActionList}, ActEng{&ActionList}, ActHidden{&ActionList};
  TMainMenu MainMenu;
  TPopupMenu PopupEdit;
  TMenuItem MenuFile, ItemOpen, Line, ItemLaptop, MenuLang, ItemRus, ItemEng, ItemSort, ItemHidden;
  TMenuItem MenuProduct, ItemDelete, PopOpen, PopHidden, PopDelete;
  TEdit Edit{this};
};

class ActionMenuTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = MakeForm<ActionForm>();
  }
  void TearDown() override {
    form.reset();
    Application.OnHint = nullptr;
    GuiTest::TearDown();
  }
  // Records every hint the application shows, on the loop's thread.
  void RecordHints() {
    Application.OnHint = [this] { hints.push_back(Application.Hint()); };
  }
  // Shows the form with the edit focused; other windows on the display may
  // take the activation away, so it is asked for again.
  void ShowWithEditFocused(const std::string& text) {
    form->Show();
    form->Edit.SetText(text);
    HWND edit = form->Edit.Handle();
    ASSERT_TRUE(PumpUntil([&] {
      if (GetForegroundWindow() == form->Handle() && GetFocus() == edit) return true;
      SetForegroundWindow(form->Handle());
      ::SetFocus(edit);
      return false;
    }));
    form->Edit.SetSelection(0, 0);
  }
  std::string EditText() { return form->Edit.Text(); }

  FormPtr<ActionForm> form;
  std::vector<std::string> hints;
};

TEST_F(ActionMenuTest, ShortcutRunsItsActionOnceAndADisabledActionLeavesTheKeyToTheEdit) {
  ShowWithEditFocused("abc");
  {
    InputScript user([] {
      PressKey(VK_F2);
      PressKey(VK_DELETE);  // ActDelete is enabled: the edit keeps its text
    });
    ASSERT_TRUE(PumpUntil([&] { return form->Ran().size() == 2; }));
  }
  EXPECT_EQ(form->Ran(), (std::vector<std::string>{"ActOpen", "ActDelete"}));
  EXPECT_EQ(EditText(), "abc");

  form->ActDelete.SetEnabled(false);
  {
    InputScript user([] {
      PressKey(VK_DELETE);
      PressKey(VK_F12);  // the secondary shortcut, disabled as well
    });
    ASSERT_TRUE(PumpUntil([&] { return EditText() == "bc"; }));
    user.Join();
    Application.ProcessMessages();
  }
  // Del deleted a letter in the edit; nothing ran.
  EXPECT_EQ(EditText(), "bc");
  EXPECT_EQ(form->Ran().size(), 2u);

  form->ActDelete.SetEnabled(true);
  InputScript user([] { PressKey(VK_F12); });
  ASSERT_TRUE(PumpUntil([&] { return form->Ran().size() == 3; }));
  EXPECT_EQ(form->Ran().back(), "ActDelete");
  EXPECT_TRUE(errors.empty());
}

TEST_F(ActionMenuTest, NoActionRunsWhileAModalDialogIsOpenAndTheDialogGetsTheKey) {
  ShowWithEditFocused("");
  auto dialog = MakeForm<TestForm>("TActionTestDialog");
  dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
  dialog->SetPosition(TPosition::poMainFormCenter);
  TEdit dialogEdit(dialog.get());
  dialogEdit.SetBounds(10, 10, 120, 21);
  std::vector<WORD> dialogKeys;
  dialogEdit.OnKeyDown = [&](WORD& key, TShiftState) {
    dialogKeys.push_back(key);
    if (key == VK_F2) dialog->SetModalResult(mrOk);
  };
  dialog->SetActiveControl(&dialogEdit);
  HWND dialogWindow = dialog->Handle();
  InputScript user([&] {
    WaitFor([&] { return GetForegroundWindow() == dialogWindow; });
    PressKey(VK_DELETE);
    PressKey(VK_F2);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  user.Join();
  EXPECT_EQ(dialogKeys, (std::vector<WORD>{VK_DELETE, VK_F2}));
  EXPECT_TRUE(form->Ran().empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(ActionMenuTest, OpenedMenuShowsTheActionsStateAndAnEntryChosenWithKeysRunsItsAction) {
  ShowWithEditFocused("");
  std::vector<ShownEntry> shown, language;
  HMENU bar = GetMenu(form->Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Texts(ShownEntries(bar)), (std::vector<std::wstring>{L"File", L"Product"}));
  RecordHints();
  InputScript user([&] {
    PressKey(VK_F10);
    PressKey(VK_DOWN);  // opens File with Open selected
    if (!WaitFor([&] { return MenuShown(GetSubMenu(bar, 0)); })) return CloseMenus();
    shown = ShownEntries(GetSubMenu(bar, 0));
    language = ShownEntries(GetSubMenu(GetSubMenu(bar, 0), 3));
    vk::test::SaveWindowScreenshot(GetDesktopWindow(), vk::test::ArtifactPath("action-menu-file.bmp"));
    ChooseEntry(GetSubMenu(bar, 0), 2);  // Laptop, past the line
  });
  ASSERT_TRUE(PumpUntil([&] { return !form->Ran().empty(); }));
  user.Join();

  ASSERT_EQ(Texts(shown), (std::vector<std::wstring>{L"Open\tF2", L"-", L"Laptop", L"Language",
                                                     L"Sort\tF9"}));  // Hidden is not there
  EXPECT_FALSE(shown[0].Disabled);
  EXPECT_FALSE(shown[2].Checked);
  EXPECT_TRUE(shown[3].Submenu);
  EXPECT_TRUE(shown[4].Disabled);  // its update said so before the menu opened
  ASSERT_EQ(language.size(), 2u);
  EXPECT_TRUE(language[0].Radio && !language[0].Checked);
  EXPECT_TRUE(language[1].Radio && language[1].Checked);
  EXPECT_EQ(form->Ran(), (std::vector<std::string>{"ActLaptop"}));
  // The status line follows the entry being chosen, and is empty again after.
  ASSERT_GE(hints.size(), 3u);
  EXPECT_NE(std::find(hints.begin(), hints.end(), "Hint of Open"), hints.end());
  EXPECT_EQ(hints[hints.size() - 2], "Hint of Laptop");
  EXPECT_EQ(hints.back(), "");

  // The next opening shows the new state.
  form->SortAllowed = true;
  form->ActRus.SetChecked(true);
  SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, 0)), 0);
  shown = ShownEntries(GetSubMenu(bar, 0));
  SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetSubMenu(bar, 0), 3)), 0);
  language = ShownEntries(GetSubMenu(GetSubMenu(bar, 0), 3));
  EXPECT_TRUE(shown[2].Checked);
  EXPECT_FALSE(shown[4].Disabled);
  EXPECT_TRUE(language[0].Checked);
  EXPECT_FALSE(language[1].Checked);
  EXPECT_TRUE(errors.empty());
}

TEST_F(ActionMenuTest, RightClickOnTheEditShowsItsContextMenuAndRunsTheChosenAction) {
  ShowWithEditFocused("abc");
  std::vector<ShownEntry> shown;
  RECT r;
  GetWindowRect(form->Edit.Handle(), &r);
  HMENU popup = form->PopupEdit.Handle();
  RecordHints();
  std::atomic<int> popups = 0;
  form->PopupEdit.OnPopup = [&] { ++popups; };
  InputScript user([&] {
    RightClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    if (!WaitFor([&] { return MenuShown(popup); })) return CloseMenus();
    shown = ShownEntries(form->PopupEdit.Handle());
    vk::test::SaveWindowScreenshot(GetDesktopWindow(), vk::test::ArtifactPath("action-menu-context.bmp"));
    ChooseEntry(popup, 1);
  });
  ASSERT_TRUE(PumpUntil([&] { return !form->Ran().empty(); }));
  user.Join();
  EXPECT_EQ(Texts(shown), (std::vector<std::wstring>{L"Open\tF2", L"Delete\tDel"}));
  EXPECT_EQ(form->Ran(), (std::vector<std::string>{"ActDelete"}));
  EXPECT_EQ(popups, 1);
  ASSERT_GE(hints.size(), 2u);
  EXPECT_EQ(hints[hints.size() - 2], "Hint of Delete");
  EXPECT_EQ(hints.back(), "");
  EXPECT_EQ(form->PopupEdit.PopupComponent(), &form->Edit);
  EXPECT_EQ(EditText(), "abc");
  EXPECT_TRUE(errors.empty());
}

TEST_F(ActionMenuTest, LanguageSwitchRelabelsTheBarAtOnceAndTheEntriesWhenTheyOpen) {
  ShowWithEditFocused("");
  HMENU bar = GetMenu(form->Handle());
  // What a window's texts step does after the switch.
  form->MenuFile.SetCaption("Файл");
  form->MenuProduct.SetCaption("Товар");
  form->ActOpen.SetCaption("Открыть");
  form->ActLaptop.SetCaption("Режим ноутбука");
  form->ActDelete.SetCaption("Удалить...");
  EXPECT_EQ(Texts(ShownEntries(bar)), (std::vector<std::wstring>{L"Файл", L"Товар"}));

  std::vector<ShownEntry> file, product;
  InputScript user([&] {
    PressKey(VK_F10);
    PressKey(VK_DOWN);
    if (!WaitFor([&] { return MenuShown(GetSubMenu(bar, 0)); })) return CloseMenus();
    file = ShownEntries(GetSubMenu(bar, 0));
    PressKey(VK_RIGHT);  // over to the next menu of the bar
    if (!WaitFor([&] { return MenuShown(GetSubMenu(bar, 1)); })) return CloseMenus();
    product = ShownEntries(GetSubMenu(bar, 1));
    vk::test::SaveWindowScreenshot(GetDesktopWindow(), vk::test::ArtifactPath("action-menu-russian.bmp"));
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
  });
  ASSERT_TRUE(PumpUntil([&] { return !file.empty() && !product.empty() && !MenuShown(); }));
  user.Join();
  ASSERT_GE(file.size(), 3u);
  EXPECT_EQ(file[0].Text, L"Открыть\tF2");
  EXPECT_EQ(file[2].Text, L"Режим ноутбука");
  EXPECT_EQ(Texts(product), (std::vector<std::wstring>{L"Удалить...\tDel"}));
  EXPECT_TRUE(form->Ran().empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(ActionMenuTest, EntriesAddedAtRunTimeShowAndAMenuBarKeepsTheClientSize) {
  // Sized before the window exists, as designed; the bar comes on top.
  EXPECT_EQ(form->ClientHeight(), 160);
  form->Show();
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.bottom, 160);
  EXPECT_EQ(client.right, 420);

  TMenuItem added;
  TAction report(&form->ActionList);
  report.SetName("ActInOut3");
  report.SetCaption("Rests list");
  report.OnExecute = [&](TAction& a) { form->Ran(a); };
  added.SetAction(&report);
  form->MenuProduct.Add(&added);
  HMENU bar = GetMenu(form->Handle());
  SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, 1)), 0);
  EXPECT_EQ(Texts(ShownEntries(GetSubMenu(bar, 1))), (std::vector<std::wstring>{L"Delete\tDel", L"Rests list"}));
  // A chosen entry arrives as the menu's command.
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(GetSubMenu(bar, 1), 1), 0), 0);
  EXPECT_EQ(form->Ran(), (std::vector<std::string>{"ActInOut3"}));

  // A bar entry added later shows at once.
  TMenuItem help;
  help.SetCaption("Help");
  form->MainMenu.Items.Add(&help);
  EXPECT_EQ(Texts(ShownEntries(bar)), (std::vector<std::wstring>{L"File", L"Product", L"Help"}));
  form->MainMenu.Items.Remove(&help);
  EXPECT_EQ(Texts(ShownEntries(bar)), (std::vector<std::wstring>{L"File", L"Product"}));
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::gui::test
