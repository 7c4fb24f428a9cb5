#pragma once
// Actions: the commands of a window with their caption, hint, shortcuts and
// state, shown by menu items that follow every change, and run by a menu
// click or by a key. An action list holds a window's actions and answers the
// message loop's question whether a key is one of their shortcuts.
// Portable: the window side only asks and shows.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Gui/ShortCuts.h"

namespace vk::gui {

class TAction;
class TActionList;

// Something that shows an action (a menu item) and follows its changes.
class TActionClient {
 public:
  virtual void ActionChanged(TAction& action) = 0;
  // The action is being destroyed; the client forgets it.
  virtual void ActionFreed(TAction& action) = 0;

 protected:
  ~TActionClient() = default;
};

class TAction {
 public:
  // Joins the list when one is given.
  explicit TAction(TActionList* list = nullptr);
  // Leaves its list; its clients forget it.
  virtual ~TAction();
  TAction(const TAction&) = delete;
  TAction& operator=(const TAction&) = delete;

  TActionList* ActionList() const { return list_; }
  // Moves the action to another list (or out of any with null).
  void SetActionList(TActionList* list);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  const std::string& Category() const { return category_; }
  void SetCategory(const std::string& category) { category_ = category; }
  // A value of the user's own.
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);

  // The shortcut a menu item shows; scNone for none.
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  // Further keys that run the action; menus do not show them.
  const std::vector<TShortCut>& SecondaryShortCuts() const { return secondary_; }
  void SetSecondaryShortCuts(std::vector<TShortCut> shortCuts) { secondary_ = std::move(shortCuts); }
  // The shortcut or one of the secondary ones is the key (scNone never is).
  bool HasShortCut(TShortCut shortCut) const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Checked() const { return checked_; }
  // Checking an action of a group (GroupIndex above 0) unchecks the other
  // actions of its list in the same group.
  void SetChecked(bool checked);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int groupIndex) { groupIndex_ = groupIndex; }
  // The action's picture in menus: an index into the menu's image list; -1
  // for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  // The command; the sender is the action (its Tag tells commands apart).
  std::function<void(TAction& sender)> OnExecute;
  // Sets the state (Enabled, Checked) from the program's state; runs before
  // a menu shows the action and before a key or a click runs it.
  std::function<void(TAction& sender)> OnUpdate;

  // Update, then OnExecute when the action is enabled; true when it ran.
  virtual bool Execute();
  // OnUpdate, when there is one.
  virtual void Update();

  void AddClient(TActionClient* client);
  void RemoveClient(TActionClient* client);

 protected:
  // Tells the clients that a shown property changed.
  void Changed();

 private:
  TActionList* list_ = nullptr;
  std::string name_;
  std::string category_;
  std::intptr_t tag_ = 0;
  std::string caption_;
  std::string hint_;
  TShortCut shortCut_ = scNone;
  std::vector<TShortCut> secondary_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
  std::vector<TActionClient*> clients_;
};

class TActionList {
 public:
  TActionList() = default;
  // The actions still in the list leave it (they are not owned).
  ~TActionList();
  TActionList(const TActionList&) = delete;
  TActionList& operator=(const TActionList&) = delete;

  // In the order they joined.
  const std::vector<TAction*>& Actions() const { return actions_; }
  // The action of that name; null when none.
  TAction* FindAction(const std::string& name) const;

  // The key as a command: the first action of the list that has it as a
  // shortcut and is enabled (after its update) runs, and the answer is true.
  // A disabled action leaves the key to the next action, and in the end to
  // the control that has the focus.
  bool IsShortCut(TShortCut shortCut);

 private:
  friend class TAction;
  std::vector<TAction*> actions_;
};

}  // namespace vk::gui
