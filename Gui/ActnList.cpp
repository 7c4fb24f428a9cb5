#include "Gui/ActnList.h"

#include <algorithm>

namespace vk::gui {

TAction::TAction(TActionList* list) { SetActionList(list); }

TAction::~TAction() {
  SetActionList(nullptr);
  // A client may leave while it is told (RemoveClient), so each is taken off first.
  while (!clients_.empty()) {
    TActionClient* client = clients_.back();
    clients_.pop_back();
    client->ActionFreed(*this);
  }
}

void TAction::SetActionList(TActionList* list) {
  if (list_ == list) return;
  if (list_) std::erase(list_->actions_, this);
  list_ = list;
  if (list_) list_->actions_.push_back(this);
}

void TAction::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed();
}

void TAction::SetHint(const std::string& hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  Changed();
}

void TAction::SetShortCut(TShortCut shortCut) {
  if (shortCut_ == shortCut) return;
  shortCut_ = shortCut;
  Changed();
}

bool TAction::HasShortCut(TShortCut shortCut) const {
  if (shortCut == scNone) return false;
  return shortCut_ == shortCut || std::find(secondary_.begin(), secondary_.end(), shortCut) != secondary_.end();
}

void TAction::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void TAction::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void TAction::SetImageIndex(int index) {
  if (imageIndex_ == index) return;
  imageIndex_ = index;
  Changed();
}

void TAction::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  if (checked && groupIndex_ > 0 && list_) {
    for (TAction* other : list_->actions_) {
      if (other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
    }
  }
  Changed();
}

bool TAction::Execute() {
  Update();
  if (!enabled_ || !OnExecute) return false;
  OnExecute(*this);
  return true;
}

void TAction::Update() {
  if (OnUpdate) OnUpdate(*this);
}

void TAction::AddClient(TActionClient* client) {
  if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TAction::RemoveClient(TActionClient* client) { std::erase(clients_, client); }

void TAction::Changed() {
  // A copy: a client may unlink itself while it is told.
  std::vector<TActionClient*> clients = clients_;
  for (TActionClient* client : clients) client->ActionChanged(*this);
}

TActionList::~TActionList() {
  while (!actions_.empty()) actions_.back()->SetActionList(nullptr);
}

TAction* TActionList::FindAction(const std::string& name) const {
  for (TAction* action : actions_) {
    if (action->Name() == name) return action;
  }
  return nullptr;
}

bool TActionList::IsShortCut(TShortCut shortCut) {
  if (shortCut == scNone) return false;
  // A copy: a command may add or remove actions.
  std::vector<TAction*> actions = actions_;
  for (TAction* action : actions) {
    if (action->HasShortCut(shortCut) && action->Execute()) return true;
  }
  return false;
}

}  // namespace vk::gui
