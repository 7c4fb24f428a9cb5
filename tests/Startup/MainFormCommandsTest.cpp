// The main window's command tables: every action is labelled in each
// language, every menu entry names something that exists, every action is
// reachable from a menu, and every action the edit modes steer is one of the
// window's.

#include <gtest/gtest.h>

#include <set>

#include "Source/MainFormCommands.h"
#include "Source/MainFormModes.h"
#include "Tools/Service/EngText.h"
#include "Tools/Service/RusText.h"
#include "Tools/Service/UkrText.h"

namespace vk {
namespace {

TEST(MainFormCommands, EveryActionAndMenuIsLabelledInEachLanguage) {
  const TTexts* languages[] = {&RussianLanguageTexts().Texts, &UkrainianLanguageTexts().Texts,
                               &EnglishLanguageTexts().Texts};
  for (const TActionSpec& action : MainFormActions()) {
    for (const TTexts* texts : languages) {
      EXPECT_FALSE((texts->*action.Caption).empty()) << action.Name;
      EXPECT_FALSE((texts->*action.Hint).empty()) << action.Name;
    }
    EXPECT_NE(languages[0]->*action.Caption, languages[2]->*action.Caption) << action.Name << " is not translated";
  }
  for (const TMenuSpec& menu : MainFormMenus()) {
    if (!menu.Caption) continue;
    for (const TTexts* texts : languages) EXPECT_FALSE((texts->*menu.Caption).empty()) << menu.Name;
  }
}

TEST(MainFormCommands, MenusNameOnlyKnownEntriesAndReachEveryAction) {
  std::set<std::string> reached;
  for (const TMenuSpec& menu : MainFormMenus()) {
    for (const char* entry : menu.Entries) {
      const std::string name = entry;
      if (name == "-") continue;
      EXPECT_TRUE(FindMainFormAction(name) || FindMainFormMenu(name)) << menu.Name << ": " << name;
      reached.insert(name);
    }
  }
  for (const TActionSpec& action : MainFormActions()) EXPECT_TRUE(reached.count(action.Name)) << action.Name;
  std::set<std::string> names;
  for (const TActionSpec& action : MainFormActions()) EXPECT_TRUE(names.insert(action.Name).second) << action.Name;
}

TEST(MainFormCommands, EveryModeActionIsAnActionOfTheWindow) {
  for (int a = 0; a < kModeActionCount; ++a) {
    const char* name = ModeActionName(static_cast<TModeAction>(a));
    EXPECT_NE(FindMainFormAction(name), nullptr) << name;
  }
}

}  // namespace
}  // namespace vk
