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
  EXPECT_EQ(a, InstanceMutexName("Vorkel - C:\\Shop"));
  EXPECT_NE(a, InstanceMutexName("Vorkel - C:\\Shop2"));
  // The running program is found by its title ignoring case: a folder
  // written in another case is the same instance, in every alphabet.
  EXPECT_EQ(a, InstanceMutexName("Vorkel - c:\\shop"));
  EXPECT_EQ(InstanceMutexName("Vorkel - D:\\Склад Їжа"), InstanceMutexName("vorkel - d:\\склад їжа"));
  EXPECT_NE(InstanceMutexName("Vorkel - D:\\Склад"), InstanceMutexName("Vorkel - D:\\Склад2"));
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(HashText("VORKEL - C:\\СКЛАД")));
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
