#pragma once
// The system's menus for the item trees of MenuItems.h: a form's main menu
// bar and the context menus of controls. Each submenu's entries are built
// again from the tree when it opens (WM_INITMENUPOPUP), after the actions of
// its items have updated their state; the bar follows changes of its own
// entries at once, or after the menu closes when one is open.

#include <windows.h>

#include <functional>
#include <map>

#include "Gui/ImgList.h"
#include "Gui/MenuItems.h"
#include "Platform/win32/UniqueHandle.h"

namespace vk::gui {

// A menu made with CreateMenu or CreatePopupMenu and attached to no window:
// the project's one handle owner with DestroyMenu (which also destroys its
// submenus).
struct MenuHandleTraits {
  using Type = HMENU;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type value) noexcept { DestroyMenu(value); }
};
using UniqueMenu = platform::UniqueHandle<MenuHandleTraits>;

class TWinControl;

// What the menu classes share: the system menu of the root and of every
// submenu, and the building of their entries.
class TWinMenu : public TMenu {
 public:
  // The system menu of the root; made on first need.
  HMENU Handle();
  // A menu window command: clicks the item with that number; false when it
  // is none of this menu's.
  bool DispatchCommand(UINT command);
  // The item whose submenu (or the root) the system menu is; null when none.
  TMenuItem* ItemOfMenu(HMENU menu) const;
  // The item of a WM_MENUSELECT: in the system menu (of this menu), the
  // entry with the command, or with the flags' MF_POPUP the submenu at that
  // position; null when none.
  TMenuItem* SelectedItem(HMENU menu, UINT commandOrPosition, UINT flags) const;
  // Updates the actions of the submenu's items and builds its entries again;
  // false when the system menu is none of this menu's.
  bool InitPopup(HMENU menu);
  // The pictures the entries show by their ImageIndex (not owned; null for
  // none). Takes effect when the entries are next built. The pictures are
  // drawn by the window the menu shows for (HBMMENU_CALLBACK), so that they
  // blend with the menu's background, highlighted or not: the window hands
  // its WM_MEASUREITEM and WM_DRAWITEM of menu entries to these two, which
  // answer false for entries that are none of this menu's. A disabled entry
  // shows its picture greyed.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images) { images_ = images; }
  bool MeasurePicture(MEASUREITEMSTRUCT& measure) const;
  bool DrawPicture(const DRAWITEMSTRUCT& draw);

 protected:
  // The root's system menu: a menu bar or a pop-up menu.
  virtual HMENU CreateRootMenu() = 0;
  // Builds the entries of a system menu from the item's items; with deep,
  // the submenus' entries as well.
  void Fill(HMENU menu, TMenuItem& parent, bool deep);
  void ItemFreed(TMenuItem& item) override;

 private:
  void Clear(HMENU menu);
  void ForgetDeadMenus();

  UniqueMenu root_;
  TImageList* images_ = nullptr;
  // Every live system menu of this tree, with the item it shows.
  std::map<HMENU, TMenuItem*> menus_;
};

// A form's menu bar (TForm::SetMenu).
class TMainMenu : public TWinMenu {
 public:
  TMainMenu() = default;
  ~TMainMenu() override;

  // Called by the form: the window that shows the bar (null when it goes),
  // and whether the window's menu loop runs (no entry changes meanwhile).
  void SetWindow(HWND window);
  void SetTracking(bool tracking);

 protected:
  HMENU CreateRootMenu() override;
  void ItemChanged(TMenuItem& item, bool structure) override;

 private:
  void RefreshBar();

  HWND window_ = nullptr;
  bool tracking_ = false;
  bool barStale_ = false;
};

// A context menu, shown by WM_CONTEXTMENU on a control whose PopupMenu it is.
class TPopupMenu : public TWinMenu {
 public:
  TPopupMenu() = default;

  // The control the menu is shown for now (or was last).
  TWinControl* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TWinControl* component) { popupComponent_ = component; }
  // Before the menu shows.
  std::function<void()> OnPopup;

  // Shows the menu at the screen point, owned by the popup component's form
  // (or the main form), and clicks the chosen item once it has closed.
  void Popup(int x, int y);

 protected:
  HMENU CreateRootMenu() override;

 private:
  TWinControl* popupComponent_ = nullptr;
};

}  // namespace vk::gui
