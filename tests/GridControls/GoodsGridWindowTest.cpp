// The goods and moves grids as the main window builds them, over 200
// products, driven by window messages and typed characters.
// clang-format off
// The stock tables and the grid before any other windows.h user (see
// DataGrid.h).
#include "tests/GridControls/GoodsFixture.h"
#include "Tools/LocalDbCtrls/DataGrid.h"
#include "tests/Gui/GuiTestSupport.h"
#include "tests/GridControls/GridWindowSupport.h"
// clang-format on

#include "Gui/VisualThemes.h"
#include "tests/MessageBox/WindowCapture.h"

namespace vk::gui::test {
namespace {

constexpr int kStatusBarHeight = 20;

class GoodsGridTest : public GuiTest {
 protected:
  void TearDown() override {
    moves.reset();
    grid.reset();
    form.reset();
    GuiTest::TearDown();
  }

  // The main window's two grids: the goods right of a 270-pixel panel,
  // anchored on all sides; the moves in the panel, anchored left, top and
  // bottom. Placed before the form's window exists (as the main window's
  // construction does) or after it is shown.
  void MakeGrids(bool placeBeforeWindow) {
    form = MakeForm<TestForm>();
    form->SetClientSize(794, 708);
    grid = std::make_unique<TDataGrid>(form.get(), &data.Goods(), GoodsColumns(data.Goods()), false);
    moves = std::make_unique<TFilteredDataGrid>(form.get(), &data.Moves(), MovesColumns(), true);
    if (!placeBeforeWindow) form->Show();
    grid->SetBounds(270, 0, form->ClientWidth() - 270, form->ClientHeight() - kStatusBarHeight);
    grid->SetAnchors(akLeft | akTop | akRight | akBottom);
    moves->SetBounds(11, 225, 248, 380);
    moves->SetAnchors(akLeft | akTop | akBottom);
    if (placeBeforeWindow) form->Show();
  }

  static void ExpectHeaderSpansTheGrid(TDataGrid& g, const std::string& when) {
    SCOPED_TRACE(when);
    RECT client{}, header{};
    GetClientRect(g.Handle(), &client);
    GetWindowRect(g.Header().Handle(), &header);
    MapWindowPoints(HWND_DESKTOP, g.Handle(), reinterpret_cast<POINT*>(&header), 2);
    EXPECT_EQ(header.right, client.right);
    EXPECT_EQ(header.left, g.Model().FixedCols() ? 11 : 0);
    const std::vector<int> items = HeaderItemWidths(g);
    EXPECT_EQ(Sum(items), header.right - header.left);
    std::vector<int> columns;
    for (int width : items) columns.push_back(width - 1);
    EXPECT_EQ(DataColumnWidths(g), columns);
  }

  int Visible(TDataGrid& g) { return (g.ClientHeight() - 19) / 19; }
  static void Key(TDataGrid& g, WORD key) { SendMessageW(g.Handle(), WM_KEYDOWN, key, 0); }
  static void Type(TDataGrid& g, const std::wstring& text) {
    for (wchar_t ch : text) SendMessageW(g.Handle(), WM_CHAR, ch, 0);
  }
  // Top of a data row in the client area.
  static int RowTop(TDataGrid& g, int row) { return 19 * (row - g.TopRow() + 1); }

