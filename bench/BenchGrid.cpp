// The grids' portable half at full size, in memory: one repaint of the goods
// grid's 30 visible rows over 100,000 products and one search keystroke,
// beside the same over a filtered grid (the products whose names begin with
// one letter, about 6,000) and one repaint of the moves grid over the 1,000
// movements of one product among 100,000. The canvas measures characters at
// fixed widths and only counts what it is asked to draw, so the figures are
// the grid's own work: reading and formatting the cells, laying out and
// cutting their texts, and deciding every rectangle.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Platform/CodePage.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/StoreData.h"
#include "Tools/LocalDbCtrls/DataGridFiltered.h"
#include "Tools/LocalDbCtrls/DataGridPainter.h"
#include "Tools/LocalDbCtrls/DataGridSearch.h"
#include "Tools/Service/TextConst.h"
#include "tests/GridControls/StockGridColumns.h"

namespace {

using namespace vk;

constexpr int kGoods = 100000;
constexpr int kMoves = 100000;
constexpr int kMovesOfFirst = 1000;
constexpr int kVisibleRows = 30;
// Row 0 and 30 data rows; the width of the main window's goods grid.
constexpr int32_t kClientHeight = kRowPitch * (kVisibleRows + 1);
constexpr int32_t kClientWidth = 504;

// Measures like an 8-point proportional font and counts the calls.
class CountingCanvas : public TGridCanvas {
 public:
  void FillRect(const TGridRect&, TGridColor) override { ++fills; }
  std::vector<int32_t> CharacterEnds(const std::string& text) override {
    std::vector<int32_t> ends;
    ends.reserve(text.size());
    int32_t x = 0;
    for (char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if ((byte & 0xC0) == 0x80) continue;
      x += byte == '.' || byte == '\'' ? 3 : byte < 0x80 ? 6 : 7;
      ends.push_back(x);
    }
    return ends;
  }
  int32_t TextHeight() override { return 13; }
  void TextRect(const TGridRect&, int32_t, int32_t, const std::string& text, const std::vector<int32_t>&, TGridColor,
                TGridColor) override {
    ++texts;
    characters += static_cast<int64_t>(text.size());
  }
  void FocusRect(const TGridRect&) override {}

  int64_t fills = 0;
  int64_t texts = 0;
  int64_t characters = 0;
};

// What the window would repaint after a keystroke: the cells the model
// invalidated, or the whole data area.
class RepaintView : public TGridView {
 public:
  explicit RepaintView(const TDataGridModel& model) : model_(model) {}
  void InvalidateCell(int32_t col, int32_t row) override {
    const TGridRect cell = TGridGeometry(model_.Layout(), topRow, kClientHeight).CellRect(col, row);
    Add({cell.Left - 1, cell.Top - 1, cell.Right + 1, cell.Bottom + 1});
  }
  void RepaintData() override { Add({0, kRowPitch, kClientWidth, kClientHeight}); }
  void CurrentCellMoved() override {
    const int32_t row = model_.Row();
    if (row < topRow) topRow = row;
    if (row >= topRow + kVisibleRows) topRow = row - kVisibleRows + 1;
    RepaintData();
  }
  void Add(const TGridRect& r) {
    area = area.Empty() ? r
                        : TGridRect{std::min(area.Left, r.Left), std::min(area.Top, r.Top),
                                    std::max(area.Right, r.Right), std::max(area.Bottom, r.Bottom)};
  }

  int32_t topRow = 1;
  TGridRect area;

