#include <gtest/gtest.h>

#include "Tools/LocalDbCtrls/DateEditModel.h"
#include "tests/EditModels/EditStateNotation.h"

namespace vk::test {
namespace {

TDateEditModel ModelAt(const std::string& notation) {
  TDateEditModel model;
  model.State = ParseState(notation);
  return model;
}

TDateTime Day(int year, int month, int day) { return *TryEncodeDate(year, month, day); }

TEST(DateEditModel, NewModelShowsTheEmptyMaskAndReadsNoDate) {
  TDateEditModel model;
  EXPECT_EQ(model.State.Text, "__.__.____");
  EXPECT_EQ(model.Date(), 0);
  EXPECT_EQ(model.DateText(), "");
  EXPECT_FALSE(model.IsValidDate());
}

TEST(DateEditModel, TypingAWholeDatePassesBothSeparators) {
  TDateEditModel model;
  for (char key : std::string("07122026")) EXPECT_TRUE(model.KeyPress(key));
  EXPECT_EQ(FormatState(model.State), "07.12.2026|");
  EXPECT_EQ(model.Date(), Day(2026, 12, 7));
  EXPECT_TRUE(model.IsValidDate());
}

TEST(DateEditModel, PartlyTypedDateIsCompletedOnLeaving) {
  TDateEditModel model;
  for (char key : std::string("7.12.26")) model.KeyPress(key);
  EXPECT_EQ(FormatState(model.State), "7_.12.26|__");
  model.Exit();
  EXPECT_EQ(model.State.Text, "07.12.2026");
}

TEST(DateEditModel, CompletionOfPartsAndYears) {
  struct Case {
    const char* text;
    const char* completed;
  } cases[] = {
      {"01.01.40__", "01.01.2040"}, {"01.01.41__", "01.01.1941"}, {"01.01.5___", "01.01.2005"},
      {"01.01.999_", "01.01.0999"}, {"01.01.____", "01.01.0000"}, {"01.01.2_6_", "01.01.2026"},
      {"_5.1_.2026", "05.01.2026"}, {"__.3_.2026", "00.03.2026"}, {"00.00.0000", "__.__.____"},
      {"0_.__.____", "__.__.____"}, {"1.1.2026", "__.__.____"},   {"01.01.ab__", "__.__.____"},
  };
  for (const Case& c : cases) {
    TDateEditModel model;
    model.SetText(c.text);
    EXPECT_EQ(model.CompletedText(), c.completed) << c.text;
  }
}

TEST(DateEditModel, LeavingKeepsATextThatIsNoValidDate) {
  for (const char* text : {"31.02.2026", "01.13.2026", "00.12.2026", "01.01.999_"}) {
    SCOPED_TRACE(text);
    TDateEditModel model;
    model.SetText(text);
    EXPECT_FALSE(model.IsValidDate());
    model.Exit();
    EXPECT_EQ(model.State.Text, text);
  }
  TDateEditModel model;
  model.SetText("31.02.2026");
  EXPECT_THROW(model.Date(), EConvertError);
}

TEST(DateEditModel, TypedKeys) {
  struct Case {
    const char* before;
    char key;
    const char* after;
  } cases[] = {
      {"|__.__.____", '3', "3|_.__.____"},         {"3|_.__.____", '1', "31.|__.____"},
      {"07.12.2026|", '1', "07.12.2026|"},         {"[07.12].2026", '3', "3|_.__.2026"},
      {"07|.12.2026", '5', "07.5|2.2026"},         {"12.|__.____", kBackspace, "1|_.__.____"},
      {"12.34.|____", kBackspace, "12.3|_.____"},  {"07.12.2026|", kBackspace, "07.12.202|_"},
      {"0|7.12.2026", kBackspace, "|_7.12.2026"},  {"|07.12.2026", kBackspace, "|07.12.2026"},
      {"07.[12.20]26", kBackspace, "07.|__.__26"}, {"|__.__.____", '.', "__.|__.____"},
      {"1|_.__.____", '-', "1_.|__.____"},         {"1_.|__.____", '.', "1_.|__.____"},
      {"1_.1|_.____", '/', "1_.1_.|____"},         {"1_.1_.1|___", ',', "1_.1_.1|___"},
      {"[07].12.2026", '/', "07.|12.2026"},        {"0[7.12].2026", '.', "07.12.|2026"},
      {"07.[12.20]26", '.', "07.[12.20]26"},       {"07.1|2.2026", 'a', "07.1|2.2026"},
      {"07.1|2.2026", ' ', "07.1|2.2026"},         {"07.1|2.2026", kCtrlBackspace, "07.1|2.2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " + " + std::to_string(c.key));
    TDateEditModel model = ModelAt(c.before);
    EXPECT_TRUE(model.KeyPress(c.key));
    EXPECT_EQ(FormatState(model.State), c.after);
  }
}

TEST(DateEditModel, ClipboardAndUndoCharactersGoToTheStandardEdit) {
  for (char key : {kCtrlC, kCtrlV, kCtrlX, kCtrlZ}) {
    TDateEditModel model = ModelAt("07.1|2.2026");
    EXPECT_FALSE(model.KeyPress(key));
  }
}

TEST(DateEditModel, DeleteAndArrowKeys) {
  struct Case {
    const char* before;
    TEditKey key;
    TKeyModifiers modifiers;
    bool consumed;
    const char* after;
    const char* cut = "";
  } cases[] = {
      {"0|7.12.2026", TEditKey::Delete, {}, true, "0_.|12.2026"},
      {"07.12.202|6", TEditKey::Delete, {}, true, "07.12.202_|"},
      {"07.12.2026|", TEditKey::Delete, {}, true, "07.12.2026|"},
      {"[07.1]2.2026", TEditKey::Delete, {}, true, "|__._2.2026"},
      {"07[.1]2.2026", TEditKey::Delete, {}, true, "07.|_2.2026"},
      {"[07.1]2.2026", TEditKey::Delete, {.Shift = true}, true, "|__._2.2026", "07.1"},
      {"07.|12.2026", TEditKey::Left, {}, true, "0|7.12.2026"},
      {"07.12.|2026", TEditKey::Up, {}, true, "07.1|2.2026"},
      {"0|7.12.2026", TEditKey::Right, {}, true, "07.|12.2026"},
      {"07.1|2.2026", TEditKey::Down, {}, true, "07.12.|2026"},
      {"|07.12.2026", TEditKey::Right, {}, false, "|07.12.2026"},
      {"07.|12.2026", TEditKey::Left, {.Shift = true}, false, "07.|12.2026"},
      {"0|7.12.2026", TEditKey::Right, {.Ctrl = true}, false, "0|7.12.2026"},
      {"07.[1]2.2026", TEditKey::Left, {}, false, "07.[1]2.2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    TDateEditModel model = ModelAt(c.before);
    std::string cut;
    EXPECT_EQ(model.KeyDown(c.key, c.modifiers, cut), c.consumed);
    EXPECT_EQ(FormatState(model.State), c.after);
    EXPECT_EQ(cut, c.cut);
  }
}

TEST(DateEditModel, CaretLeavesThePlaceBeforeASeparator) {
  TDateEditModel model = ModelAt("07|.12.2026");
  model.CaretRuleAfterKey(TEditKey::Left);
  EXPECT_EQ(FormatState(model.State), "0|7.12.2026");
  model = ModelAt("07|.12.2026");
  model.CaretRuleAfterKey(TEditKey::Other);
  EXPECT_EQ(FormatState(model.State), "07.|12.2026");
  model = ModelAt("07.12|.2026");
  model.CaretRuleAfterClick();
  EXPECT_EQ(FormatState(model.State), "07.12.|2026");
  model = ModelAt("07.1[2].2026");
  model.CaretRuleAfterClick();
  EXPECT_EQ(FormatState(model.State), "07.1[2].2026");
}

TEST(DateEditModel, PasteFillsPositionsOnlyIntoTheEmptyMaskOrASelection) {
  struct Case {
    const char* before;
    const char* clipboard;
    const char* after;
  } cases[] = {
      {"|__.__.____", "2026-12-07", "20.26.1207|"},
      {"|__.__.____", "1 2", "1_.2_.____|"},
      {"|__.__.____", "07.12.2026 extra 99", "07.12.2026|"},
      {"__.|__.____", "5", "__.5_.____|"},
      {"|__.__.____", "abc", "|__.__.____"},
      {"07.1|2.2026", "5", "07.1|2.2026"},
      {"[07].12.2026", "5", "5_.|12.2026"},
      {"07.[12.20]26", "0311", "07.03.11|26"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " <- " + c.clipboard);
    TDateEditModel model = ModelAt(c.before);
    model.PasteDate(c.clipboard);
    EXPECT_EQ(FormatState(model.State), c.after);
  }
}

TEST(DateEditModel, CutGivesTheSelectionAndBlanksIt) {
  TDateEditModel model = ModelAt("07.[12].2026");
  EXPECT_EQ(model.Cut(), "12");
  EXPECT_EQ(FormatState(model.State), "07.|__.2026");
  // A selection the window reports beyond the text is cut to it first.
  model.State = {"07.12.2026", 8, 100};
  model.Clear();
  EXPECT_EQ(FormatState(model.State), "07.12.20|__");
}

TEST(DateEditModel, SeparatorAndOrderRuleTheDateBothWays) {
  TDateEditModel model;
  model.SetText("07.12.2026");
  model.SetSeparatorKind(2);
  EXPECT_EQ(model.State.Text, "07-12-2026");
  model.SetDateOrder(1);
  EXPECT_EQ(model.State.Text, "07-12-2026");
  EXPECT_EQ(model.Date(), Day(2026, 7, 12));
  model.SetSeparatorKind(7);
  EXPECT_EQ(model.Separator(), '-');

  struct Case {
    int kind, order;
    TDateTime value;
    const char* text;
  } cases[] = {
      {1, 1, Day(2026, 12, 7), "12/07/2026"},
      {0, 0, Day(2026, 12, 7), "07.12.2026"},
      {2, 0, Day(1999, 1, 31) + 0.75, "31-01-1999"},
      {0, 0, 0, "__.__.____"},
      {0, 0, 0.5, "__.__.____"},
      {1, 0, Day(2026, 12, 7), "07/12/2026"},
  };
  for (const Case& c : cases) {
    TDateEditModel m;
    m.SetSeparatorKind(c.kind);
    m.SetDateOrder(c.order);
    m.SetDate(c.value);
    EXPECT_EQ(m.State.Text, c.text);
    if (c.value >= 1) {
      EXPECT_EQ(m.Date(), static_cast<double>(static_cast<long long>(c.value)));
    }
  }
}

TEST(DateEditModel, EmptyTextShowsTheEmptyMaskWithTheCurrentSeparator) {
  TDateEditModel model;
  model.SetSeparatorKind(1);
  model.SetText("");
  EXPECT_EQ(model.State.Text, "__/__/____");
  EXPECT_EQ(model.EmptyMask(), "__/__/____");
}

TEST(DateEditModel, ShortTextsSetByTheProgramAreEditedSafely) {
  TDateEditModel model = ModelAt("1|2");
  std::string cut;
  model.KeyPress('5');
  model.KeyPress('6');
  model.KeyDown(TEditKey::Delete, {}, cut);
  model.PasteDate("99");
  EXPECT_EQ(model.State.Text.size(), 2u);
  EXPECT_EQ(model.CompletedText(), "__.__.____");
}

}  // namespace
}  // namespace vk::test
