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

std::vector<std::string> Names(const TMenuItem& parent) {
  std::vector<std::string> out;
  for (int i = 0; i < parent.Count(); ++i) out.push_back(parent.Items(i)->Name());
  return out;
}

TEST(MenuItems, LinkedItemFollowsItsActionAndClicksOnlyWhileItIsEnabled) {
  RecordingMenu menu;
  auto product = Item("MenuProduct");
  menu.Items.Add(product.get());
  auto item = Item("ItemInsert");
  product->Add(item.get());
  int runs = 0;
  {
    TAction insert;
    insert.SetShortCut(ShortCut(keys::Insert));
    insert.OnExecute = [&](TAction&) { ++runs; };
    item->SetAction(&insert);
    menu.changes.clear();
    insert.SetCaption("New");
    insert.SetEnabled(false);
    insert.SetVisible(false);
    EXPECT_EQ(item->DisplayText(), "New\tIns");
    EXPECT_EQ(product->DisplayText(), "MenuProduct");  // a submenu shows no shortcut
    EXPECT_FALSE(item->Enabled() || item->Visible());
    EXPECT_EQ(menu.changes, (std::vector<std::string>{"ItemInsert", "ItemInsert", "structure ItemInsert"}));
    item->Click();
    insert.SetEnabled(true);
    item->Click();
  }
  EXPECT_EQ(runs, 1);
  // The action went first: the item keeps its last values and runs nothing.
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(item->Caption(), "New");
  item->Click();
  EXPECT_EQ(runs, 1);
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
  // The empty first entry some systems need.
  auto blank = Item("Blank", " ");
  file->Insert(0, blank.get());
  EXPECT_EQ(Names(*file), (std::vector<std::string>{"Blank", "MenuExport", "ActSaveAs"}));
  EXPECT_THROW(file->Insert(4, Item("X").get()), ERangeError);
  EXPECT_THROW(csv->Add(file.get()), EAssertionFailed);
  EXPECT_EQ(menu.Items.Find("MenuInOut1"), txt.get());

  csv.reset();
  EXPECT_EQ(Names(*exportMenu), (std::vector<std::string>{"MenuInOut1"}));
  EXPECT_EQ(menu.freed, (std::vector<std::string>{"MenuInOut0"}));
  // A parent that goes first leaves its items free, not dangling.
  exportMenu.reset();
  EXPECT_EQ(txt->Parent(), nullptr);
  EXPECT_EQ(txt->Menu(), nullptr);
  EXPECT_EQ(Names(*file), (std::vector<std::string>{"Blank", "ActSaveAs"}));
}

TEST(MenuItems, CommandNumbersFindTheirItemInTheirOwnMenuOnly) {
  RecordingMenu bar, popup;
  auto insert = Item("ActInsert");
  auto edit = Item("ActEdit");
  bar.Items.Add(insert.get());
  bar.Items.Add(edit.get());
  std::uint16_t editCommand = bar.CommandFor(*edit);
  EXPECT_NE(bar.CommandFor(*insert), editCommand);
  EXPECT_EQ(bar.CommandFor(*edit), editCommand);
  EXPECT_EQ(bar.FindItem(editCommand), edit.get());

  popup.Items.Add(edit.get());
  EXPECT_EQ(edit->Command(), 0);
  EXPECT_EQ(bar.FindItem(editCommand), nullptr);
}

}  // namespace
}  // namespace vk::gui
