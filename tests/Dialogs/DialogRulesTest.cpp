// The small dialogs' decisions: the order of the checks of a change of
// password over real settings (in memory), and the layout messages of the
// password prompt.
#include <gtest/gtest.h>

#include "Source/DialogRules.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "tests/Config/CfgTestSupport.h"

namespace vk {
namespace {

class PassChange : public ::testing::Test {
 protected:
  void SetUp() override {
    options = std::make_unique<TProgOptions>(testing::kCfgPath, testing::kKeyName, sys.Environment());
    pass = std::make_unique<TPass>(options.get(), 1251);
    ASSERT_TRUE(pass->SetPassword("Склад-2026"));
  }
  testing::FakeSystem sys;
  std::unique_ptr<TProgOptions> options;
  std::unique_ptr<TPass> pass;
};

TEST_F(PassChange, ChecksTheOldPasswordFirstThenTheConfirmationThenStores) {
  struct Case {
    const char *old, *fresh, *again;
    TPassChangeResult expected;
  } cases[] = {
      {"wrong", "a", "b", TPassChangeResult::IncorrectOld},  // reported though the new ones differ too
      {"склад-2026", "new", "new", TPassChangeResult::IncorrectOld},
      {"", "new", "new", TPassChangeResult::IncorrectOld},
      {"Склад-2026", "Новый", "новый", TPassChangeResult::Mismatch},
      {"Склад-2026", "new", "new ", TPassChangeResult::Mismatch},
  };
  const std::string before = sys.File();
  for (const Case& c : cases) {
    EXPECT_EQ(ChangePassword(*pass, c.old, c.fresh, c.again), c.expected) << c.old << "/" << c.fresh;
    EXPECT_EQ(sys.File(), before);
    EXPECT_TRUE(pass->Check("Склад-2026"));
  }
  EXPECT_EQ(ChangePassword(*pass, "Склад-2026", "Новый", "Новый"), TPassChangeResult::Changed);
  EXPECT_TRUE(pass->Check("Новый"));
  EXPECT_FALSE(pass->Check("Склад-2026"));
  // An empty new password removes the password.
  EXPECT_EQ(ChangePassword(*pass, "Новый", "", ""), TPassChangeResult::Changed);
  EXPECT_TRUE(pass->IsEmpty());
}

TEST_F(PassChange, AFileThatCannotBeWrittenKeepsTheOldPassword) {
  sys.Files.FailWrites(true);
  EXPECT_EQ(ChangePassword(*pass, "Склад-2026", "new", "new"), TPassChangeResult::NotSaved);
  sys.Files.FailWrites(false);
  EXPECT_TRUE(pass->Check("Склад-2026"));
  EXPECT_FALSE(pass->Check("new"));
}

TEST(PasswordPrompt, LayoutChangeMessagesByWindowsVersionClass) {
  struct Case {
    unsigned message;
    std::uintptr_t wParam;
    std::uint8_t versionClass;
    bool change;
  } cases[] = {
      {0x0050, 0, 0, true},  {0x0050, 0, 2, true},   {0xC03E, 18, 2, false}, {1787, 0, 1, false},
      {0xC03E, 18, 3, true}, {0xC03E, 17, 3, false}, {0x0050, 0, 3, false},  {1787, 0, 3, false},
      {1787, 0, 4, true},    {0xC000, 0, 6, true},   {0xFFFF, 5, 8, true},   {0xBFFF, 0, 7, false},
      {0x0050, 0, 6, false}, {0x0100, 27, 6, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsLayoutChangeMessage(c.message, c.wParam, c.versionClass), c.change)
        << std::hex << c.message << " class " << int(c.versionClass);
  }
}

TEST(PasswordPrompt, LayoutIndicatorShowsTwoUpperCaseLetters) {
  EXPECT_EQ(LayoutIndicatorText("ru"), "RU");
  EXPECT_EQ(LayoutIndicatorText("uk"), "UK");
  EXPECT_EQ(LayoutIndicatorText("fil"), "FI");
  EXPECT_EQ(LayoutIndicatorText(""), "");
}

}  // namespace
}  // namespace vk
