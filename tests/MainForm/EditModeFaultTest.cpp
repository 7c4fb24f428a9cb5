// Each posting and deletion with its n-th write failing, for every n until
// it succeeds: the failure reaches the caller, and the window is back in
// browse showing what the files hold.

#include <gtest/gtest.h>

#include <functional>

#include "MainFormFixture.h"
#include "Platform/fake/FaultyFileSystem.h"

namespace vk {
namespace {

using testing::FakeMainForm;
using testing::MainFormTest;
using C = TMainControl;

class EditModeFaults : public MainFormTest {
 protected:
  platform::FaultyFileSystem faulty{platform::DefaultFileSystem()};
};

TEST_F(EditModeFaults, AFailedStoreOperationReturnsToBrowseShowingTheFiles) {
  struct Operation {
    const char* what;
    std::function<void(FakeMainForm&)> select, run;
  };
  const auto goods = [](FakeMainForm& f) { f.SelectGoods("0137"); };
  const auto secondMove = [](FakeMainForm& f) {
    f.SelectGoods("0137");
    f.SelectMove(2);
  };
  const Operation operations[] = {
      {"new goods", goods,
       [](FakeMainForm& f) {
         f.Press(scIns);
         f.Type(C::EditCode, "0301");
         f.Type(C::EditName, "Кефир");
         f.Type(C::EditCost, "3.40");
         f.Type(C::EditWeight, "2.50");
         f.Press(scEnter);
       }},
      {"new price", goods,
       [](FakeMainForm& f) {
         f.Press(scF2);
         f.Type(C::EditCost, "3.00");
         f.Press(scEnter);
       }},
      {"incoming", goods,
       [](FakeMainForm& f) {
         f.Press(scF12);
         f.Type(C::EditWeight, "5.00");
         f.Press(scEnter);
       }},
      {"outgoing", secondMove,
       [](FakeMainForm& f) {
         f.Press(scF11);
         f.Type(C::EditWeight, "3.00");
         f.Type(C::EditPCount, "1");
         f.Press(scEnter);
       }},
      {"note", secondMove,
       [](FakeMainForm& f) {
         f.Press(scF2);
         f.Type(C::EditNote, "возврат");
         f.Press(scEnter);
       }},
      {"delete goods", goods,
       [](FakeMainForm& f) {
         f.answers = {1};
         f.Press(scDel);
       }},
      {"delete movement", secondMove,
       [](FakeMainForm& f) {
         f.answers = {1};
         f.Press(scDel);
       }},
  };
  for (const Operation& op : operations) {
    for (int n = 1;; ++n) {
      const std::string where = std::string(op.what) + ", write " + std::to_string(n) + " failing";
      SCOPED_TRACE(where);
      ResetShop(faulty);
      op.select(*form);
      faulty.Reset();
      faulty.FailNthMutation(n);
      bool raised = false;
      try {
        op.run(*form);
      } catch (const Exception&) {
        raised = true;
      }
      if (faulty.InjectedCount() == 0) {
        EXPECT_FALSE(raised);
        EXPECT_GT(n, 1) << "no write at all";
        EXPECT_EQ(Mode(), emBrowse);
        break;
      }
      EXPECT_TRUE(raised);
      EXPECT_EQ(Mode(), emBrowse);
      EXPECT_TRUE(form->ui.GridsEnabled);
      EXPECT_TRUE(form->ui[TModeAction::ActInsert].Enabled);
      EXPECT_EQ(form->goodsGrid.RowCount(), Goods().RecordCount() + 1);
      testing::ExpectConsistent(*store, where);
      ExpectPanelShowsDisk(where);
      ASSERT_LT(n, 40) << "the operation never succeeds";
    }
  }
}

}  // namespace
}  // namespace vk