  GoodsData data;
  FormPtr<TestForm> form;
  std::unique_ptr<TDataGrid> grid;
  std::unique_ptr<TFilteredDataGrid> moves;
};

TEST_F(GoodsGridTest, GridBuiltOverATableOffItsFirstRecordShowsThatRecord) {
  data.Goods().SetIndex(&data.Goods().IndName);
  data.Goods().SetRecNo(149);
  const std::string name = data.Goods().CellText(149, 2);
  MakeGrids(true);
  EXPECT_EQ(grid->Model().Row(), 150);
  EXPECT_EQ(data.Goods().RecNo(), 149);
  EXPECT_EQ(grid->Model().GetCellText(2, 150), name);
  EXPECT_LE(grid->TopRow(), 150);
  EXPECT_LT(150, grid->TopRow() + Visible(*grid));
  GridSnapshot shot(*grid);
  EXPECT_EQ(shot.At(12, RowTop(*grid, 150) + 9), ColorToRGB(clHighlight));  // the current cell
  EXPECT_TRUE(errors.empty());
}

TEST_F(GoodsGridTest, HeaderSpansTheClientWidthOfGridsPlacedBeforeAndAfterTheirWindows) {
  for (bool before : {true, false}) {
    const std::string placed = before ? "placed before the window: " : "placed after the window: ";
    MakeGrids(before);
    moves->SetFilter(&data.Moves().IndSD, GoodsData::MovesFrom(5), GoodsData::MovesTo(5), false);
    ExpectHeaderSpansTheGrid(*grid, placed + "created");
    ExpectHeaderSpansTheGrid(*moves, placed + "moves of one product, no scroll bar");
    EXPECT_EQ(grid->Left() + grid->Width(), form->ClientWidth());
    EXPECT_EQ(grid->Top() + grid->Height(), form->ClientHeight() - kStatusBarHeight);
    // The scroll bar comes with the rows of sixty products and goes again.
    const int withoutScrollBar = moves->ClientWidth();
    moves->SetFilter(&data.Moves().IndSD, GoodsData::MovesFrom(1), GoodsData::MovesTo(60), true);
    EXPECT_EQ(moves->ClientWidth(), withoutScrollBar - GetSystemMetrics(SM_CXVSCROLL));
    ExpectHeaderSpansTheGrid(*moves, placed + "moves of sixty products");
    for (SIZE size : {SIZE{1000, 740}, SIZE{780, 514}, SIZE{937, 600}, SIZE{794, 708}}) {
      form->SetClientSize(size.cx, size.cy);
      const std::string when = placed + std::to_string(size.cx) + " x " + std::to_string(size.cy);
      ExpectHeaderSpansTheGrid(*grid, when);
      ExpectHeaderSpansTheGrid(*moves, when);
      EXPECT_EQ(grid->Left() + grid->Width(), size.cx) << when;
    }
    moves.reset();
    grid.reset();
    form.reset();
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(GoodsGridTest, RefreshAfterTheTableShrankShowsItsRowsAgain) {
  MakeGrids(true);
  for (int i = 0; i < 9; ++i) Key(*grid, VK_NEXT);
  for (int i = 0; i < 8; ++i) Key(*grid, VK_UP);
  ASSERT_EQ(grid->Model().Row(), 192);
  ASSERT_GT(grid->TopRow(), 150);
  while (data.Goods().RecordCount() > 20) data.Goods().Delete();
  grid->Refresh();
  EXPECT_EQ(grid->TopRow(), 1);
  EXPECT_EQ(grid->Model().Row(), data.Goods().RecNo() + 1);
  GridSnapshot shot(*grid);
  const COLORREF window = ColorToRGB(clWindow);
  int ink = 0;  // the first row's name shows
  for (int x = 70; x < 200; ++x) {
    for (int y = 21; y < 35; ++y) ink += shot.At(x, y) != window;
  }
  EXPECT_GT(ink, 20);
  EXPECT_TRUE(errors.empty());
}

TEST_F(GoodsGridTest, PagingScrollingAndClicksKeepTableAndRowTogether) {
  data.Goods().SetRecNo(0);
  MakeGrids(true);
  const int v = Visible(*grid);
  ASSERT_GT(v, 20);
  auto ctrl = [](bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    int row, top;
  } steps[] = {
      {"PageDown", [&] { Key(*grid, VK_NEXT); }, 1 + v, 2},
      {"PageDown again", [&] { Key(*grid, VK_NEXT); }, 1 + 2 * v, 2 + v},
      {"scroll bar page down", [&] { SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0); }, 1 + 2 * v, 2 + 2 * v},
      {"scroll bar to the end", [&] { SendMessageW(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0); }, 1 + 2 * v, 201 - v},
      {"wheel down brings the row back",
       [&] { SendMessageW(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0); },
       2 + 2 * v, 2 + 2 * v},
      {"click on the fifth row shown",
       [&] { SendMessageW(grid->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(100, 19 * 5 + 9)); }, 2 + 2 * v + 4, 2 + 2 * v},
      {"PageUp", [&] { Key(*grid, VK_PRIOR); }, 2 + v + 4, 2 + v + 4},
      {"Ctrl+End", [&] { ctrl(true), Key(*grid, VK_END), ctrl(false); }, 200, 201 - v},
      {"Ctrl+Home", [&] { ctrl(true), Key(*grid, VK_HOME), ctrl(false); }, 1, 1},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(grid->Model().Row(), s.row) << s.what;
    EXPECT_EQ(grid->TopRow(), s.top) << s.what;
    EXPECT_EQ(data.Goods().RecNo(), grid->Model().Row() - 1) << s.what;
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(GoodsGridTest, RefusedCellLeavesTheTableOnTheGridsRow) {
  data.Goods().SetRecNo(149);
  MakeGrids(true);
  grid->OnSelectCell = [](int, int row) { return row <= 150; };
  Key(*grid, VK_DOWN);
  SendMessageW(grid->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(100, RowTop(*grid, 150) + 19 + 9));
  EXPECT_EQ(grid->Model().Row(), 150);
  EXPECT_EQ(data.Goods().RecNo(), 149);
  Key(*grid, VK_UP);
  EXPECT_EQ(data.Goods().RecNo(), 148);
  EXPECT_TRUE(errors.empty());
}

TEST_F(GoodsGridTest, OwnersKeyHookKeepsTheCodeColumnToDigits) {
  MakeGrids(true);
  ConnectGoodsSearch(grid->Model(), data.Store());
  grid->Model().OnKeyPress = [this](char32_t& key) {
    const bool codeColumn = grid->Model().Col() == 1;
    if (codeColumn && key != 8 && (key < U'0' || key > U'9')) key = 0;
  };
  Type(*grid, L"1a0x5");
  EXPECT_EQ(grid->Model().SearchText(), "105");
  EXPECT_EQ(data.Goods().Code.Value().substr(0, 3), "105");
  Key(*grid, VK_RIGHT);  // the name column takes letters
  Type(*grid, L"Кл");
  EXPECT_EQ(grid->Model().SearchText(), "Кл");
  EXPECT_EQ(grid->Model().GetCellText(2, grid->Model().Row()).substr(0, 4), "Кл");
  EXPECT_TRUE(errors.empty());
}

// Which pixels of a rectangle differ from the background colour that the
// painting put behind them.
std::vector<bool> InkOf(const GridSnapshot& shot, const RECT& r, const std::function<COLORREF(int, int)>& background) {
  std::vector<bool> ink;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) ink.push_back(shot.At(x, y) != background(x, y));
  }
  return ink;
}

TEST_F(GoodsGridTest, SearchHighlightStartsWhereTheTypedLettersEnd) {
  MakeGrids(true);
  ConnectGoodsSearch(grid->Model(), data.Store());
  Key(*grid, VK_RIGHT);
  Type(*grid, L"Кл");
  ASSERT_EQ(grid->Model().HighlightLength(), 2);
  const int row = grid->Model().Row();
  const std::string text = grid->Model().GetCellText(2, row);
  ASSERT_EQ(text, "Клей ПВА 0");
  const int left = 11 + grid->ColWidth(1) + 1;
  const RECT cell{left, RowTop(*grid, row), left + grid->ColWidth(2), RowTop(*grid, row) + 18};
  std::vector<int> ends;
  int textHeight = 0;
  {
    WindowDc screen(nullptr);
    TCanvas measure(screen.Dc());
    measure.Font = grid->Font();
    ends = measure.CharacterEnds(text);
    textHeight = measure.TextHeight(text);
  }
  const RECT marked{cell.left + 2 + ends[1], cell.top + 2, cell.left + 2 + ends.back(), cell.top + 2 + textHeight};
  const COLORREF rowColor = ColorToRGB(grid->RowColor(row & 1));
  const COLORREF highlight = ColorToRGB(clHighlight);
  const GridSnapshot searched(*grid);
  grid->StopSearch();
  const GridSnapshot plain(*grid);
  const std::vector<bool> searchedInk = InkOf(searched, cell, [&](int x, int y) {
    const POINT p{x, y};
    return PtInRect(&marked, p) ? highlight : rowColor;
  });
  const std::vector<bool> plainInk = InkOf(plain, cell, [&](int, int) { return highlight; });
  EXPECT_EQ(searchedInk, plainInk);
  int marks = 0;
  for (int x = marked.left; x < marked.right; ++x) marks += searched.At(x, marked.top) == highlight;
  EXPECT_GT(marks, (marked.right - marked.left) / 2);
  EXPECT_TRUE(errors.empty());
}

TEST_F(GoodsGridTest, HeaderDrawsItsCaptionsExactlyWhenTheWindowLookSeesNoThemes) {
  MakeGrids(true);
  using SetProperties = void(WINAPI*)(DWORD);
  auto setProperties = reinterpret_cast<SetProperties>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"uxtheme.dll"), "SetThemeAppProperties")));
  ASSERT_NE(setProperties, nullptr);
  for (DWORD properties : {DWORD{1}, DWORD{3}}) {  // frames only, then frames and controls
    setProperties(properties);
    grid->UpdateHeaderStyle();
    EXPECT_EQ(grid->Header().OwnerDraw(), !TVisualThemes().Active()) << properties;
  }
}

