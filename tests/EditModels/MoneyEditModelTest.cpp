#include <gtest/gtest.h>

#include "Tools/LocalDbCtrls/MoneyEditModel.h"
#include "tests/EditModels/EditStateNotation.h"

namespace vk::test {
namespace {

TMoneyEditModel ModelAt(const std::string& notation, int maxLength = 13) {
  TMoneyEditModel model;
  model.MaxLength = maxLength;
  model.State = ParseState(notation);
  return model;
}

TEST(MoneyEditModel, NewModelShowsZeroWithCaretAtStart) {
  TMoneyEditModel model;
  EXPECT_EQ(FormatState(model.State), "|0.00");
}

TEST(MoneyEditModel, DigitLimitFollowsMaxLengthWithTruncatingDivision) {
  struct Case {
    int maxLength;
    int digits;
  } cases[] = {{13, 8}, {4, 1}, {7, 3}, {8, 4}, {17, 11}, {3, 0}, {0, -3}};
  for (const Case& c : cases) {
    TMoneyEditModel model;
    model.MaxLength = c.maxLength;
    EXPECT_EQ(model.MaxDigitCount(), c.digits) << c.maxLength;
  }
}

TEST(MoneyEditModel, TypedCharactersFollowTheMoneyForm) {
  struct Case {
    const char* before;
    char key;
    const char* after;
    int maxLength = 13;
  } cases[] = {
      // Digits into the integer part.
      {"|0.00", '5', "5|.00"},
      {"0|.00", '1', "1|.00"},
      {"|5.00", '0', "|5.00"},
      {"1|.00", '2', "12|.00"},
      {"123|.00", '4', "1'234|.00"},
      {"|123.00", '4', "4'|123.00"},
      {"1'23|4.00", '9', "12'39|4.00"},
      {"12'345'678|.00", '9', "12'345'678|.00"},
      {"|0.00", '5', "5|.00", 0},
      {"5|.00", '3', "5|.00", 0},
      // Digits overtype the decimals; at the end nothing.
      {"12'345'678.|00", '9', "12'345'678.9|0"},
      {"1.9|0", '9', "1.99|"},
      {"1.00|", '5', "1.00|"},
      // A selection goes first, the digit then takes the caret's place.
      {"[1'234.56]", '7', "7|.00"},
      {"[1'234].56", '7', "7|.56"},
      {"1'234.[56]", '7', "1'234.7|0"},
      // A selection of leading digits takes the group mark after it along.
      {"[1]'000.00", '5', "5'|000.00"},
      {"[12]'345'678.00", '9', "9'|345'678.00"},
      // Point keys.
      {"1'2|34.00", '.', "1'234.|00"},
      {"|5.00", ',', "5.|00"},
      {"5.0|0", '.', "5.0|0"},
      {"1'2[34.5]6", '.', "12.|06"},
      {"[1'234.56]", ',', "0.|00"},
      // Backspace.
      {"5.|00", kBackspace, "5|.00"},
      {"5.00|", kBackspace, "5.0|0"},
      {"5.4|5", kBackspace, "5.|05"},
      {"1'|234.00", kBackspace, "|234.00"},
      {"5|.00", kBackspace, "|0.00"},
      {"12|.00", kBackspace, "1|.00"},
      {"|12.00", kBackspace, "|12.00"},
      {"1'23|4.00", kBackspace, "12|4.00"},
      {"12'3|45.00", kBackspace, "1'2|45.00"},
      {"[1'234].56", kBackspace, "|0.56"},
      {"[1]'000.00", kBackspace, "|000.00"},
      {"1|'234.00", kBackspace, "|234.00"},
      {"1'234.[56]", kBackspace, "1'234.|00"},
      // Everything else is swallowed.
      {"1|.00", 'a', "1|.00"},
      {"1|.00", ' ', "1|.00"},
      {"1|.00", '-', "1|.00"},
      {"1|.00", '\'', "1|.00"},
      {"1|.00", kCtrlZ, "1|.00"},
      {"1|.00", kCtrlBackspace, "1|.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " + " + std::to_string(c.key));
    TMoneyEditModel model = ModelAt(c.before, c.maxLength);
    EXPECT_TRUE(model.KeyPress(c.key));
    EXPECT_EQ(FormatState(model.State), c.after);
  }
}

TEST(MoneyEditModel, ClipboardControlCharactersGoToTheStandardEdit) {
  for (char key : {kCtrlC, kCtrlV, kCtrlX}) {
    TMoneyEditModel model = ModelAt("1'2|34.00");
    EXPECT_FALSE(model.KeyPress(key));
    EXPECT_EQ(FormatState(model.State), "1'2|34.00");
  }
}

TEST(MoneyEditModel, TypingIntoZeroBuildsAGroupedAmount) {
  TMoneyEditModel model = ModelAt("|0.00");
  for (char key : std::string("1234")) model.KeyPress(key);
  EXPECT_EQ(FormatState(model.State), "1'234|.00");
  for (char key : std::string(".567")) model.KeyPress(key);
  EXPECT_EQ(FormatState(model.State), "1'234.56|");
}

TEST(MoneyEditModel, NinthDigitRefusedButDecimalsStillOvertyped) {
  TMoneyEditModel model = ModelAt("|0.00");
  for (char key : std::string("123456789")) model.KeyPress(key);
  EXPECT_EQ(FormatState(model.State), "12'345'678|.00");
  for (char key : std::string(",45")) model.KeyPress(key);
  EXPECT_EQ(FormatState(model.State), "12'345'678.45|");
}

TEST(MoneyEditModel, DeleteAndArrowKeys) {
  struct Case {
    const char* before;
    TEditKey key;
    TKeyModifiers modifiers;
    bool consumed;
    const char* after;
    const char* cut = "";
  } cases[] = {
      {"5.|00", TEditKey::Delete, {}, true, "5.0|0"},
      {"5.00|", TEditKey::Delete, {}, true, "5.00|"},
      {"|5.00", TEditKey::Delete, {}, true, "0|.00"},
      {"|1'234.00", TEditKey::Delete, {}, true, "|234.00"},
      {"1|2'345.00", TEditKey::Delete, {}, true, "1'|345.00"},
      {"1'|234.00", TEditKey::Delete, {}, true, "1|34.00"},
      {"1'2|34'567.00", TEditKey::Delete, {}, true, "12|4'567.00"},
      {"1'234|.00", TEditKey::Delete, {}, true, "1'234|.00"},
      {"[1'234.56]", TEditKey::Delete, {}, true, "0|.00"},
      {"[1'234].56", TEditKey::Delete, {}, true, "0|.56"},
      {"1'[23]4.00", TEditKey::Delete, {}, true, "1|4.00"},
      {"[1]'000.00", TEditKey::Delete, {}, true, "|000.00"},
      {"1'234.[56]", TEditKey::Delete, {}, true, "1'234.00|"},
      {"1'234.[5]6", TEditKey::Delete, {}, true, "1'234.0|6"},
      {"1'234[.5]6", TEditKey::Delete, {}, true, "1'234.0|6"},
      {"1'234[.]56", TEditKey::Delete, {}, true, "1'234|.56"},
      {"1'2[34.5]6", TEditKey::Delete, {}, true, "12|.06"},
      {"[1'234].00", TEditKey::Delete, {.Shift = true}, true, "0|.00", "1'234"},
      {"|1'234.00", TEditKey::Right, {}, true, "1'|234.00"},
      {"|1'234.00", TEditKey::Down, {}, true, "1'|234.00"},
      {"1|2'345.00", TEditKey::Right, {}, true, "12'|345.00"},
      {"1'|234.00", TEditKey::Left, {}, true, "|1'234.00"},
      {"12'|345.00", TEditKey::Up, {}, true, "1|2'345.00"},
      {"1'2|34.00", TEditKey::Left, {}, false, "1'2|34.00"},
      {"1'234|.00", TEditKey::Right, {}, false, "1'234|.00"},
      {"|1'234.00", TEditKey::Right, {.Shift = true}, false, "|1'234.00"},
      {"1'|234.00", TEditKey::Left, {.Ctrl = true}, false, "1'|234.00"},
      {"[1]'234.00", TEditKey::Right, {}, false, "[1]'234.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    TMoneyEditModel model = ModelAt(c.before);
    std::string cut;
    EXPECT_EQ(model.KeyDown(c.key, c.modifiers, cut), c.consumed);
    EXPECT_EQ(FormatState(model.State), c.after);
    EXPECT_EQ(cut, c.cut);
  }
}

TEST(MoneyEditModel, CaretNeverRestsBeforeAGroupMark) {
  struct Case {
    const char* before;
    const char* after;
  } cases[] = {
      {"1|'234.00", "1'|234.00"},
      {"12|'345'678.00", "12'|345'678.00"},
      {"1'2|34.00", "1'2|34.00"},
      {"[1]'234.00", "[1]'234.00"},
  };
  for (const Case& c : cases) {
    TMoneyEditModel model = ModelAt(c.before);
    model.ApplyCaretRule();
    EXPECT_EQ(FormatState(model.State), c.after) << c.before;
  }
}

TEST(MoneyEditModel, PasteInsertsOnlyWhatKeepsTheForm) {
  struct Case {
    const char* before;
    const char* clipboard;
    bool accepted;
    const char* after;
  } cases[] = {
      // Pasted digits take the place of the lone zero, as typed ones do.
      {"|0.00", "1'234", true, "1'234|.00"},
      {"0|.00", "150", true, "150|.00"},
      {"|0.00", " \t12\r\n", true, "12|.00"},
      {"|0.00", "12345678", true, "12'345'678|.00"},
      {"|0.00", "123456789", false, "|0.00"},
      {"|5.00", "12", true, "12|5.00"},
      {"|0.00", "12.5", false, "|0.00"},
      {"|0.00", "abc", false, "|0.00"},
      {"|0.00", "1 2", false, "|0.00"},
      {"|0.00", "-5", false, "|0.00"},
      {"|0.00", "1.2.3", false, "|0.00"},
      {"|0.00", "      12      ", false, "|0.00"},
      {"|0.00", "  ", false, "|0.00"},
      {"5.|00", "1", false, "5.|00"},
      {"12'345'67|8.00", "9", false, "12'345'67|8.00"},
      {"1'234'56|7.00", "8", true, "12'345'68|7.00"},
      {"[1'234].56", "987", true, "987|.56"},
      {"[1'234].56", "123456789", false, "[1'234].56"},
      {"1'[23]4.56", "9", true, "19|4.56"},
      {"1'234.[56]", "78", true, "1'234.78|"},
      {"1'234.[56]", "7", false, "1'234.[56]"},
      {"1'234[.5]6", "7", true, "1'234.7|6"},
      {"1'234[.56]", ".78", true, "1'234.78|"},
      {"1'234[.56]", "1.78", false, "1'234[.56]"},
      {"1'2[34.5]6", "99.1", true, "1'299.1|6"},
      {"1'2[34.5]6", "99.12", false, "1'2[34.5]6"},
      // A plain amount over a selection holding the point replaces the
      // selected amount; selected decimals become zeros.
      {"1'2[34.5]6", "99", true, "1'299|.06"},
      {"[1'234.56]", "150", true, "150|.00"},
      {"[1'234.56]", "12345678", true, "12'345'678|.00"},
      {"[1'234.56]", "123456789", false, "[1'234.56]"},
      {"12'345'6[78.9]0", "12", true, "12'345'612|.00"},
      {"12'345'6[78.9]0", "123", false, "12'345'6[78.9]0"},
      {"1'234[.]56", "7", true, "12'347|.56"},
      {"[1'234.56]", ".12", true, "0.12|"},
      {"1'234[.]56", "7.", true, "12'347.|56"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " <- " + c.clipboard);
    TMoneyEditModel model = ModelAt(c.before);
    EXPECT_EQ(model.PasteText(c.clipboard), c.accepted);
    EXPECT_EQ(FormatState(model.State), c.after);
  }
}

TEST(MoneyEditModel, CutGivesTheSelectionAndRemovesIt) {
  TMoneyEditModel model = ModelAt("1'2[34.5]6");
  EXPECT_EQ(model.Cut(), "34.5");
  EXPECT_EQ(FormatState(model.State), "12|.06");
  model.State = ParseState("1'234.[56]");
  model.Clear();
  EXPECT_EQ(FormatState(model.State), "1'234.00|");
}

TEST(MoneyEditModel, RegroupKeepsCaretDistanceFromTheEndAndLeadingZeros) {
  struct Case {
    const char* before;
    const char* after;
  } cases[] = {
      {"12|34.00", "1'2|34.00"},  {"1234567.00|", "1'234'567.00|"}, {"1'2'3|4.00", "1'23|4.00"},
      {"0'000|.00", "0'000|.00"}, {"[1234].00", "[1234].00"},
  };
  for (const Case& c : cases) {
    TMoneyEditModel model = ModelAt(c.before);
    model.Regroup();
    EXPECT_EQ(FormatState(model.State), c.after) << c.before;
  }
}

TEST(MoneyEditModel, TextNotOfTheMoneyFormIsNeverEdited) {
  for (const char* before : {"|", "ab|c", "1|2", "|.00", "1|.0x", "1|,00"}) {
    SCOPED_TRACE(before);
    TMoneyEditModel model = ModelAt(before);
    std::string cut;
    EXPECT_TRUE(model.KeyPress('5'));
    EXPECT_TRUE(model.KeyPress(kBackspace));
    EXPECT_TRUE(model.KeyDown(TEditKey::Delete, {}, cut));
    EXPECT_FALSE(model.PasteText("1"));
    EXPECT_EQ(FormatState(model.State), before);
  }
}

TEST(MoneyEditModel, OutOfRangeSelectionFromTheWindowIsClamped) {
  TMoneyEditModel model;
  model.MaxLength = 13;
  model.State = {"1.00", 9, 4};
  EXPECT_TRUE(model.KeyPress('5'));
  EXPECT_EQ(FormatState(model.State), "1.00|");
}

}  // namespace
}  // namespace vk::test
