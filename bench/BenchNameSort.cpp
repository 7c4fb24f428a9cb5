// The re-sort of 100,000 goods by a name compared the locale's way, ignoring
// case (the goods' name field): by sort keys prepared once per name, beside
// the plain merge sort that converts and compares both names at every step.
//
// Data: 100,000 items (ID key, Name of 40 bytes in code page 1251, Grp,
// Price); names of Cyrillic and Latin words in mixed case.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "BenchSupport.h"
#include "Source/StoreDataFields.h"
#include "Tables/UMoneyFld.h"
#include "Tables/UTable.h"

namespace {

namespace fs = std::filesystem;
using namespace vk;

// The same name field without sort keys: the sort takes the plain path.
class PlainName : public TCompareStringField {
 public:
  using TCompareStringField::TCompareStringField;
  bool HasSortKeys() const override { return false; }
};

template <class NameField>
class NamedItems : public TTable {
 public:
  TIntegerField ID;
  NameField Name{40};
  TIntegerField Grp;
  TMoneyField Price;
  TFields Set;
  TIndex ByID{&Set, "ByID", &ID};
  TIndex ByName{&Set, "ByName", &Name};

  explicit NamedItems(const std::string& path) : Set(Make()) {
    SetFileName(path);
    SetFields(&Set);
  }
  ~NamedItems() override { Close(); }
  void OpenIndexed() {
    Open(true);
    AddIndex(&ByID);
    AddIndex(&ByName);
  }

 private:
  std::vector<TField*> Make() {
    ID.SetIsKey(true);
    return {&ID, &Name, &Grp, &Price};
  }
};

// A name in code page 1251: one to three words of Cyrillic (Ё and the
// Ukrainian letters included) or Latin letters, the first one capitalized.
std::string RandomLocaleName(std::mt19937& rng) {
  static const std::string cyrillic = [] {
    std::string s;
    for (int c = 0xE0; c <= 0xFF; ++c) s += static_cast<char>(c);
    return s + "\xB8\xB4\xBF\xBA\xB3";  // ё ґ ї є і
  }();
  static const std::string latin = "abcdefghijklmnopqrstuvwxyz";
  std::string name;
  const int words = 1 + static_cast<int>(rng() % 3);
  for (int w = 0; w < words; ++w) {
    if (w > 0) name += rng() % 4 == 0 ? " - " : " ";
    const std::string& letters = rng() % 4 == 0 ? latin : cyrillic;
    const int n = 3 + static_cast<int>(rng() % 8);
    for (int i = 0; i < n; ++i) name += letters[rng() % letters.size()];
  }
  // Capitals: Cyrillic а..я and Latin a..z are 0x20 above theirs.
  const unsigned char first = static_cast<unsigned char>(name[0]);
  if ((first >= 0xE0) || (first >= 'a' && first <= 'z')) name[0] = static_cast<char>(first - 0x20);
  return name.substr(0, 40);
}

std::string LocaleNamesPath(int n) {
  std::string path = (bench::BenchDir() / ("locale-names-" + std::to_string(n) + ".dat")).string();
  if (fs::exists(path)) return path;
  std::string tmp = path + ".tmp";
  fs::remove(tmp);
  {
    NamedItems<TCompareStringField> t(tmp);
    t.OpenIndexed();
    t.Close();
  }
  std::FILE* f = std::fopen(tmp.c_str(), "r+b");
  std::fseek(f, 0, SEEK_END);
  std::mt19937 rng(28);
  for (int i = 1; i <= n; ++i) {
    uint8_t rec[8 + 52] = {};
    std::memcpy(rec + 8, &i, 4);
    const std::string name = RandomLocaleName(rng);
    std::memcpy(rec + 12, name.data(), name.size());
    const int32_t grp = i % 10;
    const uint32_t price = rng() % 1000000;
    std::memcpy(rec + 52, &grp, 4);
    std::memcpy(rec + 56, &price, 4);
    std::fwrite(rec, sizeof rec, 1, f);
  }
  int32_t count = n, next = n + 1;
  std::fseek(f, 20, SEEK_SET);
  std::fwrite(&count, 4, 1, f);
  std::fseek(f, 32 + 32, SEEK_SET);  // the ID descriptor's key counter
  std::fwrite(&next, 4, 1, f);
  std::fclose(f);
  fs::rename(tmp, path);
  return path;
}

template <class NameField>
void ResortByName(benchmark::State& state) {
  NamedItems<NameField> t(LocaleNamesPath(100000));
  t.OpenIndexed();
  for (auto _ : state) {
    t.SetIndex(&t.ByID);
    t.SetIndex(&t.ByName);
  }
}

void BM_Table_ResortByLocaleName(benchmark::State& state) { ResortByName<TCompareStringField>(state); }
BENCHMARK(BM_Table_ResortByLocaleName)->Unit(benchmark::kMillisecond);

void BM_Table_ResortByLocaleNamePlain(benchmark::State& state) { ResortByName<PlainName>(state); }
BENCHMARK(BM_Table_ResortByLocaleNamePlain)->Unit(benchmark::kMillisecond);

}  // namespace
