// clang-format off
// The grid before any other windows.h user (see DataGrid.h), and the Gui
// test support before the test table, whose vk::testing would hide
// ::testing there.
#include "Platform/fake/MemoryFileSystem.h"
#include "Tools/LocalDbCtrls/DataGrid.h"
#include "tests/Gui/GuiTestSupport.h"
#include "tests/GridControls/GridWindowSupport.h"
#include "tests/Tables/ItemTable.h"
// clang-format on

#include <numeric>

namespace vk::gui::test {
namespace {

class DataGridWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    t.SetFileName("items.dat");
    t.OpenAndRegister();
    for (const char* name : {"pear", "apple", "plum", "fig", "apricot"}) t.Add(name, 1, 100);
    t.SetRecNo(0);
    form = MakeForm<TestForm>();
    form->SetClientSize(400, 200);
    grid = std::make_unique<TDataGrid>(form.get(), &t, Columns(), false);
    grid->SetBounds(0, 0, 400, 200);
    grid->SetAnchors(akLeft | akTop | akRight | akBottom);
    form->Show();
  }
  void TearDown() override {
    grid.reset();
    form.reset();
    GuiTest::TearDown();
  }
  std::vector<TDataColumn> Columns() {
    return {MakeDataColumn(0, taRightJustify, 40, "ID", &t.ByID, 0),
            MakeDataColumn(1, taLeftJustify, 120, "Name", &t.ByName, 8),
            MakeDataColumn(3, taRightJustify, 60, "Price", nullptr, 0)};
  }
  HWND HeaderWindow() { return grid->Header().Handle(); }
  std::vector<int> ItemWidths() {
    std::vector<int> widths;
    const int count = static_cast<int>(SendMessageW(HeaderWindow(), HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      RECT r{};
      SendMessageW(HeaderWindow(), HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
      widths.push_back(r.right - r.left);
    }
    return widths;
  }
  std::vector<int> DataColumnWidths() {
    std::vector<int> widths;
    for (int c = grid->Model().FixedCols(); c < grid->Model().ColCount(); ++c) widths.push_back(grid->ColWidth(c));
    return widths;
  }
  std::wstring ItemText(int i) {
    wchar_t text[64] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(HeaderWindow(), HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  LRESULT Notify(UINT code, int item, HDITEMW* changed = nullptr) {
    NMHEADERW notify{};
    notify.hdr.hwndFrom = HeaderWindow();
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(HeaderWindow()));
    notify.hdr.code = code;
    notify.iItem = item;
    notify.pitem = changed;
    return SendMessageW(grid->Handle(), WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
  }

  platform::MemoryFileSystem fs;
  vk::testing::ItemTable t{fs};
  FormPtr<TestForm> form;
  std::unique_ptr<TDataGrid> grid;
};

TEST_F(DataGridWindowTest, HeaderSectionsFillTheHeaderAndMatchTheColumns) {
  EXPECT_EQ(ClassNameOf(HeaderWindow()), L"SysHeader32");
  EXPECT_EQ(GetParent(HeaderWindow()), grid->Handle());
  const std::vector<int> items = ItemWidths();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(std::accumulate(items.begin(), items.end(), 0), grid->Header().Width());
  std::vector<int> expected;
  for (int w : items) expected.push_back(w - 1);
  EXPECT_EQ(DataColumnWidths(), expected);
  EXPECT_EQ(grid->Header().Left(), 11);  // right of the search indicator
  EXPECT_EQ(ItemText(1), L"Name");
}

TEST_F(DataGridWindowTest, TypedCharactersSearchAndArrowKeysEndTheSearch) {
  SendMessageW(grid->Handle(), WM_KEYDOWN, VK_RIGHT, 0);  // to Name
  EXPECT_EQ(grid->Model().Col(), 2);
  SendMessageW(grid->Handle(), WM_CHAR, L'a', 0);
  EXPECT_TRUE(grid->Model().Searching());
  EXPECT_EQ(grid->Model().SearchText(), "a");
  SendMessageW(grid->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_FALSE(grid->Model().Searching());
  EXPECT_EQ(grid->Model().Row(), 2);
  EXPECT_EQ(t.RecNo(), 1);
  SendMessageW(grid->Handle(), WM_KEYDOWN, VK_RIGHT, 0);  // Price does not search
  SendMessageW(grid->Handle(), WM_CHAR, L'a', 0);
  EXPECT_FALSE(grid->Model().Searching());
  EXPECT_TRUE(errors.empty());
}

TEST_F(DataGridWindowTest, HorizontalWheelMovesOneColumnAndAnswersZero) {
  EXPECT_EQ(SendMessageW(grid->Handle(), WM_MOUSEHWHEEL, MAKEWPARAM(0, 360), 0), 0);
  EXPECT_EQ(grid->Model().Col(), 2);
  SendMessageW(grid->Handle(), WM_MOUSEHWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  SendMessageW(grid->Handle(), WM_MOUSEHWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(grid->Model().Col(), 1);
}

TEST_F(DataGridWindowTest, VerticalWheelMovesTheCurrentRowAndTheTable) {
  struct Case {
    short delta;
    int row;
  } cases[] = {{WHEEL_DELTA, 1}, {-WHEEL_DELTA, 2}, {-3 * WHEEL_DELTA, 3}, {WHEEL_DELTA, 2}};
  for (const Case& c : cases) {
    SendMessageW(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), 0);
    EXPECT_EQ(grid->Model().Row(), c.row) << c.delta;
    EXPECT_EQ(t.RecNo(), c.row - 1);
  }
}

TEST_F(DataGridWindowTest, DividerDragIsRefusedAndPostedAsAPairResize) {
  const std::vector<int> before = ItemWidths();
  std::vector<int> resized;
  grid->Header().OnSectionResize = [&](int section) { resized.push_back(section); };
  HDITEMW proposed{};
  proposed.mask = HDI_WIDTH;
  proposed.cxy = before[0] + 30;
  EXPECT_EQ(Notify(HDN_ITEMCHANGINGW, 0, &proposed), TRUE);
  EXPECT_EQ(ItemWidths(), before);  // nothing until the posted resize arrives
  ASSERT_TRUE(PumpUntil([&] { return ItemWidths()[0] == before[0] + 30; }));
  EXPECT_EQ(ItemWidths()[1], before[1] - 30);
  EXPECT_EQ(ItemWidths()[2], before[2]);
  EXPECT_EQ(DataColumnWidths()[0], before[0] + 29);
  EXPECT_EQ(DataColumnWidths()[1], before[1] - 31);
  EXPECT_EQ(resized, (std::vector<int>{0, 1}));
  proposed.cxy = before[2] + 30;
  Notify(HDN_ITEMCHANGINGW, 2, &proposed);  // the last divider does not move
  Application.ProcessMessages();
  EXPECT_EQ(ItemWidths()[2], before[2]);
}

TEST_F(DataGridWindowTest, WideningAndNarrowingTheGridRestoresEveryWidth) {
  const std::vector<int> before = DataColumnWidths();
  form->SetClientSize(437, 200);
  EXPECT_NE(DataColumnWidths(), before);
  const std::vector<int> items = ItemWidths();
  EXPECT_EQ(std::accumulate(items.begin(), items.end(), 0), grid->Header().Width());
  form->SetClientSize(150, 200);
  form->SetClientSize(400, 200);
  EXPECT_EQ(DataColumnWidths(), before);
}

TEST_F(DataGridWindowTest, GridIsNeverNarrowerThanItsColumnsAtTheirMinimum) {
  grid->SetAnchors(akLeft | akTop);
  grid->SetBounds(0, 0, 10, 100);
  // Three columns of 12, the indicator and its line, two lines, scroll bar, edges.
  const int expected = 3 * 12 + 11 + 2 + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(grid->MinControlWidth(), expected);
  EXPECT_EQ(grid->Width(), expected);
}

TEST_F(DataGridWindowTest, HeaderClickSortsAndMarksTheSection) {
  Notify(HDN_ITEMCLICKW, 1);
  EXPECT_EQ(t.GetIndex(), &t.ByName);
  EXPECT_EQ(ItemText(1), L"Name^");
  Notify(HDN_ITEMCLICKA, 1);
  EXPECT_EQ(t.GetIndex(), nullptr);
  EXPECT_EQ(ItemText(1), L"Name");
  Notify(HDN_ITEMCLICKW, 2);  // Price has no sort index
  EXPECT_EQ(grid->SortedColumn(), -1);
  EXPECT_TRUE(errors.empty());
}

TEST_F(DataGridWindowTest, RowsAlternateAndTheCurrentCellIsHighlighted) {
  const COLORREF window = ColorToRGB(clWindow);
  const COLORREF highlight = ColorToRGB(clHighlight);
  const COLORREF tint = ColorToRGB(TDataGrid::SelectionColor());
  ASSERT_NE(tint, window);
  const int nameRight = 11 + grid->ColWidth(1) + 1 + grid->ColWidth(2);  // Name's last pixel + 1
  GridSnapshot shot(*grid);
  struct Case {
    const char* what;
    int x, y;
    COLORREF colour;
  } cases[] = {
      {"current cell (ID, row 1)", 13, 20, highlight},
      {"row 1 (odd) is the window colour", nameRight - 3, 20, window},
      {"row 2 (even) is the tint", nameRight - 3, 39, tint},
      {"row 3 (odd) again", nameRight - 3, 58, window},
      {"indicator column", 3, 28, ColorToRGB(clBtnFace)},
  };
  for (const Case& c : cases) EXPECT_EQ(shot.At(c.x, c.y), c.colour) << c.what;
  EXPECT_TRUE(errors.empty());
}

TEST_F(DataGridWindowTest, SearchMarksTheRowAndHighlightsOnlyTheText) {
  SendMessageW(grid->Handle(), WM_KEYDOWN, VK_RIGHT, 0);  // to Name
  SendMessageW(grid->Handle(), WM_CHAR, L'x', 0);
  ASSERT_TRUE(grid->Model().Searching());
  const int nameRight = 11 + grid->ColWidth(1) + 1 + grid->ColWidth(2);
  GridSnapshot shot(*grid);
  EXPECT_EQ(shot.At(3, 28), ColorToRGB(clHighlight));           // the triangle in the indicator
  EXPECT_EQ(shot.At(nameRight - 3, 20), ColorToRGB(clWindow));  // no highlight behind the cell
  EXPECT_TRUE(errors.empty());
}

// The box around the dark pixels a section's own drawing leaves on white.
RECT DrawnCaptionBox(TGridHeader& header, int section, bool pressed) {
  constexpr int kW = 160, kH = 19;
  MemoryDc dc;
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Dc(), kW, kH));
  SelectGuard select(dc.Dc(), bitmap.Get());
  PatBlt(dc.Dc(), 0, 0, kW, kH, WHITENESS);
  header.DrawSection(dc.Dc(), section, RECT{0, 0, kW, kH}, pressed);
  RECT box{kW, kH, 0, 0};
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      COLORREF c = GetPixel(dc.Dc(), x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 384) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
             std::max<LONG>(box.bottom, y + 1)};
    }
  }
  return box;
}

TEST_F(DataGridWindowTest, OwnerDrawnSectionsDrawTheirCaptionAlignedAndShiftedWhenPressed) {
  grid->Header().SetOwnerDraw(true);
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  SendMessageW(HeaderWindow(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);
  const RECT left = DrawnCaptionBox(grid->Header(), 1, false);  // "Name", left-aligned
  const RECT pressed = DrawnCaptionBox(grid->Header(), 1, true);
  const RECT right = DrawnCaptionBox(grid->Header(), 0, false);  // "ID", right-aligned
  ASSERT_LT(left.left, left.right);
  EXPECT_GE(left.left, 3);
  EXPECT_LT(left.left, 8);
  EXPECT_EQ(pressed.left, left.left + 1);
  EXPECT_GT(pressed.top, left.top);
  EXPECT_LE(right.right, 160 - 3);
  EXPECT_GT(right.right, 160 - 10);
  grid->Header().SetOwnerDraw(false);
  SendMessageW(HeaderWindow(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_FALSE(item.fmt & HDF_OWNERDRAW);
}

TEST_F(DataGridWindowTest, FilteredGridShowsTheRangeRows) {
  TFilteredDataGrid filtered(form.get(), &t, {MakeDataColumn(1, taLeftJustify, 120, "Name", nullptr, 0)}, false);
  filtered.SetBounds(0, 0, 200, 100);
  filtered.Handle();
  filtered.SetFilter(&t.ByName, {Variant::String("ap")}, {Variant::String("b")}, false);
  EXPECT_EQ(filtered.Model().RowCount(), 3);
  EXPECT_EQ(filtered.Model().GetCellText(0, 1), "apple");
  EXPECT_EQ(filtered.Model().GetCellText(0, 2), "apricot");
  EXPECT_EQ(filtered.Header().Left(), 0);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace vk::gui::test
