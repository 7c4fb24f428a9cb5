// Importing 10,000 lines of the program's own CSV export into an empty store:
// every line a product with its first delivery, one journal operation each
// (the journal and both tables flushed once per line). Beside it SQLite
// inserting the same rows with one transaction per line (the product and its
// delivery) at the same durability, and the import into a store in memory,
// which shows what the parsing alone costs.
#include <benchmark/benchmark.h>

#include <fstream>

#include "BenchSupport.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/EximRepImport.h"
#include "Source/StoreData.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxCall.h"

namespace {

namespace fs = std::filesystem;
using namespace vk;
using bench::BenchDir;
using bench::Db;
using bench::RandomName;

constexpr int kLines = 10000;

struct Row {
  std::string Code, Name, Price, Quantity, Packs;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = [] {
    std::vector<Row> out;
    std::mt19937 rng(42);
    for (int i = 0; i < kLines; ++i) {
      out.push_back({std::to_string(100000 + i), RandomName(rng), std::to_string(1 + rng() % 9999) + ",50",
                     std::to_string(rng() % 100) + ",25", std::to_string(rng() % 20)});
    }
    return out;
  }();
  return rows;
}

// The rows as the export writes them under a ";" and "," locale.
std::string CsvText() {
  std::string text = "Code;Name;Price;Date;Qnt;Pks;Cost;\r\n";
  for (const Row& r : Rows()) {
    text +=
        "=\"" + r.Code + "\";" + r.Name + ";" + r.Price + ";05.03.2024;" + r.Quantity + ";" + r.Packs + ";0,00;\r\n";
  }
  return text;
}

class BenchHost : public TExImHost {
 public:
  bool PromptForFileName(std::string&, const std::string&, const std::string&, const std::string&, const std::string&,
                         bool) override {
    return false;
  }
  void StartProgram(const std::string&, const std::string&) override {}
  int MessageTextWidth(const std::string& text) override { return static_cast<int>(text.size()); }
  int MessageTextAreaWidth() override { return 300; }
  int MessageTextAreaLines() override { return 6; }
  std::uint32_t StoredLanguage() override { return kLangEnglish; }
  std::uint32_t SystemAnsiCodePage() override { return 1251; }
  TSeparatorQueries Separators() override {
    return {[] { return std::string(";"); }, [] { return std::string(","); }};
  }
};

// Runs the import of the file into a new store over the file system.
void ImportInto(platform::FileSystem& files, const std::string& folder, const std::string& csv) {
  const TMessageBoxCall previous =
      SetProgramMessageBox([](const std::string&, const std::string&, int, const std::string&, const std::string&,
                              const std::string&, const std::string&) { return 1; });
  TStore store(files);
  store.SetProgramFolder(folder);
  store.Open(true, "Data");
  BenchHost host;
  TCsvImport import(host, store, files);
  import.ImportFile(csv);
  if (store.Goods().RecordCount() != kLines) std::abort();
  store.Close();
  SetProgramMessageBox(previous);
}

void BM_Import_10000LinesOnDisk(benchmark::State& state) {
  LoadEnglishTexts();
  const fs::path dir = BenchDir() / "import";
  const fs::path csv = BenchDir() / "import.csv";
  std::ofstream(csv, std::ios::binary) << CsvText();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(dir);
    fs::create_directories(dir);
    state.ResumeTiming();
    ImportInto(platform::DefaultFileSystem(), dir.string() + "/", csv.string());
  }
  state.counters["lines/s"] = benchmark::Counter(kLines, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Import_10000LinesOnDisk)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_Import_10000LinesInMemory(benchmark::State& state) {
  LoadEnglishTexts();
  const std::string text = CsvText();
  for (auto _ : state) {
    platform::MemoryFileSystem files;
    files.SetContents("/m/import.csv", std::vector<uint8_t>(text.begin(), text.end()));
    ImportInto(files, "/m/", "/m/import.csv");
  }
  state.counters["lines/s"] = benchmark::Counter(kLines, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Import_10000LinesInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Sqlite_10000RowsOneTransactionEach(benchmark::State& state) {
  const std::string path = (BenchDir() / "import.sqlite").string();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(path);
    Db d(path);
    d.Exec(
        "CREATE TABLE goods(id INTEGER PRIMARY KEY, code TEXT, name TEXT, pcount INTEGER, weight INTEGER,"
        " cost INTEGER, sum INTEGER, lastdate REAL)");
    d.Exec("CREATE INDEX goods_name ON goods(name COLLATE NOCASE)");
    d.Exec(
        "CREATE TABLE moves(id INTEGER PRIMARY KEY, idstore INTEGER, movedate REAL, direction INTEGER,"
        " pcount INTEGER, weight INTEGER, cost INTEGER, sum INTEGER, note TEXT)");
    d.Exec("CREATE INDEX moves_sd ON moves(idstore, movedate)");
    sqlite3_stmt* goods = d.Prepare("INSERT INTO goods VALUES(?,?,?,?,?,?,?,45356.5)");
    sqlite3_stmt* moves = d.Prepare("INSERT INTO moves VALUES(?,?,45356.5,1,?,?,?,?,'Import from file import.csv')");
    state.ResumeTiming();
    int64_t id = 0;
    for (const Row& r : Rows()) {
      ++id;
      const int64_t price = std::stoll(r.Price) * 100 + 50, weight = std::stoll(r.Quantity) * 100 + 25;
      const int64_t packs = std::stoll(r.Packs), sum = (price * weight + 50) / 100;
      d.Exec("BEGIN");
      sqlite3_bind_int64(goods, 1, id);
      sqlite3_bind_text(goods, 2, r.Code.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(goods, 3, r.Name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int64(goods, 4, packs);
      sqlite3_bind_int64(goods, 5, weight);
      sqlite3_bind_int64(goods, 6, price);
      sqlite3_bind_int64(goods, 7, sum);
      sqlite3_step(goods);
      sqlite3_reset(goods);
      for (int i = 1; i <= 6; ++i) {
        const int64_t values[] = {id, id, packs, weight, price, sum};
        sqlite3_bind_int64(moves, i, values[i - 1]);
      }
      sqlite3_step(moves);
      sqlite3_reset(moves);
      d.Exec("COMMIT");
    }
    state.PauseTiming();
    sqlite3_finalize(goods);
    sqlite3_finalize(moves);
    state.ResumeTiming();
  }
  state.counters["lines/s"] = benchmark::Counter(kLines, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Sqlite_10000RowsOneTransactionEach)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
