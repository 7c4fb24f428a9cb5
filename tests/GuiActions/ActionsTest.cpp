#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Gui/ActnList.h"

namespace vk::gui {
namespace {

// The shortcut rules of the main window: one key shared by actions of two
// sides, of which the mode enables one.
class ActionDispatch : public testing::Test {
 protected:
  TAction* Add(const std::string& name, TShortCut shortCut, bool enabled) {
    actions.push_back(std::make_unique<TAction>(&list));
    TAction* action = actions.back().get();
    action->SetName(name);
    action->SetShortCut(shortCut);
    action->SetEnabled(enabled);
    action->OnExecute = [this](TAction& sender) { ran.push_back(sender.Name()); };
    return action;
  }

  TActionList list;
  std::vector<std::unique_ptr<TAction>> actions;
  std::vector<std::string> ran;
};

TEST_F(ActionDispatch, FirstEnabledActionWithTheKeyRunsAndDisabledOnesLeaveTheKey) {
  const TShortCut del = ShortCut(keys::Delete);
  TAction* goodsDelete = Add("ActDelete", del, true);
  TAction* moveDelete = Add("ActMovDel", del, true);
  Add("ActInsert", ShortCut(keys::Insert), false);

  EXPECT_TRUE(list.IsShortCut(del));
  EXPECT_EQ(ran, (std::vector<std::string>{"ActDelete"}));

  goodsDelete->SetEnabled(false);
  EXPECT_TRUE(list.IsShortCut(del));
  EXPECT_EQ(ran.back(), "ActMovDel");

  moveDelete->SetEnabled(false);
  ran.clear();
  // Nobody takes the key: it goes on to the focused control.
  EXPECT_FALSE(list.IsShortCut(del));
  EXPECT_FALSE(list.IsShortCut(ShortCut(keys::Insert)));
  EXPECT_FALSE(list.IsShortCut(ShortCut(keys::Delete, scShift)));
  EXPECT_TRUE(ran.empty());
}

TEST_F(ActionDispatch, SecondaryShortcutsRunTheActionButNoneNeverMatches) {
  TAction* add = Add("ActAdd", ShortCut(keys::Add), true);
  add->SetSecondaryShortCuts({TextToShortCut("F12")});
  Add("ActExit", scNone, true);

  EXPECT_TRUE(list.IsShortCut(ShortCut(keys::F12)));
  EXPECT_TRUE(list.IsShortCut(ShortCut(keys::Add)));
  EXPECT_FALSE(list.IsShortCut(scNone));
  EXPECT_EQ(ran, (std::vector<std::string>{"ActAdd", "ActAdd"}));

  add->SetSecondaryShortCuts({});
  EXPECT_FALSE(list.IsShortCut(ShortCut(keys::F12)));
}

TEST_F(ActionDispatch, UpdateDecidesBeforeTheKeyRunsAndAnActionWithoutCommandLeavesIt) {
  bool allowed = false;
  TAction* paste = Add("ActEditPaste", ShortCut('V', scCtrl), true);
  paste->OnUpdate = [&](TAction& sender) { sender.SetEnabled(allowed); };
  EXPECT_FALSE(list.IsShortCut(ShortCut('V', scCtrl)));
  allowed = true;
  EXPECT_TRUE(list.IsShortCut(ShortCut('V', scCtrl)));
  EXPECT_EQ(ran, (std::vector<std::string>{"ActEditPaste"}));

  TAction* bare = Add("ActBare", ShortCut(keys::F9), true);
  bare->OnExecute = nullptr;
  EXPECT_FALSE(bare->Execute());
  EXPECT_FALSE(list.IsShortCut(ShortCut(keys::F9)));
}

TEST_F(ActionDispatch, CheckingAnActionOfAGroupUnchecksTheOthersOfThatGroupOnly) {
  TAction* rus = Add("ActSelectRusLang", scNone, true);
  TAction* ukr = Add("ActSelectUkrLang", scNone, true);
  TAction* eng = Add("ActSelectEngLang", scNone, true);
  TAction* laptop = Add("ActNotebook", scNone, true);
  for (TAction* a : {rus, ukr, eng}) a->SetGroupIndex(1);
  laptop->SetChecked(true);

  eng->SetChecked(true);
  rus->SetChecked(true);
  EXPECT_TRUE(rus->Checked());
  EXPECT_FALSE(ukr->Checked());
  EXPECT_FALSE(eng->Checked());
  EXPECT_TRUE(laptop->Checked());
  rus->SetChecked(false);
  EXPECT_FALSE(rus->Checked() || ukr->Checked() || eng->Checked());
}

TEST_F(ActionDispatch, ActionsAndListsMayGoInEitherOrder) {
  TAction* first = Add("A1", ShortCut(keys::F2), true);
  Add("A2", ShortCut(keys::F3), true);
  EXPECT_EQ(list.FindAction("A2"), actions[1].get());
  actions[1].reset();
  EXPECT_EQ(list.FindAction("A2"), nullptr);
  EXPECT_FALSE(list.IsShortCut(ShortCut(keys::F3)));

  {
    TActionList other;
    first->SetActionList(&other);
    EXPECT_TRUE(list.Actions().empty());
    EXPECT_TRUE(other.IsShortCut(ShortCut(keys::F2)));
  }
  EXPECT_EQ(first->ActionList(), nullptr);
  EXPECT_TRUE(first->Execute());
}

}  // namespace
}  // namespace vk::gui
