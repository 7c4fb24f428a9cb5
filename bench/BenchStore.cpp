// The store at 100,000 products and 1,000,000 movements against SQLite on
// the same data and durability. Product 1 has 1,000 movements (re-pricing);
// the others 9 or 10 each.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchSupport.h"
#include "Source/StoreData.h"
#include "Tables/UMoneyFld.h"
#include "Tools/Service/TextConst.h"

namespace {

namespace fs = std::filesystem;
using namespace vk;
using bench::BenchDir;
using bench::Db;
using bench::RandomName;

constexpr int kGoods = 100000;
constexpr int kMoves = 1000000;
constexpr int kMovesOfFirst = 1000;

int32_t ProductOf(int move) { return move < kMovesOfFirst ? 1 : 2 + (move - kMovesOfFirst) % (kGoods - 1); }
uint32_t PriceOf(int32_t id) { return 100 + static_cast<uint32_t>(id) * 7 % 100000; }
std::string NameOf(int32_t id) {
  std::mt19937 rng(static_cast<uint32_t>(id));
  return RandomName(rng);
}
TDateTime DateOf(int move) { return 46000 + move / 1000.0; }

void Put(std::vector<uint8_t>& rec, size_t at, const void* v, size_t n) { std::memcpy(rec.data() + at, v, n); }

// Patches the record count and the key counter of a table file whose
// records were appended as raw bytes.
void PatchHeader(const std::string& path, int32_t count) {
  std::FILE* f = std::fopen(path.c_str(), "r+b");
  const int32_t next = count + 1;
  std::fseek(f, 20, SEEK_SET);
  std::fwrite(&count, 4, 1, f);
  std::fseek(f, 32 + 32, SEEK_SET);  // the ID descriptor's counter
  std::fwrite(&next, 4, 1, f);
  std::fclose(f);
}

fs::path StoreData() {
  const fs::path dir = BenchDir() / "store";
  if (fs::exists(dir / "done")) return dir;
  fs::remove_all(dir);
  fs::create_directories(dir);
  {
    TStore store;
    store.Goods().SetFileName((dir / "store.dat").string());
    store.Moves().SetFileName((dir / "moves.dat").string());
    store.Goods().Open(true);
    store.Moves().Open(true);
  }
  std::vector<int> movesOf(kGoods + 1, 0);
  for (int j = 0; j < kMoves; ++j) ++movesOf[ProductOf(j)];
  {
    std::FILE* f = std::fopen((dir / "store.dat").string().c_str(), "ab");
    std::vector<uint8_t> rec(84);
    for (int32_t id = 1; id <= kGoods; ++id) {
      std::fill(rec.begin(), rec.end(), 0);
      const std::string code = std::to_string(id), name = NameOf(id);
      const int32_t packs = movesOf[id];
      const uint32_t weight = 100u * movesOf[id], cost = PriceOf(id), sum = cost * movesOf[id];
      const double last = DateOf(kMoves - 1);
      Put(rec, 8, &id, 4);
      Put(rec, 12, code.data(), code.size());
      Put(rec, 20, name.data(), name.size());
      Put(rec, 60, &packs, 4);
      Put(rec, 64, &weight, 4);
      Put(rec, 68, &cost, 4);
      Put(rec, 72, &sum, 4);
      Put(rec, 76, &last, 8);
      std::fwrite(rec.data(), rec.size(), 1, f);
    }
    std::fclose(f);
    PatchHeader((dir / "store.dat").string(), kGoods);
  }
  {
    std::FILE* f = std::fopen((dir / "moves.dat").string().c_str(), "ab");
    std::vector<uint8_t> rec(84);
    for (int j = 0; j < kMoves; ++j) {
      std::fill(rec.begin(), rec.end(), 0);
      const int32_t id = j + 1, idStore = ProductOf(j), direction = -1, packs = 1;
      const uint32_t weight = 100, cost = PriceOf(idStore), sum = cost;
      const double date = DateOf(j);
      Put(rec, 8, &id, 4);
      Put(rec, 12, &idStore, 4);
      Put(rec, 16, &date, 8);
      Put(rec, 24, &direction, 4);
      Put(rec, 28, &packs, 4);
      Put(rec, 32, &weight, 4);
      Put(rec, 36, &cost, 4);
      Put(rec, 40, &sum, 4);
      std::fwrite(rec.data(), rec.size(), 1, f);
    }
    std::fclose(f);
    PatchHeader((dir / "moves.dat").string(), kMoves);
  }
  std::FILE* done = std::fopen((dir / "done").string().c_str(), "w");
  std::fclose(done);
  return dir;
}

std::string StoreDb() {
  const std::string path = (BenchDir() / "store.sqlite").string();
  if (fs::exists(path)) return path;
  const std::string tmp = path + ".tmp";
  fs::remove(tmp);
  {
    Db d(tmp);
    d.Exec("PRAGMA synchronous=OFF");
    d.Exec(
        "CREATE TABLE goods(id INTEGER PRIMARY KEY, code TEXT, name TEXT, pcount INTEGER, weight INTEGER,"
        " cost INTEGER, sum INTEGER, lastdate REAL)");
    d.Exec("CREATE INDEX goods_name ON goods(name COLLATE NOCASE)");
    d.Exec(
        "CREATE TABLE moves(id INTEGER PRIMARY KEY, idstore INTEGER, movedate REAL, direction INTEGER,"
        " pcount INTEGER, weight INTEGER, cost INTEGER, sum INTEGER, note TEXT)");
    d.Exec("CREATE INDEX moves_sd ON moves(idstore, movedate)");
    d.Exec("BEGIN");
    std::vector<int> movesOf(kGoods + 1, 0);
    for (int j = 0; j < kMoves; ++j) ++movesOf[ProductOf(j)];
    sqlite3_stmt* g = d.Prepare("INSERT INTO goods VALUES(?,?,?,?,?,?,?,?)");
    for (int32_t id = 1; id <= kGoods; ++id) {
      const std::string code = std::to_string(id), name = NameOf(id);
      sqlite3_bind_int(g, 1, id);
      sqlite3_bind_text(g, 2, code.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(g, 3, name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(g, 4, movesOf[id]);
      sqlite3_bind_int64(g, 5, 100 * movesOf[id]);
      sqlite3_bind_int64(g, 6, PriceOf(id));
      sqlite3_bind_int64(g, 7, int64_t{PriceOf(id)} * movesOf[id]);
      sqlite3_bind_double(g, 8, DateOf(kMoves - 1));
      sqlite3_step(g);
      sqlite3_reset(g);
    }
    sqlite3_finalize(g);
    sqlite3_stmt* m = d.Prepare("INSERT INTO moves VALUES(?,?,?,1,1,100,?,?,'')");
    for (int j = 0; j < kMoves; ++j) {
      sqlite3_bind_int(m, 1, j + 1);
      sqlite3_bind_int(m, 2, ProductOf(j));
      sqlite3_bind_double(m, 3, DateOf(j));
      sqlite3_bind_int64(m, 4, PriceOf(ProductOf(j)));
      sqlite3_bind_int64(m, 5, PriceOf(ProductOf(j)));
      sqlite3_step(m);
      sqlite3_reset(m);
    }
    sqlite3_finalize(m);
    d.Exec("COMMIT");
  }
  fs::rename(tmp, path);
  return path;
}

// A working copy, so the changes of one run do not pile up in the next.
fs::path StoreCopy() {
  const fs::path src = StoreData(), dir = BenchDir() / "store-work";
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(src / "store.dat", dir / "store.dat");
  fs::copy_file(src / "moves.dat", dir / "moves.dat");
  return dir;
}

std::string DbCopy() {
  const std::string path = (BenchDir() / "store-work.sqlite").string();
  fs::remove(path);
  fs::copy_file(StoreDb(), path);
  return path;
}

void OpenStore(TStore& store, const fs::path& dir) {
  store.Goods().SetFileName((dir / "store.dat").string());
  store.Moves().SetFileName((dir / "moves.dat").string());
  store.Goods().Open(false);
  store.Moves().Open(false);
}

void BM_Store_OpenBothTables(benchmark::State& state) {
  const fs::path dir = StoreData();
  for (auto _ : state) {
    TStore store;
    OpenStore(store, dir);
    benchmark::DoNotOptimize(store.Moves().RecordCount());
  }
}
BENCHMARK(BM_Store_OpenBothTables)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Sqlite_OpenAndReadBothTables(benchmark::State& state) {
  const std::string path = StoreDb();
  for (auto _ : state) {
    Db d(path);
    benchmark::DoNotOptimize(bench::ReadGoodsAndMoves(d));
  }
}
BENCHMARK(BM_Sqlite_OpenAndReadBothTables)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Store_BookIncoming(benchmark::State& state) {
  TStore store;
  OpenStore(store, StoreCopy());
  std::mt19937 rng(3);
  for (auto _ : state) {
    state.PauseTiming();
    store.Goods().SetRecNo(static_cast<int32_t>(rng() % kGoods));
    state.ResumeTiming();
    if (!store.CanAddIncoming("1.00", "1")) state.SkipWithError("refused");
    store.AddIncoming("1.00", "1", "bench");
  }
}
BENCHMARK(BM_Store_BookIncoming)->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_Sqlite_BookIncoming(benchmark::State& state) {
  Db d(DbCopy());
  sqlite3_stmt* ins = d.Prepare(
      "INSERT INTO moves(idstore, movedate, direction, pcount, weight, cost, sum, note)"
      " SELECT id, 47000, 1, 1, 100, cost, (cost * 100 + 50) / 100, 'bench' FROM goods WHERE id = ?1");
  sqlite3_stmt* upd = d.Prepare(
      "UPDATE goods SET weight = weight + 100, pcount = pcount + 1, sum = sum + (cost * 100 + 50) / 100,"
      " lastdate = 47000 WHERE id = ?1");
  std::mt19937 rng(3);
  for (auto _ : state) {
    const int id = 1 + static_cast<int>(rng() % kGoods);
    d.Exec("BEGIN");
    for (sqlite3_stmt* st : {ins, upd}) {
      sqlite3_bind_int(st, 1, id);
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    d.Exec("COMMIT");
  }
  sqlite3_finalize(ins);
  sqlite3_finalize(upd);
}
BENCHMARK(BM_Sqlite_BookIncoming)->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_Store_RepriceThousandMovements(benchmark::State& state) {
  TStore store;
  OpenStore(store, StoreCopy());
  store.Goods().FindKey(std::string("1"));
  int round = 0;
  for (auto _ : state) {
    const std::string price = TMoneyField::MoneyToStr(200 + (++round % 2));
    if (!store.CanReprice(price)) state.SkipWithError("refused");
    store.EditGoods("1", "first", price);
  }
}
BENCHMARK(BM_Store_RepriceThousandMovements)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Sqlite_RepriceThousandMovements(benchmark::State& state) {
  Db d(DbCopy());
  sqlite3_stmt* moves = d.Prepare("UPDATE moves SET cost = ?1, sum = (weight * ?1 + 50) / 100 WHERE idstore = 1");
  sqlite3_stmt* goods = d.Prepare(
      "UPDATE goods SET cost = ?1, sum = (SELECT SUM(CASE direction WHEN 1 THEN sum ELSE -sum END)"
      " FROM moves WHERE idstore = 1) WHERE id = 1");
  int round = 0;
  for (auto _ : state) {
    const int price = 200 + (++round % 2);
    d.Exec("BEGIN");
    for (sqlite3_stmt* st : {moves, goods}) {
      sqlite3_bind_int(st, 1, price);
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    d.Exec("COMMIT");
  }
  sqlite3_finalize(moves);
  sqlite3_finalize(goods);
}
BENCHMARK(BM_Sqlite_RepriceThousandMovements)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Store_FindByNamePrefix(benchmark::State& state) {
  TStore store;
  OpenStore(store, StoreData());
  store.FindByName("a");  // the first search sorts by name
  std::mt19937 rng(5);
  for (auto _ : state) benchmark::DoNotOptimize(store.FindByName(RandomName(rng).substr(0, 3)));
}
BENCHMARK(BM_Store_FindByNamePrefix)->Unit(benchmark::kMicrosecond);

void BM_Sqlite_FindByNamePrefix(benchmark::State& state) {
  Db d(StoreDb());
  sqlite3_stmt* st =
      d.Prepare("SELECT id, name FROM goods WHERE name >= ?1 COLLATE NOCASE ORDER BY name COLLATE NOCASE LIMIT 1");
  std::mt19937 rng(5);
  for (auto _ : state) {
    const std::string key = RandomName(rng).substr(0, 3);
    sqlite3_bind_text(st, 1, key.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(st);
    benchmark::DoNotOptimize(sqlite3_column_int(st, 0));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_Sqlite_FindByNamePrefix)->Unit(benchmark::kMicrosecond);

}  // namespace
