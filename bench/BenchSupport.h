#pragma once
// What the benchmarks share: the data folder, random names and a SQLite
// connection with the same durability as the table files (synchronous=FULL,
// one transaction per change).
#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace vk::bench {

inline std::filesystem::path BenchDir() {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "vorkel-bench";
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::string RandomName(std::mt19937& rng) {
  static const char letters[] = "abcdefghijklmnopqrstuvwxyz";
  std::string s;
  const int n = 8 + static_cast<int>(rng() % 30);
  for (int i = 0; i < n; ++i) s += letters[rng() % 26];
  return s;
}

struct Db {
  sqlite3* db = nullptr;
  explicit Db(const std::string& path) {
    sqlite3_open(path.c_str(), &db);
    Exec("PRAGMA synchronous=FULL");
  }
  ~Db() { sqlite3_close(db); }
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;
  void Exec(const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
      std::fprintf(stderr, "sqlite: %s\n", err);
      sqlite3_free(err);
      std::abort();
    }
  }
  sqlite3_stmt* Prepare(const char* sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
      std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
      std::abort();
    }
    return st;
  }
};

// Every row of the goods and the movements, in the orders the store keeps
// them in memory; the number of rows read.
inline int64_t ReadGoodsAndMoves(Db& d) {
  int64_t rows = 0;
  for (const char* sql : {"SELECT * FROM goods ORDER BY id", "SELECT * FROM moves ORDER BY idstore, movedate"}) {
    sqlite3_stmt* st = d.Prepare(sql);
    while (sqlite3_step(st) == SQLITE_ROW) ++rows;
    sqlite3_finalize(st);
  }
  return rows;
}

}  // namespace vk::bench
