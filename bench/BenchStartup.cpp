// Start-up with 100,000 products and 1,000,000 movements, filled through the
// store's own operations: the data folder opened as start-up opens it (the
// check, the day's copy, both tables) and the main window's first refresh
// (the goods grid's rows, the panel's texts, the moves grid filtered to the
// current product); beside it SQLite opening the same rows and reading them.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>

#include "BenchSupport.h"
#include "Platform/Clock.h"
#include "Source/MainFormRules.h"
#include "Source/StoreDataOpen.h"
#include "Tools/LocalDbCtrls/DataGridFiltered.h"
#include "Tools/Service/TextConst.h"
#include "tests/e2e/DataFill.h"

namespace {

namespace fs = std::filesystem;
using namespace vk;
using bench::BenchDir;
using bench::Db;

// The program folder with the large Data (made once, kept between runs).
std::string LargeShop() {
  const fs::path dir = BenchDir() / "startup-shop";
  if (!fs::exists(dir / "done")) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    e2e::FillFolder(dir.string() + "/", /*large=*/true, platform::Now());
    std::FILE* done = std::fopen((dir / "done").string().c_str(), "w");
    std::fclose(done);
  }
  return dir.string() + "/";
}

// The same rows in SQLite, read from the store's tables.
std::string LargeShopDb() {
  const std::string path = (BenchDir() / "startup-shop.sqlite").string();
  if (fs::exists(path)) return path;
  const std::string tmp = path + ".tmp";
  fs::remove(tmp);
  TStore store;
  store.SetProgramFolder(LargeShop());
  store.Open(false, "Data");
  {
    Db d(tmp);
    d.Exec("PRAGMA synchronous=OFF");
    d.Exec(
        "CREATE TABLE goods(id INTEGER PRIMARY KEY, code TEXT, name TEXT, pcount INTEGER, weight INTEGER,"
        " cost INTEGER, sum INTEGER, lastdate REAL)");
    d.Exec(
        "CREATE TABLE moves(id INTEGER PRIMARY KEY, idstore INTEGER, movedate REAL, direction INTEGER,"
        " pcount INTEGER, weight INTEGER, cost INTEGER, sum INTEGER, note TEXT)");
    d.Exec("CREATE INDEX moves_sd ON moves(idstore, movedate)");
    d.Exec("BEGIN");
    sqlite3_stmt* g = d.Prepare("INSERT INTO goods VALUES(?,?,?,?,?,?,?,?)");
    TTableStore& goods = store.Goods();
    for (goods.First(); !goods.Eof(); goods.Next()) {
      sqlite3_bind_int(g, 1, goods.ID.Value());
      sqlite3_bind_text(g, 2, goods.Code.GetAsString().c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(g, 3, goods.Name.GetAsString().c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(g, 4, goods.PCount.Value());
      sqlite3_bind_int64(g, 5, goods.Weight.Value());
      sqlite3_bind_int64(g, 6, goods.Cost.Value());
      sqlite3_bind_int64(g, 7, goods.Sum.Value());
      sqlite3_bind_double(g, 8, goods.LastDate.Value());
      sqlite3_step(g);
      sqlite3_reset(g);
    }
    sqlite3_finalize(g);
    sqlite3_stmt* m = d.Prepare("INSERT INTO moves VALUES(?,?,?,?,?,?,?,?,?)");
    TTableMoves& moves = store.Moves();
    for (moves.First(); !moves.Eof(); moves.Next()) {
      sqlite3_bind_int(m, 1, moves.ID.Value());
      sqlite3_bind_int(m, 2, moves.IDStore.Value());
      sqlite3_bind_double(m, 3, moves.MoveDate.Value());
      sqlite3_bind_int(m, 4, moves.Direction.Value() ? 1 : 0);
      sqlite3_bind_int(m, 5, moves.PCount.Value());
      sqlite3_bind_int64(m, 6, moves.Weight.Value());
      sqlite3_bind_int64(m, 7, moves.Cost.Value());
      sqlite3_bind_int64(m, 8, moves.Sum.Value());
      sqlite3_bind_text(m, 9, moves.Note.GetAsString().c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(m);
      sqlite3_reset(m);
    }
    sqlite3_finalize(m);
    d.Exec("COMMIT");
  }
  store.Close();
  fs::rename(tmp, path);
  return path;
}

const TShowBox kNoBox = [](const std::string&, const std::string&, int) {};

// What the main window does before its first paint, without the window.
void FirstRefresh(TStore& store) {
  TTableStore& goods = store.Goods();
  std::vector<TDataColumn> goodsColumns;
  for (TField* f :
       {static_cast<TField*>(&goods.Code), static_cast<TField*>(&goods.Name), static_cast<TField*>(&goods.Cost),
        static_cast<TField*>(&goods.LastDate), static_cast<TField*>(&goods.Weight), static_cast<TField*>(&goods.PCount),
        static_cast<TField*>(&goods.Sum)}) {
    goodsColumns.push_back(MakeDataColumn(goods.Fields()->IndexOf(f), taLeftJustify, 60, "", nullptr, 0));
  }
  TDataGridModel goodsGrid(&goods, goodsColumns, false);
  TTableMoves& moves = store.Moves();
  TFilteredDataGridModel movesGrid(
      &moves, {MakeDataColumn(moves.Fields()->IndexOf(&moves.MoveDate), taCenter, 65, "", nullptr, 0)}, false);
  const TGoodsPanelTexts texts = CurrentGoodsTexts(goods);
  const TKeyRange range = MovesRangeOf(goods.ID.Value());
  movesGrid.SetFilter(&moves.IndSD, range.Low, range.High, false);
  benchmark::DoNotOptimize(texts.Name.size() + movesGrid.RowCount() + goodsGrid.RowCount());
}

void BM_Startup_OpenDataAndFirstRefresh(benchmark::State& state) {
  LoadEnglishTexts();
  const std::string shop = LargeShop();
  {
    TStore first;  // the day's copy exists: this is a later start of the day
    first.SetProgramFolder(shop);
    OpenStoreData(first, kNoBox);
  }
  for (auto _ : state) {
    TStore store;
    store.SetProgramFolder(shop);
    if (!OpenStoreData(store, kNoBox)) state.SkipWithError("not opened");
    FirstRefresh(store);
  }
}
BENCHMARK(BM_Startup_OpenDataAndFirstRefresh)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Startup_FirstStartOfTheDay(benchmark::State& state) {
  LoadEnglishTexts();
  const std::string shop = LargeShop();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(fs::path(shop) / "Hist");
    state.ResumeTiming();
    TStore store;
    store.SetProgramFolder(shop);
    if (!OpenStoreData(store, kNoBox)) state.SkipWithError("not opened");
    FirstRefresh(store);
  }
}
BENCHMARK(BM_Startup_FirstStartOfTheDay)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Startup_SqliteOpenAndReadSameRows(benchmark::State& state) {
  const std::string path = LargeShopDb();
  for (auto _ : state) {
    Db d(path);
    benchmark::DoNotOptimize(bench::ReadGoodsAndMoves(d));
  }
}
BENCHMARK(BM_Startup_SqliteOpenAndReadSameRows)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
