#include "Gui/Menus.h"

#include <vector>

#include "Core/SysUtils.h"
#include "Gui/Application.h"
#include "Gui/Forms.h"
#include "Gui/GdiHandles.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui {

namespace {

void UpdateActionsDeep(TMenuItem& parent) {
  TMenu::UpdateActions(parent);
  for (int i = 0; i < parent.Count(); ++i) UpdateActionsDeep(*parent.Items(i));
}

}  // namespace

// ---- TWinMenu ----

HMENU TWinMenu::Handle() {
  if (!root_) {
    root_.Reset(CreateRootMenu());
    if (!root_) {
      DWORD error = GetLastError();
      throw EOSError("CreateMenu: " + platform::SystemErrorText(error));
    }
    menus_[root_.Get()] = &Items;
  }
  return root_.Get();
}

TMenuItem* TWinMenu::ItemOfMenu(HMENU menu) const {
  auto it = menus_.find(menu);
  return it == menus_.end() ? nullptr : it->second;
}

TMenuItem* TWinMenu::SelectedItem(HMENU menu, UINT commandOrPosition, UINT flags) const {
  if (!ItemOfMenu(menu)) return nullptr;
  if (flags & MF_POPUP) return ItemOfMenu(GetSubMenu(menu, static_cast<int>(commandOrPosition)));
  if (flags & MF_SEPARATOR) return nullptr;
  return const_cast<TWinMenu*>(this)->FindItem(static_cast<std::uint16_t>(commandOrPosition));
}

bool TWinMenu::DispatchCommand(UINT command) {
  if (command == 0 || command > 0xFFFF) return false;
  TMenuItem* item = FindItem(static_cast<std::uint16_t>(command));
  if (!item) return false;
  item->Click();
  return true;
}

bool TWinMenu::InitPopup(HMENU menu) {
  TMenuItem* item = ItemOfMenu(menu);
  if (!item) return false;
  UpdateActions(*item);
  Fill(menu, *item, /*deep=*/true);
  return true;
}

void TWinMenu::Clear(HMENU menu) {
  // DeleteMenu also destroys an entry's submenu.
  for (int count = GetMenuItemCount(menu); count > 0; --count) DeleteMenu(menu, 0, MF_BYPOSITION);
  ForgetDeadMenus();
}

void TWinMenu::ForgetDeadMenus() {
  std::erase_if(menus_, [](const auto& entry) { return !IsMenu(entry.first); });
}

void TWinMenu::Fill(HMENU menu, TMenuItem& parent, bool deep) {
  Clear(menu);
  UINT position = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    if (!item.Visible()) continue;
    std::wstring text = platform::Utf8ToWide(item.DisplayText());
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    info.wID = CommandFor(item);
    if (item.IsLine()) {
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask |= MIIM_STRING;
      info.fType = item.RadioItem() ? MFT_RADIOCHECK : MFT_STRING;
      info.dwTypeData = text.data();
      info.cch = static_cast<UINT>(text.size());
      info.fState = (item.Enabled() ? MFS_ENABLED : MFS_DISABLED) | (item.Checked() ? MFS_CHECKED : MFS_UNCHECKED);
      if (images_ && images_->Bitmap(item.ImageIndex())) {
        info.fMask |= MIIM_BITMAP | MIIM_DATA;
        info.hbmpItem = HBMMENU_CALLBACK;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
      }
    }
    UniqueMenu submenu;
    if (item.Count() > 0 && !item.IsLine()) {
      submenu.Reset(CreatePopupMenu());
      if (submenu) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu.Get();
        if (deep) Fill(submenu.Get(), item, true);
      }
    }
    if (!InsertMenuItemW(menu, position, /*byPosition=*/TRUE, &info)) {
      DWORD error = GetLastError();
      throw EOSError("InsertMenuItemW " + item.Caption() + ": " + platform::SystemErrorText(error));
    }
    ++position;
    // The parent menu owns the submenu now.
    if (submenu) menus_[submenu.Release()] = &item;
  }
}

