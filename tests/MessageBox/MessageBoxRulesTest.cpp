#include <gtest/gtest.h>

#include <string>

#include "vkNames/MessageBoxRules.h"

namespace vk::test {
namespace {

TEST(MessageBoxRules, FlagsGiveTheIconAndTheNumberOfButtons) {
  struct Case {
    int flags;
    int icon;
    bool twoButtons;
  } cases[] = {
      {16, kIdiHand, false},
      {32, kIdiQuestion, false},
      {48, kIdiExclamation, false},
      {64, kIdiAsterisk, false},
      {33, kIdiQuestion, true},
      {49, kIdiExclamation, true},
      {17, kIdiHand, true},
      {0, 0, false},
      {80, 0, false},
      {1, 0, true},
      {18, kIdiHand, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MessageBoxIconId(c.flags), c.icon) << c.flags;
    EXPECT_EQ(HasTwoButtons(c.flags), c.twoButtons) << c.flags;
  }
}

TEST(MessageBoxRules, OneButtonIsTheRightHandButtonPressedByEnterAndEsc) {
  TMessageBoxButtons buttons = PlanMessageBoxButtons(48, "OK", "Close message window", "Cancel", "");
  EXPECT_FALSE(buttons.Btn1.has_value());
  EXPECT_EQ(buttons.Btn2, (TMessageButtonSetup{"OK", "Close message window", true, true, 1}));
  EXPECT_FALSE(buttons.Btn1Focused);
}

TEST(MessageBoxRules, TwoButtonsAnswerOneAndTwoWithTheFirstFocusedAndEscOnTheSecond) {
  TMessageBoxButtons buttons = PlanMessageBoxButtons(33, "Yes", "Remove the goods", "No", "Keep the goods");
  ASSERT_TRUE(buttons.Btn1.has_value());
  EXPECT_EQ(*buttons.Btn1, (TMessageButtonSetup{"Yes", "Remove the goods", true, false, 1}));
  EXPECT_EQ(buttons.Btn2, (TMessageButtonSetup{"No", "Keep the goods", false, true, 2}));
  EXPECT_TRUE(buttons.Btn1Focused);
}

// Every character 10 pixels wide, so a line below 100 pixels holds 9.
int TenPerChar(const std::string& text) { return static_cast<int>(text.size()) * 10; }

TEST(MessageBoxRules, WrapPathLinesBreaksAfterBackslashesWithinTheWidth) {
  struct Case {
    const char* name;
    std::string path;
    std::string expected;
  } cases[] = {
      {"empty", "", ""},
      {"fits in one line", "C:\\A\\B", "C:\\A\\B"},
      {"nine characters fit", "C:\\ABCDEF", "C:\\ABCDEF"},
      {"exactly the width does not fit", "C:\\ABCDEFG", "C:\\\r\nABCDEFG"},
      {"greedy lines", "C:\\AB\\CD\\EF\\GH", "C:\\AB\\CD\\\r\nEF\\GH"},
      {"last segment on a new line", "C:\\ABCD\\EFGHIJ", "C:\\ABCD\\\r\nEFGHIJ"},
      {"wide segment on its own line", "C:\\ABCDEFGHIJKL\\X", "C:\\\r\nABCDEFGHIJKL\\\r\nX"},
      {"wide first segment", "ABCDEFGHIJKL\\X\\Y", "ABCDEFGHIJKL\\\r\nX\\Y"},
      {"single wide segment", "ABCDEFGHIJKL", "ABCDEFGHIJKL"},
      {"trailing backslash", "C:\\ABC\\DEF\\", "C:\\ABC\\\r\nDEF\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapPathLines(c.path, 100, TenPerChar), c.expected) << c.name;
}

TEST(MessageBoxRules, WrappedLinesEndWithBackslashesAndJoinToThePath) {
  std::string path = "C:\\Documents and Settings\\Shop keeper\\Local Settings\\Application Data\\Vorkel\\Backup copies";
  for (int width : {60, 100, 150, 284, 2000}) {
    std::string wrapped = WrapPathLines(path, width, TenPerChar);
    std::string joined;
    size_t start = 0;
    for (;;) {
      size_t end = wrapped.find("\r\n", start);
      std::string line = wrapped.substr(start, end == std::string::npos ? std::string::npos : end - start);
      joined += line;
      if (end == std::string::npos) break;
      EXPECT_EQ(line.back(), '\\') << width;
      // A line holds more than one segment only when they fit together.
      if (line.find('\\') != line.size() - 1) {
        EXPECT_LT(TenPerChar(line), width) << line;
      }
      start = end + 2;
    }
    EXPECT_EQ(joined, path) << width;
  }
}

}  // namespace
}  // namespace vk::test
