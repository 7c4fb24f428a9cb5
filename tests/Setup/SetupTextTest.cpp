// The setup's texts: every language fills every text a window or a step
// shows, the language box maps to the program's language numbers, and the
// replacement answers hold for the rest of one install.

#include <gtest/gtest.h>

#include "Core/SysUtils.h"
#include "vkSetup/ConfirmRules.h"
#include "vkSetup/TextIntface.h"
#include "vkSetup/WizardRules.h"

namespace vk::setup {
namespace {

TEST(SetupTexts, LanguageBoxItemsMapToTheProgramsLanguageNumbers) {
  struct Case {
    int Item;
    uint32_t Language;
    const char* Caption;
  };
  for (Case c : {Case{0, 2, "Vorkel software installation"}, Case{1, 0, "Установка программы Vorkel"},
                 Case{2, 1, "Встановлення програми Vorkel"}}) {
    UseSetupTextOf(LanguageOfItem(c.Item));
    EXPECT_EQ(CurrentSetupText().Caption, c.Caption);
  }
  EXPECT_THROW(LanguageOfItem(3), ERangeError);
  EXPECT_THROW(LanguageOfItem(-1), ERangeError);
  UseEnglishSetupText();
}

TEST(SetupTexts, EveryLanguageFillsEveryShownText) {
  for (auto get : {GetEngSetupText, GetRusSetupText, GetUkrSetupText}) {
    TSetupText text;
    get(text);
    SCOPED_TRACE(text.Caption);
    // The three address values of the uninstall entry are empty on purpose.
    text.UrlInfoAbout = text.UrlUpdateInfo = text.HelpLink = "-";
    const std::string* fields = &text.Caption;
    const std::string* end = &text.BadFolder + 1;
    for (const std::string* field = fields; field != end; ++field) {
      EXPECT_FALSE(field->empty()) << "field " << (field - fields + 1);
    }
    // The licence runs over many lines and names the button that accepts it.
    EXPECT_GT(std::count(text.LicenseText.begin(), text.LicenseText.end(), '\n'), 6);
    EXPECT_NE(text.LicenseText.find(text.BtnAgree), std::string::npos);
  }
}

TEST(SetupTexts, SummaryShowsTheChoicesInTheChosenLanguage) {
  TSetupText text;
  GetRusSetupText(text);
  EXPECT_EQ(SummaryLines(text, "Русский", "C:\\Склад\\", true, false),
            (std::vector<std::string>{"Язык установки", "    Русский", "Путь для установки", "    \"C:\\Склад\\\"",
                                      "Создать группу программ в меню пуск", "    Да",
                                      "Создать ярлык программы на рабочем столе", "    Нет", ""}));
}

TEST(ReplaceConfirmation, AnswersForAllHoldUntilTheGroupIsReset) {
  TConfirmGroup group;
  int asked = 0;
  auto answer = [&](int result) {
    return [&asked, result] {
      ++asked;
      return result;
    };
  };
  EXPECT_TRUE(group.ConfirmReplace(false, answer(mrConfirmNo)));  // a new file is never asked about
  EXPECT_TRUE(group.ConfirmReplace(true, answer(mrConfirmYes)));
  EXPECT_FALSE(group.ConfirmReplace(true, answer(mrConfirmNo)));
  EXPECT_FALSE(group.ConfirmReplace(true, answer(2)));  // closed with the title bar's button
  EXPECT_EQ(asked, 3);
  EXPECT_FALSE(group.ConfirmReplace(true, answer(mrConfirmNoToAll)));
  EXPECT_FALSE(group.ConfirmReplace(true, answer(mrConfirmYes)));
  EXPECT_TRUE(group.ConfirmReplace(false, answer(mrConfirmYes)));
  EXPECT_EQ(asked, 4);
  group.ResetGroupMode();
  EXPECT_TRUE(group.ConfirmReplace(true, answer(mrConfirmYesToAll)));
  EXPECT_TRUE(group.ConfirmReplace(true, answer(mrConfirmNo)));
  EXPECT_EQ(asked, 5);
  EXPECT_EQ(group.GroupMode(), TGroupMode::YesToAll);
}

}  // namespace
}  // namespace vk::setup
