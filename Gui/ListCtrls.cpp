#include "Gui/ListCtrls.h"

#include "Platform/win32/Utf16.h"

namespace vk::gui {

namespace {

// The height of the opened list: a combo box's window height is that of its
// list, the closed box takes the font's height.
constexpr int kDropDownHeight = 200;

}  // namespace

// ---- TCheckBox ----

TCheckBox::TCheckBox(TWinControl* parent) : TWinControl(parent) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = L"BUTTON";
  params.SystemClass = true;
  params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() { SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

bool TCheckBox::Checked() const {
  if (!handle_) return checked_;
  return SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  checked_ = checked;
  if (handle_) SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<LRESULT> TCheckBox::CommandReflected(WORD notifyCode) {
  if (notifyCode != BN_CLICKED) return std::nullopt;
  checked_ = Checked();
  if (OnClick) OnClick();
  return 0;
}

std::optional<LRESULT> TCheckBox::CtlColorReflected(UINT /*message*/, HDC dc) {
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  return reinterpret_cast<LRESULT>(BackgroundBrush());
}

// ---- TComboBox ----

TComboBox::TComboBox(TWinControl* parent) : TWinControl(parent) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
}

void TComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = L"COMBOBOX";
  params.SystemClass = true;
  params.Style |= CBS_DROPDOWNLIST | WS_VSCROLL;
  params.Height = height_ + kDropDownHeight;
}

void TComboBox::HandleCreated() {
  for (const std::string& item : items_) {
    SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Utf8ToWide(item).c_str()));
  }
  SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TComboBox::BoundsChanged(const RECT& oldBounds) {
  if (!handle_) {
    TWinControl::BoundsChanged(oldBounds);
    return;
  }
  SetWindowPos(handle_, nullptr, left_, top_, width_, height_ + kDropDownHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::AddItem(const std::string& text) {
  items_.push_back(text);
  if (handle_) SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Utf8ToWide(text).c_str()));
}

void TComboBox::DeleteItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  int chosen = ItemIndex();
  items_.erase(items_.begin() + index);
  if (handle_) SendMessageW(handle_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SetItemIndex(chosen == index ? -1 : chosen > index ? chosen - 1 : chosen);
}

int TComboBox::ItemIndex() const {
  if (!handle_) return itemIndex_;
  return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
  if (handle_) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

std::string TComboBox::Text() const {
  int index = ItemIndex();
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[static_cast<size_t>(index)] : std::string();
}

std::optional<LRESULT> TComboBox::CommandReflected(WORD notifyCode) {
  if (notifyCode != CBN_SELCHANGE) return std::nullopt;
  itemIndex_ = ItemIndex();
  if (OnSelect) OnSelect();
  return 0;
}

}  // namespace vk::gui