 private:
  const TDataGridModel& model_;
};

std::string NameOf(int32_t id) {
  static const char16_t* const kFirst[] = {u"Клей",  u"Cable", u"Гвозди", u"Screw", u"Шпатлёвка", u"Paint", u"Саморез",
                                           u"Brush", u"Эмаль", u"Tape",   u"Болт",  u"Dowel",     u"Грунт", u"Nail"};
  static const char16_t* const kSecond[] = {u" ПВА",      u" white", u" строительные", u" M4",
                                            u" финишная", u" matt",  u" по дереву",    u" 50 mm",
                                            u" ПФ-115",   u" 5 m",   u" оцинкованный"};
  std::u16string name = kFirst[id * 3 % 14];
  name += kSecond[id * 5 % 11];
  name += u' ';
  for (char digit : std::to_string(id)) name += static_cast<char16_t>(digit);
  return platform::Utf16ToMultiByte(name, 1251);
}

void Put(std::vector<uint8_t>& file, size_t at, const void* v, size_t n) { std::memcpy(file.data() + at, v, n); }

// Appends records to a table file made empty by the table itself and sets
// its record count and the ID field's counter.
void AppendRecords(platform::MemoryFileSystem& fs, const std::string& path, int32_t count, size_t recordSize,
                   const std::function<void(uint8_t*, int32_t)>& fill) {
  std::vector<uint8_t> file = *fs.Contents(path);
  const size_t start = file.size();
  file.resize(start + recordSize * static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) fill(file.data() + start + recordSize * static_cast<size_t>(i), i + 1);
  const int32_t next = count + 1;
  Put(file, 20, &count, 4);
  Put(file, 32 + 32, &next, 4);
  fs.SetContents(path, std::move(file));
}

struct GridData {
  platform::MemoryFileSystem fs;
  TStore store{fs, [] { return *TryEncodeDate(2026, 12, 8) + 0.4375; }};

