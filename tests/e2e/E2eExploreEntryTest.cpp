// A shop keeper's day pushed to the edges: names of the full length typed in
// Cyrillic, amounts at their limits and with keys the fields must refuse,
// the whole stock sold off in parts, keys pressed twice, the mouse used in
// the middle of an entry, a product deleted with its movements, and the
// window squeezed and stretched. After each the Data files must agree with
// themselves: every product's totals are the signed sums of its movements.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "Tools/CfgFile/Options.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;
constexpr char kBox[] = "TFormMessageBox";

// Every product's quantity, packs and value against its movements.
void ExpectTotalsMatchMovements(const std::string& folder) {
  const DataContents data = ReadData(folder);
  int32_t moves = 0;
  for (const GoodsRow& goods : data.Goods) {
    int64_t weight = 0, packs = 0, sum = 0;
    for (const MoveRow& m : ReadMoves(folder, goods.Code)) {
      const int sign = m.Direction == "True" ? 1 : -1;
      weight += sign * Cents(m.Weight);
      packs += sign * std::stoll(m.PCount);
      sum += sign * Cents(m.Sum);
      ++moves;
    }
    EXPECT_EQ(Cents(goods.Weight), weight) << goods.Code << " quantity";
    EXPECT_EQ(std::stoll(goods.PCount), packs) << goods.Code << " packs";
    EXPECT_EQ(Cents(goods.Sum), sum) << goods.Code << " value";
  }
  EXPECT_EQ(moves, data.Moves) << "movements of no product";
}

class Session {
 public:
  explicit Session(const std::string& folder) : program_(folder) {
    main_ = program_.WaitForWindow("TMainFormStore", kStartTime);
    if (!main_) return;
    WaitPainted(main_, 5000);
    BringToFront(main_);
  }
  HWND Main() const { return main_; }
  RunningProgram& Program() { return program_; }
  void Settle() {
    Sleep(250);
    WaitPainted(main_, 5000);
  }
  std::string Shot(const std::string& name) {
    Settle();
    const RECT r = WindowRect(main_);
    return Screenshot(name, &r);
  }
  bool BoxShown() { return FindProcessWindow(program_.ProcessId(), kBox) != nullptr; }
  // Closes the box that must be open with its first button.
  void AnswerBox(const std::string& shot) {
    HWND box = program_.WaitForWindow(kBox, 5000);
    ASSERT_NE(box, nullptr) << "no box at " << shot;
    WaitPainted(box, 3000);
    const RECT r = WindowRect(box);
    Screenshot(shot, &r);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 3000));
    Settle();
  }
  void Close() { CloseByKeyboard(program_, main_); }

 private:
  RunningProgram program_;
  HWND main_ = nullptr;
};

// Names of the full 40 characters and beyond, amounts typed with a letter and
// a third decimal, the largest price there is, and a stock sold off in parts.
TEST(VorkelE2eExplore, LimitsTypedThroughTheKeyboard) {
  const std::string folder = PrepareFolder("explore-limits", ShopFolder());
  TProgOptions(folder + kCfgFileName, kUninstallKeyName).SetAutogenEnabled(true);
  // 43 letters: the name field keeps the first 40.
  const std::wstring longName = L"Ёмкость щёлочная ЖЁЛТАЯ эмалированная ЪЫЬЭЮ";
  ASSERT_EQ(longName.size(), 43u);
  const std::string stored40 = "Ёмкость щёлочная ЖЁЛТАЯ эмалированная ЪЫ";
  {
    Session s(folder);
    ASSERT_NE(s.Main(), nullptr);
    // Product A: code generated, long name, price "3x.337" -> 3.33.
    PressKey(VK_INSERT);
    s.Settle();
    TypeText(longName);
    PressKey(VK_TAB);
    TypeText(L"3x.337");
    PressKey(VK_TAB);
    TypeText(L"7.5");
    PressKey(VK_TAB);
    TypeText(L"3");
    s.Shot("explore-limits-new");
    EXPECT_EQ(EditText(PanelEdit(s.Main(), 1)), stored40);
    EXPECT_EQ(EditText(PanelEdit(s.Main(), 2)), "3.33");
    PressKey(VK_RETURN);
    s.Settle();
    EXPECT_FALSE(s.BoxShown());
    // Sold off in three parts.
    for (const wchar_t* part : {L"2.5", L"2.5", L"2.5"}) {
      PressKey(VK_F11);
      TypeText(part);
      PressKey(VK_TAB);
      Retype(L"1");
      PressKey(VK_RETURN);
      s.Settle();
      EXPECT_FALSE(s.BoxShown()) << "a sale was refused";
      if (s.BoxShown()) s.AnswerBox("explore-limits-sale-refused");
    }
    s.Shot("explore-limits-sold");
    // Product B: the largest price, one unit; a delivery of 0.01 more
    // overflows the value and is refused.
    PressKey(VK_INSERT);
    s.Settle();
    TypeText(L"Максимум");
    PressKey(VK_TAB);
    TypeText(L"42949671.99");
    PressKey(VK_TAB);
    TypeText(L"1");
    s.Shot("explore-limits-max");
    PressKey(VK_RETURN);
    s.Settle();
    EXPECT_FALSE(s.BoxShown());
    PressKey(VK_F12);
    TypeText(L"0.01");
    PressKey(VK_RETURN);
    s.AnswerBox("explore-limits-overflow-box");
    PressKey(VK_ESCAPE);
    s.Settle();
    // Product C: a hundredth of a hundredth of value.
    PressKey(VK_INSERT);
    s.Settle();
    TypeText(L"Мелочь");
    PressKey(VK_TAB);
    TypeText(L"0.01");
    PressKey(VK_TAB);
    TypeText(L"0.01");
    PressKey(VK_RETURN);
    s.Settle();
    EXPECT_FALSE(s.BoxShown());
    s.Close();
  }
  const DataContents data = ReadData(folder);
  ASSERT_EQ(data.Goods.size(), 33u);
  std::map<std::string, const GoodsRow*> byName;
  for (const GoodsRow& g : data.Goods) byName[g.Name] = &g;
  ASSERT_TRUE(byName.count(stored40)) << "the long name was not stored whole";
  const GoodsRow& a = *byName[stored40];
  EXPECT_EQ(a.Weight, "0.00");
  EXPECT_EQ(a.PCount, "0");
  EXPECT_EQ(a.Sum, "0.00");
  ASSERT_TRUE(byName.count("Максимум"));
  EXPECT_EQ(byName["Максимум"]->Sum, "42'949'671.99");
  EXPECT_EQ(byName["Максимум"]->Weight, "1.00");
  ASSERT_TRUE(byName.count("Мелочь"));
  ExpectTotalsMatchMovements(folder);
}

