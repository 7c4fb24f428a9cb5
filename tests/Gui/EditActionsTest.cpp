// The standard edit actions in an edit's context menu, opened from the
// keyboard: what each entry allows on a writable, a read-only and a password
// edit, what choosing one does to the text and the clipboard, and which
// entries show a picture, in colour or greyed.

#include "Gui/Edits.h"
#include "Gui/Menus.h"
#include "Gui/PasswordEdit.h"
#include "Gui/StdActns.h"
#include "GuiTestSupport.h"
#include "ShownMenus.h"
#include "UserInput.h"
#include "tests/MessageBox/WindowCapture.h"

namespace vk::gui::test {
namespace {

class EditMenuForm : public TestForm {
 public:
  EditMenuForm() : TestForm("TEditMenuTestForm") {
    SetClientSize(300, 110);
    SetPosition(TPosition::poScreenCenter);
    const std::pair<TAction*, const char*> actions[] = {{&ActEditUndo, "Undo"},     {&ActEditCut, "Cut"},
                                                        {&ActEditCopy, "Copy"},     {&ActEditPaste, "Paste"},
                                                        {&ActEditDelete, "Delete"}, {&ActEditSelectAll, "Select all"}};
    for (auto [action, caption] : actions) action->SetCaption(caption);
    // The pictures: undo, cut, copy, paste and delete have one each.
    TImagePixels pixels;
    for (int i = 0; i < 6; ++i) {
      pixels.fill(PictureColour(i));
      Images.Add(pixels);
    }
    const std::pair<TAction*, int> pictures[] = {
        {&ActEditUndo, 3}, {&ActEditCut, 0}, {&ActEditCopy, 1}, {&ActEditPaste, 2}, {&ActEditDelete, 5}};
    for (auto [action, index] : pictures) action->SetImageIndex(index);
    PopupMenuEdit.SetImages(&Images);
    Add(ItemUndo, &ActEditUndo);
    Add(Line1, nullptr);
    Add(ItemCut, &ActEditCut);
    Add(ItemCopy, &ActEditCopy);
    Add(ItemPaste, &ActEditPaste);
    Add(ItemDelete, &ActEditDelete);
    Add(Line2, nullptr);
    Add(ItemSelectAll, &ActEditSelectAll);
    int top = 10;
    for (TEdit* edit : std::initializer_list<TEdit*>{&Writable, &ReadOnly, &Password}) {
      edit->SetBounds(10, top, 200, 21);
      edit->SetPopupMenu(&PopupMenuEdit);
      top += 30;
    }
    ReadOnly.SetReadOnly(true);
  }
  static uint32_t PictureColour(int index) { return 0xFF0000C0u | static_cast<uint32_t>(index) * 0x2A0000u; }
  void Add(TMenuItem& item, TAction* action) {
    if (action) {
      item.SetAction(action);
    } else {
      item.SetCaption("-");
    }
    PopupMenuEdit.Items.Add(&item);
  }

  TActionList ActionList;
  TEditUndo ActEditUndo{&ActionList};
  TEditCut ActEditCut{&ActionList};
  TEditCopy ActEditCopy{&ActionList};
  TEditPaste ActEditPaste{&ActionList};
  TEditDelete ActEditDelete{&ActionList};
  TEditSelectAll ActEditSelectAll{&ActionList};
  TImageList Images;
  TPopupMenu PopupMenuEdit;
  TMenuItem ItemUndo, Line1, ItemCut, ItemCopy, ItemPaste, ItemDelete, Line2, ItemSelectAll;
  TEdit Writable{this}, ReadOnly{this};
  // It has no menu of its own, but shows the one it is given.
  TPasswordEdit Password{this};
};

// Entry positions in the menu.
enum { kUndo = 0, kCut = 2, kCopy = 3, kPaste = 4, kDelete = 5, kSelectAll = 7 };

class EditActionsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = MakeForm<EditMenuForm>();
    form->Show();
  }
  void TearDown() override {
    form.reset();
    GuiTest::TearDown();
  }
  bool Focus(TEdit& edit) {
    HWND window = edit.Handle();
    return PumpUntil([&] {
      if (GetForegroundWindow() == form->Handle() && GetFocus() == window) return true;
      SetForegroundWindow(form->Handle());
      ::SetFocus(window);
      return false;
    });
  }
  // Opens the context menu of the focused edit with the menu key, reads its
  // entries and chooses the one at the position (none: closes it).
  std::vector<bool> EnabledWhenOpened(int choose, const std::string& screenshot = {}) {
    std::vector<ShownEntry> shown;
    drawn.clear();
    HMENU menu = form->PopupMenuEdit.Handle();
    bool chosen = false;
    InputScript user([&] {
      PressKey(VK_APPS);
      if (!WaitFor([&] { return MenuShown(menu); })) return CloseMenus();
      shown = ShownEntries(menu);
      WaitFor([&] { return (drawn = DrawnPictures(menu, shown)).find('?') == std::string::npos; });
      if (!screenshot.empty()) vk::test::SaveWindowScreenshot(GetDesktopWindow(), vk::test::ArtifactPath(screenshot));
      if (choose < 0) return CloseMenus();
      chosen = ChooseEntry(menu, choose);
    });
    EXPECT_TRUE(PumpUntil([&] { return !shown.empty() && !MenuShown(); }));
    user.Join();
    Application.ProcessMessages();
    EXPECT_TRUE(choose < 0 || chosen);
    std::vector<bool> enabled;
    pictures.clear();
    for (int i : {kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll}) {
      enabled.push_back(i < static_cast<int>(shown.size()) && !shown[static_cast<size_t>(i)].Disabled);
      pictures += i < static_cast<int>(drawn.size()) ? drawn[static_cast<size_t>(i)] : '?';
    }
    return enabled;
  }
  // Per entry: its picture as the screen shows it at the entry's left, in
  // colour 'C' or greyed 'g' (most of its pixels), unseen '?', or none '-'.
  std::string DrawnPictures(HMENU menu, const std::vector<ShownEntry>& shown) {
    std::string out;
    for (UINT i = 0; i < shown.size(); ++i) {
      const uint32_t c = EditMenuForm::PictureColour(form->PopupMenuEdit.Items.Items(int(i))->ImageIndex()) & 0xFFFFFF;
      const uint32_t g = GreyedPixel(c) & 0xFFFFFF;
      RECT r{};
      GetMenuItemRect(nullptr, menu, i, &r);
      int width = 0, height = 0;
      int full = 0, grey = 0;
      for (uint32_t pixel : vk::test::CapturePixels({r.left, r.top, r.left + 48, r.bottom}, width, height)) {
        full += (pixel & 0xFFFFFF) == c;
        grey += (pixel & 0xFFFFFF) == g;
      }
      out += !shown[i].Picture ? '-' : full > 128 ? 'C' : grey > 128 ? 'g' : '?';
    }
    return out;
  }

