#pragma once
// Menu items as a tree that a window's menu shows: captions (a caption of
// "-" makes a separator), hints, shortcuts, checks and radio marks, enabled
// and hidden items, items added and removed at run time, and the link to an
// action, whose caption, hint, shortcut and state the item follows.
// TMenu is the root of one tree; the window side (Menus.h) builds the
// system's menu from it and is told of every change. Portable.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Gui/ActnList.h"

namespace vk::gui {

class TMenu;

class TMenuItem : public TActionClient {
 public:
  TMenuItem() = default;
  // Leaves its parent and its action; its own items lose their parent.
  virtual ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // A hidden item takes no place in the menu.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // The check shows as a round mark.
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radioItem);

  // The picture beside the caption: an index into the menu's image list;
  // -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  // A separator line.
  bool IsLine() const { return caption_ == "-"; }
  // What the menu shows: the caption, and the shortcut's text after a tab.
  std::string DisplayText() const;

  // Takes the action's caption, hint, shortcut, picture, enabled, visible and
  // checked state now and at every change; null unlinks and keeps the values.
  TAction* Action() const { return action_; }
  void SetAction(TAction* action);

  // Used when the item has no action.
  std::function<void(TMenuItem& sender)> OnClick;
  // A click on the item: runs its action (when that is enabled), or OnClick
  // when the item is enabled.
  virtual void Click();

  // Items of a submenu; not owned.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem* item) const;
  // An item that has a parent leaves it first.
  void Add(TMenuItem* item);
  // Index 0 .. Count(); any other raises ERangeError.
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // The item of that name in this item's tree (this item too); null when none.
  TMenuItem* Find(const std::string& name);

  // The menu whose tree holds the item; null while it is in none.
  TMenu* Menu() const;
  // The number the window's menu knows the item by; 0 until it is shown.
  std::uint16_t Command() const { return command_; }

 protected:
  void ActionChanged(TAction& action) override;
  void ActionFreed(TAction& action) override;

 private:
  friend class TMenu;

  // Tells the menu; structure: items came, went, showed or hid.
  void Changed(bool structure);
  void TakeActionValues();
  void Detach(TMenuItem* item);
  void ForgetCommands();

  std::string name_;
  std::intptr_t tag_ = 0;
  std::string caption_;
  std::string hint_;
  TShortCut shortCut_ = scNone;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool radioItem_ = false;
  int imageIndex_ = -1;
  TAction* action_ = nullptr;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenu* menu_ = nullptr;  // set on a menu's root item only
  std::uint16_t command_ = 0;
};

// The root of one menu tree. The window side derives from it.
class TMenu {
 public:
  TMenu();
  virtual ~TMenu();
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;

  // The root; its items are the menu's entries.
  TMenuItem Items;

  // The item with the command number in this tree; null when none.
  TMenuItem* FindItem(std::uint16_t command);
  // Runs the update of the actions of the item's own items, as before the
  // item's submenu opens.
  static void UpdateActions(TMenuItem& parent);

  // Gives the item a command number of this menu when it has none yet.
  std::uint16_t CommandFor(TMenuItem& item);

 protected:
  friend class TMenuItem;
  // An item of the tree changed: with structure, items came, went, showed or hid.
  virtual void ItemChanged(TMenuItem& /*item*/, bool /*structure*/) {}
  // The item is being destroyed (it has already left its parent).
  virtual void ItemFreed(TMenuItem& /*item*/) {}

 private:
  std::uint16_t nextCommand_ = 1;
};

}  // namespace vk::gui
