#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Gui/ActnList.h"

namespace vk::gui {
namespace {

class ActionDispatch : public testing::Test {
 protected:
  TAction* Add(const std::string& name, TShortCut shortCut) {
    actions.push_back(std::make_unique<TAction>(&list));
    TAction* action = actions.back().get();
    action->SetName(name);
    action->SetShortCut(shortCut);
    action->OnExecute = [this](TAction& sender) { ran.push_back(sender.Name()); };
    return action;
  }

  TActionList list;
  std::vector<std::unique_ptr<TAction>> actions;
  std::vector<std::string> ran;
};

// The main window's Del: one key for the goods and the moves side, of which
// the mode enables one; in the entry modes neither, and an edit gets it.
TEST_F(ActionDispatch, FirstEnabledActionWithTheKeyRunsAndDisabledOnesLeaveTheKey) {
  const TShortCut del = ShortCut(keys::Delete);
  TAction* goods = Add("ActDelete", del);
  TAction* moves = Add("ActMovDel", del);
  TAction* add = Add("ActAdd", ShortCut(keys::Add));
  add->SetSecondaryShortCuts({TextToShortCut("F12")});
  bool pasteAllowed = false;
  TAction* paste = Add("ActEditPaste", ShortCut('V', scCtrl));
  paste->OnUpdate = [&](TAction& a) { a.SetEnabled(pasteAllowed); };
  Add("ActBare", ShortCut(keys::F9))->OnExecute = nullptr;

  struct Step {
    bool goodsOn, movesOn;
    TShortCut key;
    bool used;
    const char* ran;
  } steps[] = {
      {true, true, del, true, "ActDelete"},
      {false, true, del, true, "ActMovDel"},
      {false, false, del, false, ""},
      {false, false, ShortCut(keys::Delete, scShift), false, ""},
      {false, false, ShortCut(keys::F12), true, "ActAdd"},
      {false, false, ShortCut('V', scCtrl), false, ""},  // its update says no
      {false, false, ShortCut(keys::F9), false, ""},     // no command to run
      {false, false, scNone, false, ""},
  };
  for (const Step& s : steps) {
    goods->SetEnabled(s.goodsOn);
    moves->SetEnabled(s.movesOn);
    ran.clear();
    EXPECT_EQ(list.IsShortCut(s.key), s.used) << s.ran;
    EXPECT_EQ(ran, s.used ? std::vector<std::string>{s.ran} : std::vector<std::string>{});
  }
  pasteAllowed = true;
  EXPECT_TRUE(list.IsShortCut(ShortCut('V', scCtrl)));
}

TEST_F(ActionDispatch, CheckingAnActionOfAGroupUnchecksTheOthersOfThatGroupOnly) {
  TAction* rus = Add("ActSelectRusLang", scNone);
  TAction* ukr = Add("ActSelectUkrLang", scNone);
  TAction* eng = Add("ActSelectEngLang", scNone);
  TAction* laptop = Add("ActNotebook", scNone);
  for (TAction* a : {rus, ukr, eng}) a->SetGroupIndex(1);
  laptop->SetChecked(true);
  eng->SetChecked(true);
  rus->SetChecked(true);
  EXPECT_TRUE(rus->Checked() && laptop->Checked());
  EXPECT_FALSE(ukr->Checked() || eng->Checked());
}

TEST_F(ActionDispatch, ActionsAndListsMayGoInEitherOrder) {
  TAction* first = Add("A1", ShortCut(keys::F2));
  Add("A2", ShortCut(keys::F3));
  actions[1].reset();
  EXPECT_EQ(list.FindAction("A2"), nullptr);
  EXPECT_FALSE(list.IsShortCut(ShortCut(keys::F3)));
  {
    TActionList other;
    first->SetActionList(&other);
    EXPECT_TRUE(list.Actions().empty());
  }
  EXPECT_EQ(first->ActionList(), nullptr);
  EXPECT_TRUE(first->Execute());
}

}  // namespace
}  // namespace vk::gui
