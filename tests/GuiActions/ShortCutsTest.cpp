#include <gtest/gtest.h>

#include "Gui/ShortCuts.h"

namespace vk::gui {
namespace {

struct Named {
  TShortCut ShortCut;
  const char* Text;
};

TEST(ShortCuts, TextNamesEveryShortcutTheWindowsUseAndReadsBackToTheSameKey) {
  const Named cases[] = {
      {ShortCut(keys::F2), "F2"},
      {ShortCut(keys::Insert), "Ins"},
      {ShortCut(keys::Delete), "Del"},
      {ShortCut(keys::Return), "Enter"},
      {ShortCut(keys::Escape), "Esc"},
      {ShortCut(keys::Add), "Num +"},
      {ShortCut(keys::Subtract), "Num -"},
      {ShortCut(keys::F12), "F12"},
      {ShortCut(keys::F1 + 23), "F24"},
      {ShortCut('A', scCtrl), "Ctrl+A"},
      {ShortCut('7'), "7"},
      {ShortCut(0x65), "Num 5"},
      {ShortCut(keys::Delete, scShift | scCtrl | scAlt), "Shift+Ctrl+Alt+Del"},
      {ShortCut(keys::Add, scCtrl), "Ctrl+Num +"},
  };
  for (const Named& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  }
}

TEST(ShortCuts, ReadingIgnoresCaseAndBlanksAndRefusesWhatNamesNoKey) {
  const Named cases[] = {
      {ShortCut(keys::Delete, scCtrl), "ctrl+del"},
      {ShortCut(keys::Add, scCtrl), " Ctrl + Num + "},
      {ShortCut(keys::Subtract, scShift), "SHIFT+num -"},
      {ShortCut(keys::F1 + 3, scAlt), "alt+f4"},
      {scNone, ""},
      {scNone, "Ctrl+"},
      {scNone, "Shift"},
      {scNone, "F0"},
      {scNone, "F25"},
      {scNone, "F012"},
      {scNone, "Num"},
      {scNone, "Num 12"},
      {scNone, "Ctrl+Nothing"},
      {scNone, "%"},
  };
  for (const Named& c : cases) EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << '"' << c.Text << '"';
}

TEST(ShortCuts, KeyWithoutNameHasNoText) {
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(ShortCut(0xE5, scCtrl)), "");
  // Only the modifier bits are kept beside the key.
  EXPECT_EQ(ShortCut(keys::F2 | 0x1200, 0x0100 | scAlt), ShortCut(keys::F2, scAlt));
}

}  // namespace
}  // namespace vk::gui
