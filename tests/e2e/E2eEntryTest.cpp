// The daily work from the keyboard alone: a product added, deliveries and
// sales booked, a refused sale, a new price, a movement deleted, a booking
// on a work date, a name search. Keys go through the input queue as a user
// types them; what counts is what the Data files hold afterwards.

#include <gtest/gtest.h>

#include <algorithm>

#include "Core/DateTime.h"
#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/Options.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/E2eSteps.h"

namespace vk::e2e {
namespace {

constexpr DWORD kStartTime = 30000;

// The program started on a folder of the small shop, codes typed by hand.
class EntrySession {
 public:
  explicit EntrySession(const std::string& folder) : program_(folder) {
    main_ = program_.WaitForWindow("TMainFormStore", kStartTime);
    if (!main_) return;
    WaitPainted(main_, 5000);
    BringToFront(main_);
  }
  HWND Main() const { return main_; }
  RunningProgram& Program() { return program_; }
  // Lets the window take the keys and repaint.
  void Settle() {
    Sleep(250);
    WaitPainted(main_, 5000);
  }
  void Shot(const std::string& name) {
    Settle();
    const RECT r = WindowRect(main_);
    Screenshot(name, &r);
  }
  void Close() { CloseByKeyboard(program_, main_); }

 private:
  RunningProgram program_;
  HWND main_ = nullptr;
};

// The width from the first to the last column of the pixels that hold ink:
// a pixel much darker than the lightest one of its column.
int InkWidth(const std::vector<uint32_t>& pixels, int width, int height) {
  auto light = [](uint32_t p) { return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF); };
  int first = width, last = -1;
  for (int x = 0; x < width; ++x) {
    int lightest = 0, darkest = 765;
    for (int y = 0; y < height; ++y) {
      lightest = std::max(lightest, light(pixels[size_t(y * width + x)]));
      darkest = std::min(darkest, light(pixels[size_t(y * width + x)]));
    }
    if (lightest - darkest < 240) continue;
    first = std::min(first, x);
    last = x;
  }
  return last - first + 1;
}

// The entry's direction mark beside the quantity (Tahoma 17 pixels bold,
// ending at x 259 of the client area) shows whole: its ink is as wide as the
// same text drawn here on white.
void ExpectWholeMark(HWND main, const std::wstring& mark) {
  constexpr int kWidth = 150, kHeight = 21;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(info.bmiHeader), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HFONT font = CreateFontW(-17, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  HGDIOBJ oldFont = SelectObject(memory, font);
  PatBlt(memory, 0, 0, kWidth, kHeight, WHITENESS);
  TextOutW(memory, 20, 0, mark.c_str(), int(mark.size()));
  GdiFlush();
  const std::vector<uint32_t> drawn(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + kWidth * kHeight);
  DeleteObject(SelectObject(memory, oldFont));
  DeleteObject(SelectObject(memory, oldBitmap));
  DeleteDC(memory);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  int width = 0, height = 0;
  const std::vector<uint32_t> shown =
      CapturePixels({origin.x + 260 - kWidth, origin.y + 137, origin.x + 260, origin.y + 137 + kHeight}, width, height);
  EXPECT_GE(InkWidth(shown, width, height), InkWidth(drawn, kWidth, kHeight) - 1) << "the mark is cut";
}

std::string ShopWithoutAutogen(const std::string& name) {
  const std::string folder = PrepareFolder(name, ShopFolder());
  TProgOptions options(folder + kCfgFileName, kUninstallKeyName);
  options.SetAutogenEnabled(false);
  return folder;
}

TEST(VorkelE2eEntry, NewProductThenDeliveryAndSaleBooked) {
  const std::string folder = ShopWithoutAutogen("entry-book");
  {
    EntrySession s(folder);
    ASSERT_NE(s.Main(), nullptr);
    PressKey(VK_INSERT);
    TypeText(L"5001");
    PressKey(VK_TAB);
    TypeText(L"Болты М8 оцинкованные");
    PressKey(VK_TAB);
    TypeText(L"12.50");
    s.Shot("entry-new-goods");
    PressKey(VK_RETURN);
    s.Settle();
    PressKey(VK_F12);
    TypeText(L"5");
    s.Shot("entry-incoming");
    PressKey(VK_RETURN);
    s.Settle();
    PressKey(VK_F11);
    TypeText(L"3");
    s.Shot("entry-outgoing");
    ExpectWholeMark(s.Main(), L"( - )");
    PressKey(VK_RETURN);
    s.Shot("entry-after-sale");
    s.Close();
  }
  const DataContents data = ReadData(folder);
  const GoodsRow* added = FindGoods(data, "5001");
  ASSERT_NE(added, nullptr) << "the product was not added";
  EXPECT_EQ(added->Name, "Болты М8 оцинкованные");
  EXPECT_EQ(added->Weight, "2.00");
  EXPECT_EQ(added->Sum, "25.00");
  const std::vector<MoveRow> moves = ReadMoves(folder, "5001");
  // The product's own first delivery (none typed), then the two bookings.
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[0].Weight, "0.00");
  EXPECT_EQ(moves[1].Weight, "5.00");
  EXPECT_EQ(moves[1].Sum, "62.50");
  EXPECT_EQ(moves[2].Weight, "3.00");
  EXPECT_EQ(moves[2].Sum, "37.50");
  EXPECT_EQ(moves[0].Direction, moves[1].Direction);
  EXPECT_NE(moves[1].Direction, moves[2].Direction);
}

TEST(VorkelE2eEntry, SaleAboveTheStockIsRefusedAndWritesNothing) {
  const std::string folder = ShopWithoutAutogen("entry-refused");
  const DataContents before = ReadData(folder);
  const GoodsRow* first = FindGoods(before, "1001");
  ASSERT_NE(first, nullptr);
  {
    EntrySession s(folder);
    ASSERT_NE(s.Main(), nullptr);
    PressKey(VK_F11);
    TypeText(L"99999");
    PressKey(VK_RETURN);
    HWND box = s.Program().WaitForWindow("TFormMessageBox", 5000);
    ASSERT_NE(box, nullptr) << "no box refused the sale";
    WaitPainted(box, 3000);
    const RECT r = WindowRect(box);
    Screenshot("entry-refused-box", &r);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 3000));
    // Still in the sale: the user corrects nothing and cancels it.
    PressKey(VK_ESCAPE);
    s.Close();
  }
  const DataContents after = ReadData(folder);
  EXPECT_EQ(after.Moves, before.Moves);
  const GoodsRow* still = FindGoods(after, "1001");
  ASSERT_NE(still, nullptr);
  EXPECT_EQ(still->Weight, first->Weight);
  EXPECT_EQ(still->Sum, first->Sum);
}