// Enter and Esc pressed twice, the mouse on the grids during an entry, a
// search that finds nothing, and a product deleted with all its movements.
TEST(VorkelE2eExplore, DoubledKeysMouseAndDeletion) {
  const std::string folder = PrepareFolder("explore-keys", ShopFolder());
  const DataContents before = ReadData(folder);
  const size_t firstMoves = ReadMoves(folder, "1001").size();
  std::map<std::string, size_t> movesOf;
  for (const GoodsRow& g : before.Goods) movesOf[g.Code] = ReadMoves(folder, g.Code).size();
  std::string deleted;
  {
    Session s(folder);
    ASSERT_NE(s.Main(), nullptr);
    // A delivery posted with Enter twice: one movement.
    PressKey(VK_F12);
    TypeText(L"5");
    PressKey(VK_RETURN);
    PressKey(VK_RETURN);
    s.Settle();
    EXPECT_FALSE(s.BoxShown());
    // A sale begun, the goods grid clicked on another row, then posted: it
    // goes to the goods the sale began on.
    PressKey(VK_F11);
    TypeText(L"1");
    const RECT w = WindowRect(s.Main());
    Click(w.left + 500, w.top + 120);
    Click(w.left + 100, w.top + 400);
    s.Shot("explore-keys-clicked");
    BringToFront(s.Main());
    PressKey(VK_RETURN);
    s.Settle();
    EXPECT_FALSE(s.BoxShown());
    // A search for a name no product has.
    PressKey(VK_RIGHT);
    TypeText(L"Zzqx");
    s.Shot("explore-keys-search");
    PressKey(VK_ESCAPE);
    s.Settle();
    EXPECT_TRUE(s.Program().Running());
    // The product the search stopped on deleted with its movements.
    deleted = EditText(CodeEdit(s.Main()));
    ASSERT_NE(deleted, "1001");
    PressKey(VK_DELETE);
    s.AnswerBox("explore-keys-delete-box");
    EXPECT_FALSE(s.BoxShown());
    s.Close();
  }
  const DataContents after = ReadData(folder);
  EXPECT_EQ(after.Goods.size(), before.Goods.size() - 1);
  EXPECT_EQ(FindGoods(after, deleted), nullptr);
  EXPECT_EQ(after.Moves, before.Moves + 2 - static_cast<int32_t>(movesOf[deleted]));
  const std::vector<MoveRow> first = ReadMoves(folder, "1001");
  ASSERT_EQ(first.size(), firstMoves + 2);
  EXPECT_EQ(first[firstMoves].Weight, "5.00");
  EXPECT_EQ(first[firstMoves + 1].Weight, "1.00");
  ExpectTotalsMatchMovements(folder);
}

// The window made as small as it lets itself be and far larger than the
// screen, and used at each size.
TEST(VorkelE2eExplore, SqueezedAndStretchedWindowStillBooks) {
  const std::string folder = PrepareFolder("explore-size", ShopFolder());
  const size_t firstMoves = ReadMoves(folder, "1001").size();
  {
    Session s(folder);
    ASSERT_NE(s.Main(), nullptr);
    SetWindowPos(s.Main(), nullptr, 0, 0, 60, 40, SWP_NOZORDER);
    s.Settle();
    const std::string small = s.Shot("explore-size-small");
    RECT r = WindowRect(s.Main());
    EXPECT_GE(r.right - r.left, 780) << small;
    BringToFront(s.Main());
    PressKey(VK_F12);
    TypeText(L"2");
    PressKey(VK_RETURN);
    s.Settle();
    SetWindowPos(s.Main(), nullptr, 0, 0, 1590, 1190, SWP_NOZORDER);
    s.Settle();
    s.Shot("explore-size-large");
    BringToFront(s.Main());
    PressKey(VK_F11);
    TypeText(L"1");
    PressKey(VK_RETURN);
    s.Settle();
    s.Shot("explore-size-large-after");
    EXPECT_FALSE(s.BoxShown());
    s.Close();
  }
  const std::vector<MoveRow> first = ReadMoves(folder, "1001");
  ASSERT_EQ(first.size(), firstMoves + 2);
  ExpectTotalsMatchMovements(folder);
}

}  // namespace
}  // namespace vk::e2e