bool TWinMenu::MeasurePicture(MEASUREITEMSTRUCT& measure) const {
  if (measure.CtlType != ODT_MENU || measure.itemData != reinterpret_cast<ULONG_PTR>(this)) return false;
  measure.itemWidth = kImageSize + 4;  // a little room beside the caption
  measure.itemHeight = kImageSize;
  return true;
}

bool TWinMenu::DrawPicture(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU || draw.itemData != reinterpret_cast<ULONG_PTR>(this)) return false;
  const TMenuItem* item = FindItem(static_cast<std::uint16_t>(draw.itemID));
  const bool disabled = (draw.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  HBITMAP picture = item && images_ ? images_->Bitmap(item->ImageIndex(), disabled) : nullptr;
  if (!picture) return true;
  MemoryDc memory;
  SelectGuard select(memory.Dc(), picture);
  const RECT& r = draw.rcItem;
  const int x = r.left + (r.right - r.left - kImageSize) / 2;
  const int y = r.top + (r.bottom - r.top - kImageSize) / 2;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(draw.hDC, x, y, kImageSize, kImageSize, memory.Dc(), 0, 0, kImageSize, kImageSize, blend);
  return true;
}

void TWinMenu::ItemFreed(TMenuItem& item) {
  // Its system menu may live on in an entry not yet rebuilt; it must not lead
  // to the freed item.
  std::erase_if(menus_, [&item](const auto& entry) { return entry.second == &item; });
}

// ---- TMainMenu ----

TMainMenu::~TMainMenu() { SetWindow(nullptr); }

HMENU TMainMenu::CreateRootMenu() { return CreateMenu(); }

void TMainMenu::SetWindow(HWND window) {
  if (window_ == window) return;
  // A window destroys the menu it has; the menu stays ours, so it is taken back first.
  if (window_ && IsWindow(window_) && GetMenu(window_) == Handle()) ::SetMenu(window_, nullptr);
  window_ = window;
  tracking_ = false;
  if (!window_) return;
  Fill(Handle(), Items, /*deep=*/true);
  barStale_ = false;
  ::SetMenu(window_, Handle());
}

void TMainMenu::SetTracking(bool tracking) {
  tracking_ = tracking;
  if (!tracking_ && barStale_) RefreshBar();
}

void TMainMenu::ItemChanged(TMenuItem& item, bool /*structure*/) {
  // The bar shows its own entries; deeper items are built when their submenu opens.
  if (&item == &Items || item.Parent() == &Items) RefreshBar();
}

void TMainMenu::RefreshBar() {
  if (!window_) return;
  if (tracking_) {
    // The open menu's entries stay as they are until it closes.
    barStale_ = true;
    return;
  }
  barStale_ = false;
  Fill(Handle(), Items, /*deep=*/true);
  DrawMenuBar(window_);
}

// ---- TPopupMenu ----

HMENU TPopupMenu::CreateRootMenu() { return CreatePopupMenu(); }

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup();
  UpdateActionsDeep(Items);
  HMENU menu = Handle();
  Fill(menu, Items, /*deep=*/true);
  if (GetMenuItemCount(menu) <= 0) return;
  TForm* form = popupComponent_ ? GetParentForm(popupComponent_) : Application.MainForm();
  HWND owner = form && form->HandleAllocated() ? form->Handle() : Application.Handle();
  // The owner must be the foreground window, or the menu does not close when
  // the user clicks elsewhere.
  SetForegroundWindow(owner);
  UINT command = 0;
  {
    TForm::ShownPopup shown(form, this);
    command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  }
  PostMessageW(owner, WM_NULL, 0, 0);
  // After the form forgot the menu: the command may close the form.
  if (command) DispatchCommand(command);
}

}  // namespace vk::gui
