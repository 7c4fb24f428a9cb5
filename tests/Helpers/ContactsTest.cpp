#include <gtest/gtest.h>

#include "Tools/Service/Contacts.h"
#include "Tools/Service/FileSrvRules.h"
#include "Tools/Service/Version.h"

namespace vk {
namespace {

TEST(Contacts, EscapeMailTextEscapesOnlyBlanksAndLineEnds) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"Dear team,\r\nversion 1.43 & more?", "Dear%20team,%0D%0Aversion%201.43%20&%20more?"},
      {"a\nb\rc", "a%0Ab%0Dc"},
      {"100%", "100%"},
      {"", ""},
      {"\xD0\x94\xD0\xB0 \xD0\xB4", "\xD0\x94\xD0\xB0%20\xD0\xB4"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeMailText(c.text), c.expected) << c.text;
}

TEST(Contacts, ComposedMailKeepsSubjectAndBodyWhole) {
  EXPECT_EQ(ComposeMailAddress("support@vorkel.example", "Vorkel 1.43", "Line one\r\nLine two"),
            "mailto:support@vorkel.example?subject=Vorkel%201.43&body=Line%20one%0D%0ALine%20two");
  // An "&" must not end the body nor start a header of its own.
  EXPECT_EQ(ComposeMailAddress("a@b.example", "R&D #1", "50% & cc=x@y.example"),
            "mailto:a@b.example?subject=R%26D%20%231&body=50%25%20%26%20cc=x@y.example");
}

TEST(Version, QueryDropsEveryBlank) {
  struct Case {
    const char* version;
    const char* query;
  } cases[] = {{"1.43", "ver=1.43"}, {"1 .43", "ver=1.43"}, {" 1. 4 3 ", "ver=1.43"}, {"", "ver="}};
  for (const Case& c : cases) EXPECT_EQ(FormatVersionQuery(c.version), c.query) << c.version;
}

TEST(FolderDialog, FlagsAndDisplayFollowTheMode) {
  struct Case {
    TFolderDialogMode mode;
    uint32_t flags;
    TPathDisplay display;
  } cases[] = {
      {TFolderDialogMode::FirstControl, 0x01, TPathDisplay::FirstGroupItem},
      {TFolderDialogMode::StatusLine, 0x05, TPathDisplay::StatusLine},
      {TFolderDialogMode::EditBox, 0x11, TPathDisplay::FirstTabItem},
      {TFolderDialogMode::NewStyle, 0x41, TPathDisplay::FirstGroupItem},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderDialogFlags(c.mode), c.flags) << static_cast<int>(c.mode);
    EXPECT_EQ(FolderPathDisplay(c.mode), c.display) << static_cast<int>(c.mode);
  }
  EXPECT_FALSE(IsFolderDialogMode(-1));
  EXPECT_FALSE(IsFolderDialogMode(4));
  EXPECT_TRUE(IsFolderDialogMode(0) && IsFolderDialogMode(3));
}

TEST(FolderDialog, DisplayTextEmptiesForNoFolder) {
  struct Case {
    TFolderDialogMode mode;
    bool isFolder;
    const char* expected;
  } cases[] = {
      {TFolderDialogMode::FirstControl, true, "C:\\Data"},
      {TFolderDialogMode::FirstControl, false, ""},
      {TFolderDialogMode::StatusLine, false, ""},
      {TFolderDialogMode::EditBox, true, "C:\\Data"},
      {TFolderDialogMode::NewStyle, true, "Choose a folder\r\n\r\nC:\\Data"},
      {TFolderDialogMode::NewStyle, false, "Choose a folder"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FolderDisplayText(c.mode, "Choose a folder", "C:\\Data", c.isFolder), c.expected)
        << static_cast<int>(c.mode) << c.isFolder;
}

TEST(FolderDialog, CentreOverPutsBothCentresTogether) {
  struct Case {
    TScreenRect dialog, window;
    int left, top;
  } cases[] = {
      {{0, 0, 200, 100}, {100, 100, 500, 300}, 200, 150},
      {{50, 50, 250, 150}, {-400, -300, 0, 0}, -300, -200},
      {{0, 0, 401, 301}, {0, 0, 100, 100}, -150, -100},  // odd sizes round like integer division
  };
  for (const Case& c : cases) {
    int left = 0, top = 0;
    CentreOver(c.dialog, c.window, left, top);
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(top, c.top);
  }
}

}  // namespace
}  // namespace vk
