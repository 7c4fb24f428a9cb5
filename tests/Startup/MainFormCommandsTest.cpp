// The main window's command tables: every action is labelled in each
// language, every menu entry names something that exists, every action is
// reachable from a menu, and in browse mode no key runs two actions.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "Source/MainFormCommands.h"
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

TEST(MainFormCommands, InBrowseModeNoKeyRunsTwoActions) {
  for (bool movesSide : {false, true}) {
    for (bool enhanced : {false, true}) {
      SCOPED_TRACE(std::string(movesSide ? "moves side" : "goods side") + (enhanced ? ", enhanced" : ", laptop"));
      std::map<TCommandKey, std::string> owner;
      for (const TActionSpec& action : MainFormActions()) {
        const TBrowseKeys keys = BrowseModeKeys(action.Name, movesSide, enhanced);
        std::vector<TCommandKey> all = keys.Secondary;
        all.push_back(keys.Primary);
        for (TCommandKey key : all) {
          if (key == kKeyNone) continue;
          const auto [it, fresh] = owner.emplace(key, action.Name);
          EXPECT_TRUE(fresh) << "key " << key << ": " << it->second << " and " << action.Name;
        }
      }
      EXPECT_EQ(owner[kKeyEscape], "ActExit");
      EXPECT_EQ(owner[kKeyDelete], movesSide ? "ActMovDel" : "ActDelete");
      EXPECT_EQ(owner[kKeyF2], movesSide ? "ActMovEdit" : "ActEdit");
      EXPECT_EQ(owner.count(kKeyAdd), enhanced ? 1u : 0u);
      EXPECT_EQ(owner[kKeyF12], "ActAdd");
    }
  }
}

}  // namespace
}  // namespace vk
