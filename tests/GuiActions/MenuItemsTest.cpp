#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Gui/MenuItems.h"

namespace vk::gui {
namespace {

// A menu that writes down what the window side would be told.
class RecordingMenu : public TMenu {
 public:
  std::vector<std::string> changes;
  std::vector<std::string> freed;

 protected:
  void ItemChanged(TMenuItem& item, bool structure) override {
    changes.push_back((structure ? "structure " : "") + item.Name());
  }
  void ItemFreed(TMenuItem& item) override { freed.push_back(item.Name()); }
};

std::unique_ptr<TMenuItem> Item(const std::string& name, const std::string& caption = "") {
  auto item = std::make_unique<TMenuItem>();
  item->SetName(name);
  item->SetCaption(caption.empty() ? name : caption);
  return item;
}

std::vector<std::string> Captions(const TMenuItem& parent) {
  std::vector<std::string> out;
  for (int i = 0; i < parent.Count(); ++i) out.push_back(parent.Items(i)->Caption());
  return out;
}

TEST(MenuItems, LinkedItemShowsTheActionAndFollowsALanguageSwitch) {
  RecordingMenu menu;
  TActionList list;
  TAction insert(&list);
  insert.SetCaption("Новый");
  insert.SetHint("Ввести новый товар");
  insert.SetShortCut(ShortCut(keys::Insert));
  auto product = Item("MenuProduct");
  TMenuItem item;
  item.SetName("ItemInsert");
  menu.Items.Add(product.get());
  product->Add(&item);
  item.SetAction(&insert);

  EXPECT_EQ(item.DisplayText(), "Новый\tIns");
  EXPECT_EQ(item.Hint(), "Ввести новый товар");

  menu.changes.clear();
  insert.SetCaption("New");
  insert.SetHint("Enter a new product");
  insert.SetEnabled(false);
  insert.SetVisible(false);
  EXPECT_EQ(item.DisplayText(), "New\tIns");
  EXPECT_EQ(item.Hint(), "Enter a new product");
  EXPECT_FALSE(item.Enabled());
  EXPECT_FALSE(item.Visible());
  EXPECT_EQ(menu.changes, (std::vector<std::string>{"ItemInsert", "ItemInsert", "ItemInsert", "structure ItemInsert"}));

  // A submenu shows no shortcut; a changed shortcut shows at once.
  insert.SetShortCut(ShortCut(keys::F2, scCtrl));
  EXPECT_EQ(item.DisplayText(), "New\tCtrl+F2");
  EXPECT_EQ(product->DisplayText(), "MenuProduct");
}

TEST(MenuItems, ClickRunsTheActionOnlyWhileItIsEnabled) {
  TActionList list;
  TAction post(&list);
  int runs = 0, clicks = 0;
  post.OnExecute = [&](TAction&) { ++runs; };
  TMenuItem linked, plain;
  linked.SetAction(&post);
  plain.OnClick = [&](TMenuItem&) { ++clicks; };

  linked.Click();
  post.SetEnabled(false);
  linked.Click();
  plain.Click();
  plain.SetEnabled(false);
  plain.Click();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(clicks, 1);
}

TEST(MenuItems, ItemOutlivesItsActionWithTheLastValues) {
  TMenuItem item;
  {
    TAction about;
    about.SetCaption("About...");
    item.SetAction(&about);
  }
  EXPECT_EQ(item.Action(), nullptr);
  EXPECT_EQ(item.Caption(), "About...");
  item.Click();  // nothing to run, and no freed action touched
}

TEST(MenuItems, ItemsAddedAtRunTimeGoWhereAskedAndLeaveWhenFreed) {
  RecordingMenu menu;
  auto file = Item("MenuFile");
  auto exportMenu = Item("MenuExport");
  auto save = Item("ActSaveAs");
  menu.Items.Add(file.get());
  file->Add(exportMenu.get());
  file->Add(save.get());
  auto csv = Item("MenuInOut0");
  auto txt = Item("MenuInOut1");
  exportMenu->Add(csv.get());
  exportMenu->Add(txt.get());
  // The empty first item some systems need.
  auto blank = Item("Blank", "-");
  file->Insert(0, blank.get());
  EXPECT_EQ(Captions(*file), (std::vector<std::string>{"-", "MenuExport", "ActSaveAs"}));
  EXPECT_TRUE(blank->IsLine());
  EXPECT_THROW(file->Insert(5, Item("X").get()), ERangeError);
  EXPECT_THROW(csv->Add(file.get()), EAssertionFailed);

  EXPECT_EQ(menu.Items.Find("MenuInOut1"), txt.get());
  EXPECT_EQ(txt->Menu(), &menu);
  csv.reset();
  EXPECT_EQ(Captions(*exportMenu), (std::vector<std::string>{"MenuInOut1"}));
  EXPECT_EQ(menu.freed, (std::vector<std::string>{"MenuInOut0"}));

  // A parent that goes first leaves its items free, not dangling.
  exportMenu.reset();
  EXPECT_EQ(txt->Parent(), nullptr);
  EXPECT_EQ(txt->Menu(), nullptr);
  EXPECT_EQ(Captions(*file), (std::vector<std::string>{"-", "ActSaveAs"}));
}

TEST(MenuItems, CommandNumbersFindTheirItemInTheirOwnMenuOnly) {
  RecordingMenu bar, popup;
  auto product = Item("MenuProduct");
  auto insert = Item("ActInsert");
  auto edit = Item("ActEdit");
  bar.Items.Add(product.get());
  product->Add(insert.get());
  product->Add(edit.get());
  std::uint16_t insertCommand = bar.CommandFor(*insert);
  std::uint16_t editCommand = bar.CommandFor(*edit);
  EXPECT_NE(insertCommand, editCommand);
  EXPECT_EQ(bar.CommandFor(*insert), insertCommand);
  EXPECT_EQ(bar.FindItem(editCommand), edit.get());
  EXPECT_EQ(bar.FindItem(0), nullptr);

  popup.Items.Add(edit.get());
  EXPECT_EQ(edit->Command(), 0);
  EXPECT_EQ(bar.FindItem(editCommand), nullptr);
  EXPECT_EQ(product->Count(), 1);
}

TEST(MenuItems, MenuKeysClickOnlyEnabledVisibleItemsWithoutActions) {
  RecordingMenu menu;
  TAction action;
  int runs = 0;
  action.SetShortCut(ShortCut(keys::F3));
  action.OnExecute = [&](TAction&) { ++runs; };
  auto top = Item("Top");
  auto linked = Item("Linked");
  auto own = Item("Own");
  auto hiddenParent = Item("HiddenParent");
  auto hiddenChild = Item("HiddenChild");
  menu.Items.Add(top.get());
  top->Add(linked.get());
  top->Add(own.get());
  menu.Items.Add(hiddenParent.get());
  hiddenParent->Add(hiddenChild.get());
  linked->SetAction(&action);
  int clicks = 0;
  own->SetShortCut(ShortCut(keys::F4));
  own->OnClick = [&](TMenuItem&) { ++clicks; };
  hiddenChild->SetShortCut(ShortCut(keys::F11));
  hiddenChild->OnClick = [&](TMenuItem&) { ++clicks; };
  hiddenParent->SetVisible(false);

  // The action's key is its list's to answer.
  EXPECT_FALSE(menu.IsShortCut(ShortCut(keys::F3)));
  EXPECT_TRUE(menu.IsShortCut(ShortCut(keys::F4)));
  EXPECT_FALSE(menu.IsShortCut(ShortCut(keys::F11)));
  own->SetEnabled(false);
  EXPECT_FALSE(menu.IsShortCut(ShortCut(keys::F4)));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace vk::gui
