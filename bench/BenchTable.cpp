// The table engine against SQLite on the same data and durability: every
// change is its own transaction with synchronous=FULL, as every change of a
// table file is written and flushed at once.
//
// Data: N items (ID key, Name of 40 bytes, Grp, Price), random names.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "BenchItems.h"
#include "BenchSupport.h"
#include "Platform/File.h"
#include "Tables/UBaseFld.h"
#include "Tables/UMoneyFld.h"
#include "Tables/UTable.h"

namespace {

namespace fs = std::filesystem;
using namespace vk;
using bench::BenchDir;
using bench::Db;
using bench::RandomName;

using Items = bench::TItems<TStringField>;

std::string TablePath(int n) {
  return bench::ItemsFile<TStringField>("items-" + std::to_string(n) + ".dat", n, 42, RandomName);
}

std::string DbPath(int n) {
  std::string path = (BenchDir() / ("items-" + std::to_string(n) + ".sqlite")).string();
  if (fs::exists(path)) return path;
  std::string tmp = path + ".tmp";
  fs::remove(tmp);
  {
    Db d(tmp);
    d.Exec("PRAGMA synchronous=OFF");
    d.Exec("CREATE TABLE items(id INTEGER PRIMARY KEY, name TEXT, grp INTEGER, price INTEGER)");
    d.Exec("CREATE INDEX items_name ON items(name)");
    d.Exec("BEGIN");
    sqlite3_stmt* st;
    sqlite3_prepare_v2(d.db, "INSERT INTO items VALUES(?,?,?,?)", -1, &st, nullptr);
    std::mt19937 rng(42);
    for (int i = 1; i <= n; ++i) {
      std::string name = RandomName(rng);
      sqlite3_bind_int(st, 1, i);
      sqlite3_bind_text(st, 2, name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(st, 3, i % 10);
      sqlite3_bind_int64(st, 4, rng() % 1000000);
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    d.Exec("COMMIT");
  }
  fs::rename(tmp, path);
  return path;
}

void BM_Table_OpenAndSortByName(benchmark::State& state) {
  const std::string path = TablePath(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Items t(path);
    t.OpenIndexed();
    t.SetIndex(&t.ByName);
    benchmark::DoNotOptimize(t.RecordCount());
  }
}
BENCHMARK(BM_Table_OpenAndSortByName)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Sqlite_OpenAndReadByName(benchmark::State& state) {
  const std::string path = DbPath(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Db d(path);
    sqlite3_stmt* st;
    sqlite3_prepare_v2(d.db, "SELECT id, name, grp, price FROM items ORDER BY name", -1, &st, nullptr);
    int64_t rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) ++rows;
    sqlite3_finalize(st);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_Sqlite_OpenAndReadByName)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Table_AppendWithFlush(benchmark::State& state) {
  const std::string path = (BenchDir() / "append.dat").string();
  fs::remove(path);
  fs::copy_file(TablePath(100000), path);
  Items t(path);
  t.OpenIndexed();
  t.SetIndex(&t.ByName);
  std::mt19937 rng(7);
  for (auto _ : state) t.Add(RandomName(rng), 1, 100);
}
BENCHMARK(BM_Table_AppendWithFlush)->Unit(benchmark::kMicrosecond);

void BM_Sqlite_InsertWithSync(benchmark::State& state) {
  const std::string path = (BenchDir() / "append.sqlite").string();
  fs::remove(path);
  fs::copy_file(DbPath(100000), path);
  Db d(path);
  sqlite3_stmt* st;
  sqlite3_prepare_v2(d.db, "INSERT INTO items(name, grp, price) VALUES(?,1,100)", -1, &st, nullptr);
  std::mt19937 rng(7);
  for (auto _ : state) {
    std::string name = RandomName(rng);
    sqlite3_bind_text(st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(st);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_Sqlite_InsertWithSync)->Unit(benchmark::kMicrosecond);

void BM_Table_FindKeyByName(benchmark::State& state) {
  Items t(TablePath(100000));
  t.OpenIndexed();
  t.SetIndex(&t.ByName);
  std::mt19937 rng(9);
  for (auto _ : state) {
    t.FindKey(RandomName(rng).substr(0, 4));
    benchmark::DoNotOptimize(t.ID.Value());
  }
}
BENCHMARK(BM_Table_FindKeyByName);

void BM_Sqlite_FindByName(benchmark::State& state) {
  Db d(DbPath(100000));
  sqlite3_stmt* st;
  sqlite3_prepare_v2(d.db, "SELECT id, name, grp, price FROM items WHERE name >= ? ORDER BY name LIMIT 1", -1, &st,
                     nullptr);
  std::mt19937 rng(9);
  for (auto _ : state) {
    std::string key = RandomName(rng).substr(0, 4);
    sqlite3_bind_text(st, 1, key.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(st);
    benchmark::DoNotOptimize(sqlite3_column_int(st, 0));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_Sqlite_FindByName);

void BM_Table_ResortByName(benchmark::State& state) {
  Items t(TablePath(100000));
  t.OpenIndexed();
  for (auto _ : state) {
    t.SetIndex(&t.ByID);
    t.SetIndex(&t.ByName);
  }
}
BENCHMARK(BM_Table_ResortByName)->Unit(benchmark::kMillisecond);

void BM_Sqlite_ReadAllByName(benchmark::State& state) {
  Db d(DbPath(100000));
  sqlite3_stmt* st;
  sqlite3_prepare_v2(d.db, "SELECT id, name, grp, price FROM items ORDER BY name", -1, &st, nullptr);
  for (auto _ : state) {
    int64_t rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) ++rows;
    sqlite3_reset(st);
    benchmark::DoNotOptimize(rows);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_Sqlite_ReadAllByName)->Unit(benchmark::kMillisecond);

}  // namespace