TEST(VorkelE2eEntry, NewPriceRepricesEveryMovement) {
  const std::string folder = ShopWithoutAutogen("entry-price");
  const std::vector<MoveRow> before = ReadMoves(folder, "1001");
  ASSERT_GE(before.size(), 3u);
  {
    EntrySession s(folder);
    ASSERT_NE(s.Main(), nullptr);
    PressKey(VK_F2);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    Retype(L"3.00");
    s.Shot("entry-edit-goods");
    PressKey(VK_RETURN);
    s.Settle();
    s.Close();
  }
  const std::vector<MoveRow> after = ReadMoves(folder, "1001");
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    const double weight = std::stod(after[i].Weight);
    EXPECT_EQ(after[i].Weight, before[i].Weight);
    char sum[32];
    std::snprintf(sum, sizeof sum, "%.2f", weight * 3.0);
    EXPECT_EQ(after[i].Sum, sum) << "movement " << i;
  }
}

// Answers the open box of the program with its first button.
void AnswerBox(EntrySession& s, const std::string& shot) {
  HWND box = s.Program().WaitForWindow("TFormMessageBox", 5000);
  ASSERT_NE(box, nullptr) << "no box asked";
  WaitPainted(box, 3000);
  if (!shot.empty()) {
    const RECT r = WindowRect(box);
    Screenshot(shot, &r);
  }
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 3000));
}

TEST(VorkelE2eEntry, OfThreeMovementsTheMiddleOneIsDeleted) {
  const std::string folder = ShopWithoutAutogen("entry-delete-move");
  {
    EntrySession s(folder);
    ASSERT_NE(s.Main(), nullptr);
    PressKey(VK_INSERT);
    TypeText(L"6001");
    PressKey(VK_TAB);
    TypeText(L"Wing nuts M6");
    PressKey(VK_TAB);
    TypeText(L"2.00");
    PressKey(VK_RETURN);
    s.Settle();
    for (const wchar_t* weight : {L"5", L"7"}) {
      PressKey(VK_F12);
      TypeText(weight);
      PressKey(VK_RETURN);
      s.Settle();
    }
    // Goods grid, then five entries read-only in browse, then the moves grid.
    for (int i = 0; i < 6; ++i) PressKey(VK_TAB);
    PressKey(VK_NEXT);
    PressKey(VK_UP);
    s.Shot("entry-moves-side");
    PressKey(VK_DELETE);
    AnswerBox(s, "entry-delete-move-box");
    s.Settle();
    s.Close();
  }
  const std::vector<MoveRow> moves = ReadMoves(folder, "6001");
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].Weight, "0.00");
  EXPECT_EQ(moves[1].Weight, "7.00");
  const GoodsRow* goods = FindGoods(ReadData(folder), "6001");
  ASSERT_NE(goods, nullptr);
  EXPECT_EQ(goods->Weight, "7.00");
  EXPECT_EQ(goods->Sum, "14.00");
}

