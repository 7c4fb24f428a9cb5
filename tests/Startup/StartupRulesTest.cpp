// The start-up rules apart from the sequence: the start language, the mutex
// name and the exception box.

#include <gtest/gtest.h>

#include <regex>

#include "Core/SysUtils.h"
#include "Source/Exceptions.h"
#include "Source/Startup.h"
#include "Tools/Security/Hash.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

TEST(StartLanguage, StoredLanguageHoldsOnlyOnACyrillicSystem) {
  struct Case {
    bool cyrillic;
    std::uint32_t stored;
    std::uint8_t expected;
  };
  for (const Case& c : {Case{true, 0, kLangRussian}, Case{true, 1, kLangUkrainian}, Case{true, 2, kLangEnglish},
                        Case{true, 7, kLangEnglish}, Case{false, 0, kLangEnglish}, Case{false, 1, kLangEnglish}}) {
    EXPECT_EQ(StartLanguage(c.cyrillic, c.stored), c.expected) << c.cyrillic << " " << c.stored;
  }
}

TEST(InstanceMutexName, FollowsTheFolderAndItsCase) {
  const std::string a = InstanceMutexName("Vorkel - C:\\Shop");
  EXPECT_TRUE(std::regex_match(a, std::regex("mutexVorkel[0-9A-F]{8}"))) << a;
  struct Case {
    const char* first;
    const char* second;
    bool same;
  } cases[] = {
      {"Vorkel - C:\\Shop", "Vorkel - C:\\Shop", true},
      {"Vorkel - C:\\Shop", "Vorkel - C:\\Shop2", false},
      // The running program is found by its title ignoring case: a folder
      // written in another case is the same instance, in every alphabet.
      {"Vorkel - C:\\Shop", "Vorkel - c:\\shop", true},
      {"Vorkel - D:\\Склад Їжа", "vorkel - d:\\склад їжа", true},
      {"Vorkel - D:\\Склад", "Vorkel - D:\\Склад2", false},
      // Letters the system's code page lacks still tell two folders apart,
      // on an English system as on a Cyrillic one.
      {"Vorkel - C:\\shops\\Копия", "Vorkel - C:\\shops\\Архив", false},
      {"Vorkel - C:\\shops\\Café", "Vorkel - C:\\shops\\Cafe", false},
      {"Vorkel - C:\\shops\\Ёлка", "Vorkel - C:\\shops\\ёлка", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InstanceMutexName(c.first) == InstanceMutexName(c.second), c.same) << c.first << " / " << c.second;
  }
  // The hash is over the capitalised title's own text, whatever the system's
  // code page.
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(HashString("VORKEL - C:\\СКЛАД")));
  EXPECT_EQ(InstanceMutexName("Vorkel - C:\\Склад"), std::string("mutexVorkel") + hex);
}

TEST(ExceptionBox, TextNamesClassAndAddressWithoutBlankAfterColon) {
  EXPECT_EQ(ExceptionBoxText("Ошибка", "EIntOverflow", 0x1A2B), "Ошибка\r\nEIntOverflow :00001A2B");
  EXPECT_EQ(ExceptionClassName(EIntOverflow()), "EIntOverflow");
  EXPECT_EQ(ExceptionClassName(std::runtime_error("x")), "Exception");
}

TEST(ExceptionBox, CaptionFollowsTheLanguageAndHasOneBeforeAnyIsLoaded) {
  UnloadTexts();
  EXPECT_EQ(ExceptionBoxCaption(), "Vorkel - Execution error");
  LoadRussianTexts();
  EXPECT_EQ(ExceptionBoxCaption(), "Vorkel - " + ProgTexts.ExecutionErrorCaption);
  EXPECT_NE(ProgTexts.ExecutionErrorCaption, "Execution error");
  std::vector<std::string> shown;
  TExceptHandler handler([&](const std::string& text, const std::string& caption, int flags) {
    shown.push_back(caption + "|" + std::to_string(flags) + "|" + text.substr(0, text.find('\r')));
  });
  handler.AppException(EOSError("Вне диапазона"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Vorkel - " + ProgTexts.ExecutionErrorCaption + "|16|Вне диапазона");
  UnloadTexts();
}

}  // namespace
}  // namespace vk
