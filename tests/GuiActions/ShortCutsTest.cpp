#include <gtest/gtest.h>

#include "Gui/ShortCuts.h"

namespace vk::gui {
namespace {

struct Named {
  TShortCut ShortCut;
  const char* Text;
};

TEST(ShortCuts, TextOfEveryShortcutTheWindowsUseReadsBackToTheSameKey) {
  const Named cases[] = {
      {ShortCut(keys::F2), "F2"},
      {ShortCut(keys::Insert), "Ins"},
      {ShortCut(keys::Delete), "Del"},
      {ShortCut(keys::Return), "Enter"},
      {ShortCut(keys::Escape), "Esc"},
      {ShortCut(keys::Add), "Num +"},
      {ShortCut(keys::Subtract), "Num -"},
      {ShortCut(keys::F1 + 23), "F24"},
      {ShortCut('A', scCtrl), "Ctrl+A"},
      {ShortCut(0x65), "Num 5"},
      {ShortCut(keys::Add, scCtrl), "Ctrl+Num +"},
      {ShortCut(keys::Delete, scShift | scCtrl | scAlt), "Shift+Ctrl+Alt+Del"},
  };
  for (const Named& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  }
  EXPECT_EQ(ShortCutToText(ShortCut(0xE5, scCtrl)), "");  // a key without a name
}

TEST(ShortCuts, ReadingIgnoresCaseAndBlanksAndRefusesWhatNamesNoKey) {
  const Named cases[] = {
      {ShortCut(keys::Delete, scCtrl), "ctrl+del"},
      {ShortCut(keys::Add, scCtrl), " Ctrl + Num + "},
      {ShortCut(keys::Subtract, scShift), "SHIFT+num -"},
      {scNone, ""},
      {scNone, "Ctrl+"},
      {scNone, "Shift"},
      {scNone, "F0"},
      {scNone, "F25"},
      {scNone, "F012"},
      {scNone, "Num 12"},
      {scNone, "Ctrl+Nothing"},
      {scNone, "%"},
  };
  for (const Named& c : cases) EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << '"' << c.Text << '"';
}

}  // namespace
}  // namespace vk::gui