// For people to look at: the goods grid in the middle of a search, with
// money in the millions and dates, and the moves of the current product.
TEST_F(GoodsGridTest, ScreenshotsOfTheGoodsAndMovesGrids) {
  data.Goods().SetRecNo(10);
  MakeGrids(true);
  moves->SetFilter(&data.Moves().IndSD, GoodsData::MovesFrom(11), GoodsData::MovesTo(11), false);
  grid->SetFocus();
  EXPECT_EQ(grid->Model().GetCellText(7, 14), "1'234'567.89");
  EXPECT_EQ(grid->Model().GetCellText(4, 14), "14.02.2025");
  EXPECT_TRUE(vk::test::SaveWindowScreenshot(form->Handle(), vk::test::ArtifactPath("grid-goods-and-moves.bmp")));
  ConnectGoodsSearch(grid->Model(), data.Store());
  Key(*grid, VK_RIGHT);
  Type(*grid, L"Шпатлёвка 1x");
  EXPECT_EQ(grid->Model().HighlightLength(), 11);
  moves->SetFilter(&data.Moves().IndSD, GoodsData::MovesFrom(1), GoodsData::MovesTo(41), true);
  EXPECT_TRUE(vk::test::SaveWindowScreenshot(form->Handle(), vk::test::ArtifactPath("grid-goods-search.bmp")));
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::gui::test