  FormPtr<EditMenuForm> form;
  // Each entry's picture, as DrawnPictures tells, when the menu was last opened.
  std::string drawn, pictures;
};

TEST_F(EditActionsTest, CutFromTheMenuMovesTheSelectionToTheClipboardAndPasteBringsItBack) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  ASSERT_TRUE(Focus(form->Writable));
  form->Writable.SetText("Молоко 3,2%");
  form->Writable.SetSelection(0, 6);

  //                         Undo   Cut   Copy  Paste  Delete SelectAll
  EXPECT_EQ(EnabledWhenOpened(kCut, "edit-menu-writable.bmp"),
            (std::vector<bool>{false, true, true, false, true, true}));
  EXPECT_EQ(pictures, "gCCgC-");
  EXPECT_EQ(form->Writable.Text(), " 3,2%");
  EXPECT_EQ(ClipboardText(), "Молоко");

  form->Writable.SetSelection(5, 0);
  EXPECT_EQ(EnabledWhenOpened(kPaste), (std::vector<bool>{true, false, false, true, false, true}));
  EXPECT_EQ(form->Writable.Text(), " 3,2%Молоко");
  EXPECT_EQ(EnabledWhenOpened(kUndo), (std::vector<bool>{true, false, false, true, false, true}));
  EXPECT_EQ(form->Writable.Text(), " 3,2%");
  EXPECT_EQ(EnabledWhenOpened(kSelectAll)[5], true);
  EXPECT_EQ(form->Writable.SelText(), " 3,2%");
  EXPECT_EQ(EnabledWhenOpened(kDelete)[4], true);
  EXPECT_EQ(form->Writable.Text(), "");
  EXPECT_TRUE(errors.empty());
}

TEST_F(EditActionsTest, ReadOnlyAndPasswordEditsAllowOnlyWhatKeepsTheirText) {
  SetClipboardText("вставка");
  ASSERT_TRUE(Focus(form->ReadOnly));
  form->ReadOnly.SetText("Хлеб ржаной");
  form->ReadOnly.SetSelection(0, 4);
  EXPECT_EQ(EnabledWhenOpened(kCopy), (std::vector<bool>{false, false, true, false, false, true}));
  EXPECT_EQ(pictures, "ggCgg-");
  EXPECT_EQ(ClipboardText(), "Хлеб");
  EXPECT_EQ(form->ReadOnly.Text(), "Хлеб ржаной");

  ASSERT_TRUE(Focus(form->Password));
  form->Password.SetText("секрет");
  form->Password.SetSelection(0, 6);
  EXPECT_EQ(EnabledWhenOpened(-1), (std::vector<bool>{false, false, false, true, true, true}));
  EXPECT_EQ(pictures, "gggCC-");
  EXPECT_EQ(ClipboardText(), "Хлеб");

  // A right click on another edit gives it the focus first: the paste goes there.
  form->Writable.SetText("старое");
  RECT r;
  GetWindowRect(form->Writable.Handle(), &r);
  HMENU menu = form->PopupMenuEdit.Handle();
  InputScript user([&] {
    RightClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    if (!WaitFor([&] { return MenuShown(menu); })) return CloseMenus();
    ChooseEntry(menu, kPaste);
  });
  EXPECT_TRUE(PumpUntil([&] { return form->Writable.Text() == "Хлеб"; }));
  user.Join();
  EXPECT_EQ(form->Password.Text(), "секрет");
  EXPECT_EQ(form->PopupMenuEdit.PopupComponent(), &form->Writable);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::gui::test