// A note retyped on an older movement, then the work date dialog opened and
// closed before the note is posted: the window coming back to the front
// must not move the moves grid or refill the note.
TEST(VorkelE2eEntry, NoteRetypedOnAnOlderMovementSurvivesADialogInBetween) {
  const std::string folder = ShopWithoutAutogen("entry-note-dialog");
  const std::vector<MoveRow> before = ReadMoves(folder, "1001");
  ASSERT_GE(before.size(), 3u);
  {
    EntrySession s(folder);
    ASSERT_NE(s.Main(), nullptr);
    for (int i = 0; i < 6; ++i) PressKey(VK_TAB);
    PressKey(VK_NEXT);
    PressKey(VK_UP);
    s.Settle();
    // On the moves side F2 edits the movement's note.
    PressKey(VK_F2);
    s.Settle();
    Retype(L"counted again");
    PressKey(VK_F4);
    HWND dialog = s.Program().WaitForWindow("TFormDateChange", 5000);
    ASSERT_NE(dialog, nullptr);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
    s.Shot("entry-note-after-dialog");
    PressKey(VK_RETURN);
    s.Settle();
    s.Close();
  }
  const std::vector<MoveRow> after = ReadMoves(folder, "1001");
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    const bool edited = i + 2 == after.size();
    EXPECT_EQ(after[i].Note, edited ? "counted again" : before[i].Note) << "movement " << i;
  }
}

TEST(VorkelE2eEntry, BookingCarriesTheWorkDate) {
  const std::string folder = ShopWithoutAutogen("entry-work-date");
  const std::vector<MoveRow> before = ReadMoves(folder, "1001");
  {
    EntrySession s(folder);
    ASSERT_NE(s.Main(), nullptr);
    PressKey(VK_F4);
    HWND dialog = s.Program().WaitForWindow("TFormDateChange", 5000);
    ASSERT_NE(dialog, nullptr);
    PressKey(VK_HOME);
    PressKey(VK_END, /*alt=*/false, /*ctrl=*/false, /*shift=*/true);
    TypeText(L"03152025");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
    s.Settle();
    PressKey(VK_F12);
    TypeText(L"4");
    PressKey(VK_RETURN);
    s.Shot("entry-work-date-booked");
    s.Close();
  }
  const std::vector<MoveRow> moves = ReadMoves(folder, "1001");
  ASSERT_EQ(moves.size(), before.size() + 1);
  const auto added = std::find_if(moves.begin(), moves.end(), [&](const MoveRow& m) {
    return std::none_of(before.begin(), before.end(), [&](const MoveRow& b) { return b.Offset == m.Offset; });
  });
  ASSERT_NE(added, moves.end());
  EXPECT_EQ(added->Weight, "4.00");
  EXPECT_EQ(added->Day, static_cast<int32_t>(*TryEncodeDate(2025, 3, 15)));
}

TEST(VorkelE2eEntry, TypedNamePrefixSearchesAndEscEndsTheSearchOnly) {
  const std::string folder = ShopWithoutAutogen("entry-name-search");
  EntrySession s(folder);
  ASSERT_NE(s.Main(), nullptr);
  HWND code = CodeEdit(s.Main());
  ASSERT_NE(code, nullptr);
  PressKey(VK_RIGHT);
  TypeText(L"Hamm");
  EXPECT_TRUE(WaitUntil([&] { return EditText(code) == "1026"; }, 3000)) << EditText(code);
  s.Shot("entry-name-search");
  // The first Esc ends the search; the second, in browse, ends the program.
  PressKey(VK_ESCAPE);
  Sleep(500);
  EXPECT_TRUE(s.Program().Running()) << "Esc in the search closed the program";
  EXPECT_EQ(EditText(code), "1026");
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(s.Program().WaitForExit(15000).has_value()) << "the search did not end";
}

TEST(VorkelE2eEntry, SortByNameSurvivesARestart) {
  const std::string folder = ShopWithoutAutogen("entry-sort-restart");
  std::string firstByName;
  {
    EntrySession s(folder);
    ASSERT_NE(s.Main(), nullptr);
    PressKey(VK_RIGHT);
    PressKey(VK_F9);
    PressKey(VK_HOME, /*alt=*/false, /*ctrl=*/true);
    s.Settle();
    firstByName = EditText(CodeEdit(s.Main()));
    s.Close();
  }
  ASSERT_NE(firstByName, "1001") << "the sort did not reorder the goods";
  EntrySession s(folder);
  ASSERT_NE(s.Main(), nullptr);
  EXPECT_EQ(EditText(CodeEdit(s.Main())), firstByName);
  s.Close();
}

}  // namespace
}  // namespace vk::e2e