  GridData() {
    LoadRussianTexts();
    store.Goods().SetFileName("store.dat");
    store.Moves().SetFileName("moves.dat");
    store.Goods().Open(true);
    store.Moves().Open(true);
    store.Close();
    AppendRecords(fs, "store.dat", kGoods, 84, [](uint8_t* rec, int32_t id) {
      const std::string code = std::to_string(100000 + id * 7 % 900000), name = NameOf(id);
      const int32_t packs = id % 50;
      const uint32_t weight = 125u * static_cast<uint32_t>(id % 4000),
                     cost = 100u + static_cast<uint32_t>(id) * 7919 % 150000000;
      const uint32_t sum = static_cast<uint32_t>(uint64_t{cost} * weight / 100 % 4000000000u);
      const double last = 45000 + id % 700;
      std::memcpy(rec + 8, &id, 4);
      std::memcpy(rec + 12, code.data(), code.size());
      std::memcpy(rec + 20, name.data(), std::min<size_t>(name.size(), 40));
      std::memcpy(rec + 60, &packs, 4);
      std::memcpy(rec + 64, &weight, 4);
      std::memcpy(rec + 68, &cost, 4);
      std::memcpy(rec + 72, &sum, 4);
      std::memcpy(rec + 76, &last, 8);
    });
    AppendRecords(fs, "moves.dat", kMoves, 84, [](uint8_t* rec, int32_t id) {
      const int32_t j = id - 1;
      const int32_t idStore = j < kMovesOfFirst ? 1 : 2 + (j - kMovesOfFirst) % (kGoods - 1);
      const int32_t direction = j % 3 ? -1 : 0, packs = 1 + j % 5;
      const uint32_t weight = 150, cost = 100u + static_cast<uint32_t>(idStore) * 7919 % 150000000, sum = cost * 3 / 2;
      const double date = 45000 + j / 100.0;
      std::memcpy(rec + 8, &id, 4);
      std::memcpy(rec + 12, &idStore, 4);
      std::memcpy(rec + 16, &date, 8);
      std::memcpy(rec + 24, &direction, 4);
      std::memcpy(rec + 28, &packs, 4);
      std::memcpy(rec + 32, &weight, 4);
      std::memcpy(rec + 36, &cost, 4);
      std::memcpy(rec + 40, &sum, 4);
    });
    store.Goods().Open(false);
    store.Moves().Open(false);
  }
};

GridData& Data() {
  static GridData data;
  return data;
}

void Repaint(benchmark::State& state, const TDataGridModel& model, int32_t topRow) {
  CountingCanvas canvas;
  const TGridPaint paint{topRow, kClientWidth, kClientHeight, {11, 0, kClientWidth, 19}, true};
  for (auto _ : state) PaintDataGrid(canvas, model, paint, {0, 0, kClientWidth, kClientHeight});
  state.counters["texts"] = benchmark::Counter(static_cast<double>(canvas.texts) / state.iterations());
  state.counters["fills"] = benchmark::Counter(static_cast<double>(canvas.fills) / state.iterations());
}

// Types "бо", "pa", "кл" and their Backspaces in the name column, one
// keystroke per iteration, each with the repaint that follows it.
void SearchKeystrokes(benchmark::State& state, TDataGridModel& model, RepaintView& view) {
  TStore& store = Data().store;
  model.OnSearch = [&store](std::string& text) {
    while (!text.empty() && !store.FindByName(text)) Utf8DropLast(text);
  };
  model.MoveTo(model.FixedCols() + 1, model.Row());
  const std::u32string keys = U"бо\b\bpa\b\bкл\b\b";
  CountingCanvas canvas;
  size_t next = 0;
  for (auto _ : state) {
    char32_t key = keys[next++ % keys.size()];
    view.area = {};
    model.KeyPress(key);
    const TGridPaint paint{view.topRow, kClientWidth, kClientHeight, {11, 0, kClientWidth, 19}, true};
    PaintDataGrid(canvas, model, paint, view.area);
  }
  model.StopSearch();
  model.OnSearch = nullptr;
  state.counters["texts"] = benchmark::Counter(static_cast<double>(canvas.texts) / state.iterations());
}

void BM_GoodsGrid_Repaint(benchmark::State& state) {
  TTableStore& goods = Data().store.Goods();
  goods.SetIndex(&goods.IndName);
  goods.SetRecNo(kGoods / 2);
  TDataGridModel model(&goods, GoodsColumns(goods), false);
  Repaint(state, model, kGoods / 2 - 10);
}
BENCHMARK(BM_GoodsGrid_Repaint)->Unit(benchmark::kMicrosecond);

void BM_GoodsGrid_SearchKeystroke(benchmark::State& state) {
  TTableStore& goods = Data().store.Goods();
  goods.SetIndex(&goods.IndName);
  goods.SetRecNo(kGoods / 2);
  TDataGridModel model(&goods, GoodsColumns(goods), false);
  RepaintView view(model);
  model.SetView(&view);
  view.topRow = model.Row();
  SearchKeystrokes(state, model, view);
}
BENCHMARK(BM_GoodsGrid_SearchKeystroke)->Unit(benchmark::kMicrosecond);

// The products whose names begin with "Б" (about one in fourteen).
void FilterToOneLetter(TFilteredDataGridModel& model, TTableStore& goods) {
  // Keys hold the stored bytes, in the data code page.
  const std::string letter = platform::Utf16ToMultiByte(u"Б", 1251), next = platform::Utf16ToMultiByte(u"В", 1251);
  model.SetFilter(&goods.IndName, {Variant::String(letter)}, {Variant::String(next)}, false);
}

void BM_FilteredGrid_Repaint(benchmark::State& state) {
  TTableStore& goods = Data().store.Goods();
  TFilteredDataGridModel model(&goods, GoodsColumns(goods), false);
  FilterToOneLetter(model, goods);
  state.counters["range"] = model.FilterCount();
  Repaint(state, model, std::max(model.Row() - kVisibleRows + 1, 1));
}
BENCHMARK(BM_FilteredGrid_Repaint)->Unit(benchmark::kMicrosecond);

void BM_FilteredGrid_SearchKeystroke(benchmark::State& state) {
  TTableStore& goods = Data().store.Goods();
  TFilteredDataGridModel model(&goods, GoodsColumns(goods), false);
  RepaintView view(model);
  model.SetView(&view);
  FilterToOneLetter(model, goods);
  view.topRow = std::max(model.Row() - kVisibleRows + 1, 1);
  SearchKeystrokes(state, model, view);
}
BENCHMARK(BM_FilteredGrid_SearchKeystroke)->Unit(benchmark::kMicrosecond);

void BM_MovesGrid_Repaint(benchmark::State& state) {
  TTableMoves& moves = Data().store.Moves();
  TFilteredDataGridModel model(&moves, MovesColumns(), true);
  model.SetFilter(&moves.IndSD, {Variant::Integer(1), Variant::Date(-693593)},
                  {Variant::Integer(2), Variant::Date(-693593)}, false);
  state.counters["range"] = model.FilterCount();
  Repaint(state, model, std::max(model.Row() - kVisibleRows + 1, 1));
}
BENCHMARK(BM_MovesGrid_Repaint)->Unit(benchmark::kMicrosecond);

}  // namespace
