#include "Gui/MenuItems.h"

#include <algorithm>

#include "Core/SysUtils.h"

namespace vk::gui {

TMenuItem::~TMenuItem() {
  TMenu* menu = Menu();
  if (parent_) parent_->Remove(this);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  items_.clear();
  if (action_) action_->RemoveClient(this);
  if (menu && menu != menu_) menu->ItemFreed(*this);
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut_ == shortCut) return;
  shortCut_ = shortCut;
  Changed(false);
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed(false);
}

void TMenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed(true);
}

void TMenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Changed(false);
}

void TMenuItem::SetImageIndex(int index) {
  if (imageIndex_ == index) return;
  imageIndex_ = index;
  Changed(false);
}

void TMenuItem::SetRadioItem(bool radioItem) {
  if (radioItem_ == radioItem) return;
  radioItem_ = radioItem;
  Changed(false);
}

std::string TMenuItem::DisplayText() const {
  std::string shortCut = items_.empty() ? ShortCutToText(shortCut_) : std::string();
  return shortCut.empty() ? caption_ : caption_ + "\t" + shortCut;
}

void TMenuItem::SetAction(TAction* action) {
  if (action_ == action) return;
  if (action_) action_->RemoveClient(this);
  action_ = action;
  if (!action_) return;
  action_->AddClient(this);
  TakeActionValues();
}

void TMenuItem::TakeActionValues() {
  bool structure = visible_ != action_->Visible();
  caption_ = action_->Caption();
  hint_ = action_->Hint();
  shortCut_ = action_->ShortCut();
  enabled_ = action_->Enabled();
  visible_ = action_->Visible();
  checked_ = action_->Checked();
  imageIndex_ = action_->ImageIndex();
  Changed(structure);
}

void TMenuItem::ActionChanged(TAction& /*action*/) { TakeActionValues(); }

void TMenuItem::ActionFreed(TAction& /*action*/) { action_ = nullptr; }

void TMenuItem::Click() {
  if (action_) {
    action_->Execute();
    return;
  }
  if (enabled_ && OnClick) OnClick(*this);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  for (const TMenuItem* p = this; p; p = p->parent_) {
    if (p == item) throw EAssertionFailed("A menu item cannot hold itself", "Gui\\MenuItems");
  }
  const int limit = Count() - (item->parent_ == this ? 1 : 0);
  if (index < 0 || index > limit) throw ERangeError();
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  Detach(item);
  Changed(true);
}

void TMenuItem::Detach(TMenuItem* item) {
  item->parent_ = nullptr;
  // Command numbers belong to a menu; the item may join another one.
  item->ForgetCommands();
}

void TMenuItem::ForgetCommands() {
  command_ = 0;
  for (TMenuItem* item : items_) item->ForgetCommands();
}

TMenuItem* TMenuItem::Find(const std::string& name) {
  if (name_ == name) return this;
  for (TMenuItem* item : items_) {
    if (TMenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Changed(bool structure) {
  if (TMenu* menu = Menu()) menu->ItemChanged(*this, structure);
}

TMenu::TMenu() { Items.menu_ = this; }

TMenu::~TMenu() {
  // The window side is gone; the items' last changes reach nobody.
  Items.menu_ = nullptr;
}

TMenuItem* TMenu::FindItem(std::uint16_t command) {
  if (command == 0) return nullptr;
  std::vector<TMenuItem*> pending{&Items};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (item->command_ == command) return item;
    pending.insert(pending.end(), item->items_.begin(), item->items_.end());
  }
  return nullptr;
}

void TMenu::UpdateActions(TMenuItem& parent) {
  for (TMenuItem* item : std::vector<TMenuItem*>(parent.items_)) {
    if (item->action_) item->action_->Update();
  }
}

std::uint16_t TMenu::CommandFor(TMenuItem& item) {
  if (item.command_ == 0) {
    item.command_ = nextCommand_++;
    if (nextCommand_ == 0) nextCommand_ = 1;
  }
  return item.command_;
}

}  // namespace vk::gui
